// The tests' one kit: a private temporary folder, a working folder entered for a while, the source
// tree's files, little-endian writers, Errors.log captured with a fixed environment, raised errors and
// programs run through the shell.
#pragma once

#include "support/Error.h"
#include "support/Files.h"
#include "support/Text1250.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <sys/wait.h>

namespace tundrel_test {

// A whole file, or "" when it cannot be read.
inline std::string ReadText(const std::filesystem::path& path) {
    std::string text;
    vexo::ReadFileToString(path.string(), text);
    return text;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tundrel-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(std::string_view name) const { return path + "/" + std::string(name); }
    std::string path;
};

// Enters a working folder and comes back to the previous one when it goes.
class InFolder {
public:
    explicit InFolder(const std::filesystem::path& folder) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::filesystem::path previous;
};

// A file or folder of the source tree, whose root ctest hands the tests; run by hand, set
// TUNDREL_SOURCE_DIR (the working folder stands in for it otherwise).
inline std::string SourcePath(std::string_view relative) {
    const char* root = std::getenv("TUNDREL_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + std::string(relative);
}

// Little-endian integers appended to a byte string, as the archive and image formats store them.
inline void PutLE16(std::string& out, std::uint32_t v) {
    out += {char(v & 0xFF), char((v >> 8) & 0xFF)};
}
inline void PutLE32(std::string& out, std::uint32_t v) {
    PutLE16(out, v & 0xFFFF);
    PutLE16(out, v >> 16);
}

// A record written out by hand: UTF-8 lines in the source, Windows-1250 with CR LF in the file.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines)
        text += vexo::Utf8ToCp1250(line) + "\r\n";
    return text;
}

// The machine lines of a record in the captured log, and the base record every error there starts with.
inline std::string MachineLines() {
    return Lines({"  Czas       : 2026-01-02 03:04:05", "  Komputer   : SNIEZKA", "  Użytkownik : gracz",
                  "  Plik       : C:\\Gry\\Tundrel.exe"});
}
inline std::string BaseRecordHead() { return Lines({"", "Środowisko"}) + MachineLines(); }

// A log's text with the lines that differ from run to run made fixed: each record's machine lines
// (time, computer and user where present, program) become MachineLines, and the records are
// numbered from 1 at the first one. Machine lines out of their order stay as they are, so a record
// that garbles them still differs.
inline std::string AsWrittenByHand(const std::string& text) {
    const std::string head = vexo::Utf8ToCp1250("Środowisko\r\n"), number = "  Numer      : ";
    const std::regex machine(head + "  Czas       : [^\r\n]*\r\n(  Komputer   : [^\r\n]*\r\n)?" +
                             vexo::Utf8ToCp1250("(  Użytkownik : [^\r\n]*\r\n)?") + "  Plik       : [^\r\n]*\r\n");
    const std::string fixed = std::regex_replace(text, machine, head + MachineLines());
    std::string out;
    long first = -1;
    std::size_t copied = 0;
    const std::regex numbered(number + "(\\d+)");
    for (std::sregex_iterator m(fixed.begin(), fixed.end(), numbered), end; m != end; ++m) {
        const long n = std::stol((*m)[1]);
        if (first < 0) first = n;
        out += m->prefix().str() + number + std::to_string(n - first + 1);
        copied = std::size_t(m->position() + m->length());
    }
    return out + fixed.substr(copied);
}

// Points the error log at a file of its own; Contents() reads it as AsWrittenByHand shows it.
class CapturedErrorLog {
public:
    CapturedErrorLog() : path(dir.File("Errors.log")) { vexo::SetErrorLogFile(path); }
    ~CapturedErrorLog() { vexo::SetErrorLogFile(""); } // not copied: the folder is its own

    std::string Contents() const { return AsWrittenByHand(ReadText(path)); }

    TempDir dir;
    std::string path;
};

// The error of type E that running f raises, or nothing if it raises none.
template <class E = vexo::CError, class F> std::optional<E> ErrorOf(F&& f) {
    try {
        f();
    } catch (const E& error) {
        return error;
    }
    return std::nullopt;
}

// The message of the vexo::CError that running f raises, or "" if it raises none.
template <class F> std::string MessageOf(F&& f) {
    const std::optional<vexo::CError> error = ErrorOf(f);
    return error ? error->message : std::string();
}

// What a program run through the shell left behind.
struct ProgramRun {
    int status = -1; // the exit status, or -1 when the program did not exit normally
    std::string out, err;
};

// Runs a shell command in folder, capturing its standard output and error in files there.
inline ProgramRun RunInFolder(const std::string& command, const std::filesystem::path& folder) {
    const int raw = std::system(("cd '" + folder.string() + "' && " + command + " >out 2>err").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(folder / "out"), ReadText(folder / "err")};
}

} // namespace tundrel_test
