// The archive source: RAR 4, RAR 5, ZIP, 7z and tar through libarchive, read in one sequence.
#include "RARLoad/LoaderCommon.h"
#include "RARLoad/RARLoad.h"
#include "RARLoad/RarChecksums.h"
#include "support/Files.h"
#include "support/Text1250.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

using namespace vexo::literals;

namespace {

// libarchive tells a checksum failure from other data failures only in the text of its message.
bool IsChecksumFailure(const char* message) {
    if (!message) return false;
    const std::string text = vexo::ToLower(message);
    return text.find("crc") != std::string::npos || text.find("checksum") != std::string::npos;
}

// The format in the archive's own words, so that a damaged ZIP is not reported as a RAR.
std::string FormatName(archive* handle) {
    switch (archive_format(handle) & ARCHIVE_FORMAT_BASE_MASK) {
    case ARCHIVE_FORMAT_ZIP:
        return "ZIP";
    case ARCHIVE_FORMAT_7ZIP:
        return "7z";
    case ARCHIVE_FORMAT_TAR:
        return "tar";
    default:
        return "RAR";
    }
}

std::string DamagedHeader(archive* handle) {
    return std::string("Nagłówek pliku "_pl) + FormatName(handle) + std::string(" jest uszkodzony."_pl);
}

// An entry name that is not valid in the archive's declared encoding is only a warning with an
// illegal byte sequence; the header itself is then sound.
bool UndecodableName(archive* handle, int result) {
    return result == ARCHIVE_WARN && archive_errno(handle) == EILSEQ;
}

// Why reading a header gave result.
std::string HeaderFailure(archive* handle, int result) {
    if (UndecodableName(handle, result))
        return std::string("Nazwa pliku w archiwum "_pl) + FormatName(handle) +
               std::string(" nie jest poprawnym tekstem UTF-8."_pl);
    return DamagedHeader(handle);
}

// Windows-made archives separate folders with backslashes and have no "./" in front; libarchive
// hands every name over with slashes, and tar files made on Linux often start with "./".
std::string EntryName(archive_entry* entry) {
    const char* utf8 = archive_entry_pathname_utf8(entry);
    const char* raw = archive_entry_pathname(entry);
    std::string name = utf8 ? rarload::NameFromUtf8(utf8) : std::string(raw ? raw : "");
    for (char& c : name)
        if (c == '/') c = '\\';
    while (name.starts_with(".\\"))
        name.erase(0, 2);
    return name;
}

// Names are decoded into the locale's multibyte form inside libarchive; a UTF-8 locale on this
// thread alone keeps every name intact whatever locale the program runs in.
class CUtf8Locale {
public:
    CUtf8Locale() {
        static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (utf8) previous = ::uselocale(utf8);
    }
    ~CUtf8Locale() {
        if (previous) ::uselocale(previous);
    }
    CUtf8Locale(const CUtf8Locale&) = delete;
    CUtf8Locale& operator=(const CUtf8Locale&) = delete;

private:
    locale_t previous = static_cast<locale_t>(0);
};

std::string CannotOpen(const std::string& path, std::string_view reason) {
    return std::string("Nie można otworzyć \""_pl) + path + "\"." + std::string(reason);
}

const std::string_view kNoMemory = " Brak pamięci do zainicjalizowania struktur danych."_pl;

} // namespace

CRARLoader_rar::CRARLoader_rar(const std::string& path) {
    try {
        // Non-blocking open and a type check: a pipe or a device named GameData must not hang start-up.
        file = ::open(vexo::HostPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat st;
        if (file < 0 || ::fstat(file, &st) != 0 || !S_ISREG(st.st_mode))
            rarload::Raise(CannotOpen(path, ""), __LINE__);
        handle = archive_read_new();
        if (!handle) rarload::Raise(CannotOpen(path, kNoMemory), __LINE__);
        archive_read_support_format_rar(handle);
        archive_read_support_format_rar5(handle);
        archive_read_support_format_zip(handle);
        archive_read_support_format_7zip(handle);
        archive_read_support_format_tar(handle);
        archive_read_support_filter_gzip(handle);
        archive_read_support_filter_bzip2(handle);
        archive_read_support_filter_xz(handle);
        const CUtf8Locale locale;
        // Opening recognises the format; the first header is read at once, so that an archive whose
        // headers are damaged from the start fails here with the open messages.
        int result = archive_read_open_fd(handle, file, 64 * 1024);
        const bool recognised = result == ARCHIVE_OK;
        if (recognised) result = archive_read_next_header(handle, &entry);
        state = result == ARCHIVE_EOF ? State::End : State::HeaderRead;
        if (recognised && UndecodableName(handle, result))
            rarload::Raise(CannotOpen(path, " " + HeaderFailure(handle, result)), __LINE__);
        if (result != ARCHIVE_OK && result != ARCHIVE_EOF) RaiseOpenError(path, recognised);
    } catch (...) {
        Release();
        throw;
    }
}

// Why the archive could not be opened, as far as libarchive tells it: it reports "no format
// recognised" as a file format error (EILSEQ on Linux), and encryption only in its message text.
void CRARLoader_rar::RaiseOpenError(const std::string& path, bool recognised) {
    const int error = archive_errno(handle);
    const char* message = archive_error_string(handle);
    const bool encrypted = message && vexo::ToLower(message).find("encrypt") != std::string::npos;
    const std::string_view reason = error == ENOMEM   ? kNoMemory
                                    : encrypted       ? " Archiwum jest zaszyfrowane."_pl
                                    : recognised      ? " Nagłówek pliku jest uszkodzony."_pl
                                    : error == EILSEQ ? " Plik nie jest poprawnym archiwum RAR."_pl
                                                      : std::string_view();
    rarload::Raise(CannotOpen(path, reason), __LINE__);
}

CRARLoader_rar::~CRARLoader_rar() {
    Release();
}

void CRARLoader_rar::Release() {
    if (handle) archive_read_free(handle);
    if (file >= 0) ::close(file);
    handle = nullptr;
    file = -1;
}

bool CRARLoader_rar::Next(std::string& name, std::uint32_t& size) {
    const CUtf8Locale locale;
    while (state == State::Consumed || state == State::HeaderRead) {
        if (state == State::Consumed) {
            const int result = archive_read_next_header(handle, &entry);
            if (result == ARCHIVE_EOF) {
                state = State::End;
                break;
            }
            if (result != ARCHIVE_OK) Fail(HeaderFailure(handle, result), __LINE__);
            state = State::HeaderRead;
        }
        Describe();
    }
    if (state == State::Broken) Fail(rarload::ReadErrorMessage(), __LINE__);
    if (state == State::End) return false;
    name = this->name;
    size = rarload::AnnouncedSize(this->size);
    return true;
}

// Announces the header just read, or consumes it at once when it is not a file the game could use.
void CRARLoader_rar::Describe() {
    name = EntryName(entry);
    if (archive_entry_filetype(entry) != AE_IFREG || name.empty() || name.ends_with('\\')) {
        SkipData();
        return;
    }
    encrypted = archive_entry_is_data_encrypted(entry) != 0;
    expectedCrc.reset();
    if (archive_format(handle) == ARCHIVE_FORMAT_RAR)
        expectedCrc = rarload::Rar4FileCrc(file, archive_read_header_position(handle));
    else if (archive_format(handle) == ARCHIVE_FORMAT_RAR_V5)
        expectedCrc = rarload::Rar5FileCrc(file, archive_read_header_position(handle));
    buffered = false;
    if (archive_entry_size_is_set(entry)) {
        const la_int64_t announced = archive_entry_size(entry);
        if (announced < 0) Fail(DamagedHeader(handle), __LINE__);
        size = std::uint64_t(announced);
    } else if (encrypted) {
        size = 0;
    } else {
        // Only the data tells how long the entry is, so it is read now. Past the limit it is only
        // counted, in the same buffer: Read refuses such an entry, and Skip passes over it.
        buffered = true;
        buffer.clear();
        size = 0;
        for (std::size_t got = 1; got > 0; size += got) {
            const std::size_t done = size > kMaxEntrySize ? 0 : buffer.size();
            buffer.resize(done + kChunk);
            got = ReadSome(buffer.data() + done, kChunk);
            buffer.resize(done + got);
        }
        if (size > kMaxEntrySize) buffer = std::string();
    }
    state = State::Announced;
}

void CRARLoader_rar::SkipData() {
    if (archive_read_data_skip(handle) != ARCHIVE_OK) RaiseDataError();
    state = State::Consumed;
}

void CRARLoader_rar::CheckReadable() {
    if (state != State::Announced) Fail(rarload::ReadErrorMessage(), __LINE__);
    if (size > kMaxEntrySize) Fail(rarload::TooLargeMessage(name, size), __LINE__);
    if (encrypted) Fail(std::string("Plik \""_pl) + name + std::string("\" jest zaszyfrowany."_pl), __LINE__);
}

std::size_t CRARLoader_rar::ReadSome(char* target, std::size_t count) {
    const la_ssize_t got = archive_read_data(handle, target, count);
    if (got < 0) RaiseDataError();
    return std::size_t(got);
}

// An entry must end exactly where its header said; only then has libarchive checked its checksum.
void CRARLoader_rar::ExpectEnd(const char* data, std::size_t delivered) {
    char extra;
    if (delivered != size || ReadSome(&extra, 1) != 0) Fail(rarload::ReadErrorMessage(), __LINE__);
    if (expectedCrc && crc32(0, reinterpret_cast<const Bytef*>(data), uInt(delivered)) != *expectedCrc)
        Fail(std::string("Błąd CRC."_pl), __LINE__);
    state = State::Consumed;
}

void CRARLoader_rar::Read(void* target) {
    CheckReadable();
    char* out = static_cast<char*>(target);
    if (buffered) {
        if (size > 0) std::memcpy(out, buffer.data(), size); // an empty entry may come with no buffer
        state = State::Consumed;
        return;
    }
    std::size_t done = 0;
    for (std::size_t got = 1; got > 0 && done < size; done += got)
        got = ReadSome(out + done, size - done);
    ExpectEnd(out, done);
}

void CRARLoader_rar::ReadToString(std::string& text) {
    CheckReadable();
    if (buffered) {
        text = std::move(buffer);
        state = State::Consumed;
        return;
    }
    // Grown as the data arrives, so a header that lies about the size costs no memory up front.
    text.clear();
    for (std::size_t got = 1; got > 0 && text.size() < size;) {
        const std::size_t done = text.size();
        const std::size_t want = std::min<std::size_t>(size - done, kChunk);
        text.resize(done + want);
        got = ReadSome(text.data() + done, want);
        text.resize(done + got);
    }
    ExpectEnd(text.data(), text.size());
}

void CRARLoader_rar::Skip() {
    if (state != State::Announced) Fail(rarload::ReadErrorMessage(), __LINE__);
    if (buffered) {
        state = State::Consumed;
        return;
    }
    SkipData();
}

void CRARLoader_rar::RaiseDataError() {
    const bool checksum = IsChecksumFailure(archive_error_string(handle));
    Fail(checksum ? std::string("Błąd CRC."_pl) : rarload::ReadErrorMessage(), __LINE__);
}

void CRARLoader_rar::Fail(const std::string& message, int line) {
    state = State::Broken;
    rarload::Raise(message, line);
}
