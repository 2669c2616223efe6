// RAR 4 and RAR 5 stored-file writers, and a libarchive writer for the other formats.
#include "RARLoad/ArchiveWriters.h"
#include "support/TestFiles.h"

#include <archive.h>
#include <archive_entry.h>
#include <clocale>
#include <initializer_list>
#include <locale.h>
#include <stdexcept>
#include <utility>
#include <zlib.h>

namespace testarchive {

using tundrel_test::PutLE16;
using tundrel_test::PutLE32;

namespace {

// RAR 5's variable-length integer: seven bits per byte, lowest first, high bit set while more follow.
void PutVint(std::string& out, std::initializer_list<std::uint64_t> values) {
    for (std::uint64_t v : values) {
        do {
            out += char((v & 0x7F) | (v > 0x7F ? 0x80 : 0));
            v >>= 7;
        } while (v);
    }
}

// A RAR 4 block: the low half of the CRC32 of everything after the CRC field, then the fields.
std::string Rar4Block(std::uint8_t type, std::uint16_t flags, const std::string& rest) {
    std::string body;
    body += char(type);
    PutLE16(body, flags);
    PutLE16(body, std::uint32_t(2 + body.size() + 2 + rest.size()));
    body += rest;
    std::string block;
    PutLE16(block, Crc32(body) & 0xFFFF);
    return block + body;
}

// A RAR 5 header: CRC32 of the size field and the body, then the size, then the body.
std::string Rar5Block(const std::string& body) {
    std::string sized;
    PutVint(sized, {body.size()});
    sized += body;
    std::string block;
    PutLE32(block, Crc32(sized));
    return block + sized;
}

} // namespace

std::uint32_t Crc32(const std::string& bytes) {
    return std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size())));
}

std::string Rar4(const std::vector<Item>& items) {
    std::string out("Rar!\x1A\x07\x00", 7);
    out += Rar4Block(0x73, 0, std::string(6, '\0'));
    for (const Item& item : items) {
        bool unicode = false;
        for (unsigned char c : item.name)
            unicode = unicode || c > 0x7F;
        std::string rest;
        const std::uint32_t size = item.directory ? 0 : std::uint32_t(item.data.size());
        PutLE32(rest, size); // packed
        PutLE32(rest, size); // unpacked
        rest += char(2);     // made on Windows
        PutLE32(rest, item.directory ? 0 : Crc32(item.data));
        PutLE32(rest, 0x5A210000); // 2025-01-01 as a DOS date
        rest += "\x14\x30";        // version 2.0 needed to extract, stored
        PutLE16(rest, std::uint32_t(item.name.size()));
        PutLE32(rest, item.directory ? 0x10 : 0x20);
        for (char c : item.name) rest += c == '/' ? '\\' : c;
        const std::uint16_t flags = 0x8000 | (item.directory ? 0xE0 : 0) | (unicode ? 0x200 : 0);
        out += Rar4Block(0x74, flags, rest);
        if (!item.directory) out += item.data;
    }
    out += Rar4Block(0x7B, 0x4000, "");
    return out;
}

std::string Rar5(const std::vector<Item>& items) {
    std::string out("Rar!\x1A\x07\x01\x00", 8);
    std::string main;
    PutVint(main, {1, 0, 0}); // main archive header, no header or archive flags
    out += Rar5Block(main);
    for (const Item& item : items) {
        std::string body;
        const std::uint64_t size = item.directory ? 0 : item.data.size();
        // A file header with a data area (empty for a directory), the directory flag or a data CRC32,
        // and the attributes.
        PutVint(body, {2, 2, size, item.directory ? 1u : 4u, size, item.directory ? 0x10u : 0x20u});
        if (!item.directory) PutLE32(body, Crc32(item.data));
        // Stored with the smallest dictionary, made on Windows.
        PutVint(body, {0, 0, item.name.size()});
        body += item.name;
        out += Rar5Block(body);
        if (!item.directory) out += item.data;
    }
    std::string end;
    PutVint(end, {5, 0, 0}); // end of archive
    out += Rar5Block(end);
    return out;
}

std::string WithLibarchive(const std::string& format, const std::vector<Item>& items,
                           const std::string& options) {
    // The writers turn UTF-8 names into each format's own encoding through the thread's locale.
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    const locale_t previous = ::uselocale(utf8);
    archive* a = archive_write_new();
    if (archive_write_set_format_by_name(a, format.c_str()) != ARCHIVE_OK ||
        archive_write_set_options(a, options.c_str()) != ARCHIVE_OK)
        throw std::runtime_error("cannot write " + format + " with " + options);
    std::vector<char> memory(16 << 20);
    std::size_t used = 0;
    if (archive_write_open_memory(a, memory.data(), memory.size(), &used) != ARCHIVE_OK)
        throw std::runtime_error(archive_error_string(a));
    for (const Item& item : items) {
        archive_entry* e = archive_entry_new();
        archive_entry_update_pathname_utf8(e, item.name.c_str());
        archive_entry_set_filetype(e, item.directory ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(e, item.directory ? 0755 : 0644);
        archive_entry_set_size(e, item.directory ? 0 : la_int64_t(item.data.size()));
        archive_write_header(a, e);
        if (!item.directory) archive_write_data(a, item.data.data(), item.data.size());
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
    ::uselocale(previous);
    return std::string(memory.data(), used);
}

std::string ZipWithNameNotUtf8(const std::vector<Item>& items, const std::string& name) {
    std::string zip = WithLibarchive("zip", items);
    for (std::size_t at = zip.find(name); at != std::string::npos; at = zip.find(name, at + 1))
        zip[at + 3] = '\xFF';
    // The language-encoding flag (bit 11) of every local and central header.
    for (const auto& [signature, flagsAt] : {std::pair{"PK\3\4", 6}, std::pair{"PK\1\2", 8}})
        for (std::size_t at = zip.find(signature); at != std::string::npos; at = zip.find(signature, at + 1))
            zip[at + flagsAt + 1] = char(zip[at + flagsAt + 1] | 0x08);
    return zip;
}

std::string StreamedZip(const std::vector<Item>& items) {
    std::string out;
    for (const Item& item : items) {
        PutLE32(out, 0x04034B50);
        PutLE16(out, 20);     // version needed
        PutLE16(out, 0x0008); // sizes and CRC follow the data
        // Stored; time, date, CRC and both sizes left at zero, unknown here.
        out += std::string(2 + 4 + 12, '\0');
        PutLE16(out, std::uint32_t(item.name.size()));
        PutLE16(out, 0);
        out += item.name + item.data;
        PutLE32(out, 0x08074B50);
        PutLE32(out, Crc32(item.data));
        PutLE32(out, std::uint32_t(item.data.size()));
        PutLE32(out, std::uint32_t(item.data.size()));
    }
    // Where the central directory would begin: a streaming reader stops here.
    PutLE32(out, 0x02014B50);
    return out + std::string(42, '\0');
}

void WriteFile(const std::string& path, const std::string& bytes) {
    vexo::WriteStringToFile(path, bytes);
}

} // namespace testarchive
