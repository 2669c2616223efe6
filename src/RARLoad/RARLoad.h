// The game data source "GameData": a forward-only cursor over the entries of a folder or an archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct archive;
struct archive_entry;

// The start-up loader walks every entry once per pass: Next describes an entry, then exactly one of
// Read, ReadToString or Skip consumes it, until Next returns false. Every failure raises a
// vexo::CError (source "RARLoad\\RARLoad"); a source that raised is not to be used again.
class CRARLoader {
public:
    // Read and ReadToString refuse a larger entry before they write anything, so a caller need not
    // allocate more than this; Next and Skip pass over it, so a huge file nobody reads does no harm.
    static constexpr std::uint32_t kMaxEntrySize = 512u << 20;

    CRARLoader() = default;
    CRARLoader(const CRARLoader&) = delete;
    CRARLoader& operator=(const CRARLoader&) = delete;
    virtual ~CRARLoader() = default;

    // The next entry's name (Windows-1250, backslashes between folders) and its exact size in bytes,
    // held to the largest 32-bit size; false when there are no more. The entry is not consumed:
    // calling Next again describes it again.
    virtual bool Next(std::string& name, std::uint32_t& size) = 0;
    // Fills buffer, which holds at least the announced size, with the entry's bytes.
    virtual void Read(void* buffer) = 0;
    virtual void ReadToString(std::string& text) = 0;
    virtual void Skip() = 0;
};

// A folder: a snapshot of its files taken at construction, sub-folders depth first, each folder's
// entries in byte order of their names so that every pass and every machine sees the same order.
class CRARLoader_dir : public CRARLoader {
public:
    explicit CRARLoader_dir(const std::string& path);

    bool Next(std::string& name, std::uint32_t& size) override;
    void Read(void* buffer) override;
    void ReadToString(std::string& text) override;
    void Skip() override;

private:
    struct CEntry {
        std::string name;     // relative to the root, Windows-1250, backslashes
        std::string hostPath; // where the file is opened
        std::uint64_t size;
    };

    void Scan(const std::string& hostDir, const std::string& programDir, const std::string& prefix);
    const CEntry& Current() const;
    std::string FullPath(const CEntry& entry) const { return root + entry.name; }
    void ReadExactly(const CEntry& entry, char* buffer, bool systemError) const;

    std::vector<CEntry> entries;
    std::size_t index = 0;
    std::string root; // the path as given, with a trailing backslash
};

// An archive file (RAR 4, RAR 5, ZIP, 7z or tar), read strictly in sequence.
class CRARLoader_rar : public CRARLoader {
public:
    explicit CRARLoader_rar(const std::string& path);
    ~CRARLoader_rar() override;

    bool Next(std::string& name, std::uint32_t& size) override;
    void Read(void* buffer) override;
    void ReadToString(std::string& text) override;
    void Skip() override;

private:
    // HeaderRead: a header is read but not yet looked at; Announced: Next described it;
    // Consumed: its data is used up; Broken: a failure was raised and nothing more is read.
    enum class State { HeaderRead, Announced, Consumed, End, Broken };
    static constexpr std::size_t kChunk = 64 * 1024;

    void Release();
    [[noreturn]] void RaiseOpenError(const std::string& path, bool recognised);
    void Describe();
    void SkipData();
    void CheckReadable();
    std::size_t ReadSome(char* target, std::size_t count);
    void ExpectEnd(const char* data, std::size_t delivered);
    [[noreturn]] void RaiseDataError();
    [[noreturn]] void Fail(const std::string& message, int line);

    int file = -1;
    archive* handle = nullptr;
    archive_entry* entry = nullptr; // the current header, owned by handle
    State state = State::End;
    std::string name;
    std::uint64_t size = 0; // the whole size, which Next holds to 32 bits
    bool encrypted = false;
    std::optional<std::uint32_t> expectedCrc; // checked here where libarchive does not
    // An entry whose header does not tell its size is read whole when it is announced.
    bool buffered = false;
    std::string buffer;
};

// A folder source when path is a folder, otherwise an archive source; raises path + " nie istnieje."
// when there is nothing at path. The caller owns the result.
CRARLoader* OpenGameData(const std::string& path);
