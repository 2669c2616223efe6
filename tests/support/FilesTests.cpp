// Files and paths: whole-or-nothing writes, block reads, existence, the case-insensitive fallback.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vexo;
using namespace tundrel_test;

namespace {

std::vector<std::string> Names(const std::string& folder) {
    std::vector<CDirectoryEntry> entries;
    ListDirectory(folder, entries);
    std::vector<std::string> names;
    for (const CDirectoryEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

// Makes every write beyond `bytes` fail, as a full disk would, for the lifetime of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

TEST(Files, WriteReplacesTheWholeFileAndReadsBackTheSameBytes) {
    TempDir dir;
    const std::string path = dir.File("Settings.xml");
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += char(i * 7);
    WriteStringToFile(path, "an older and much longer content that must not survive");
    WriteStringToFile(path, bytes);
    std::string read = "junk";
    ASSERT_TRUE(ReadFileToString(path, read));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(Names(dir.path), std::vector<std::string>{"Settings.xml"});
}

TEST(Files, AFailedWriteLeavesTheOldFileAndNoTemporaryBehind) {
    TempDir dir;
    const std::string path = dir.File("Settings.xml");
    WriteStringToFile(path, "old");
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(WriteStringToFile(path, std::string(5000, 'n')));
    }
    std::string read;
    ASSERT_TRUE(ReadFileToString(path, read));
    EXPECT_EQ(read, "old");
    EXPECT_EQ(Names(dir.path), std::vector<std::string>{"Settings.xml"});

    // A folder that does not exist: nothing is created.
    EXPECT_FALSE(WriteStringToFile(dir.File("no/such/file"), "x"));
    EXPECT_EQ(Names(dir.path), std::vector<std::string>{"Settings.xml"});
}

// What a player may have put in place of Settings.xml: a link, a read-only file, a pipe; and the
// temporaries of runs killed while saving.
TEST(Files, WritesGoThroughLinksKeepTheModeAndNeverIntoAPipe) {
    TempDir dir;
    const std::string path = dir.File("Settings.xml");
    std::filesystem::create_directory(dir.File("real"));
    WriteStringToFile(dir.File("real/s.xml"), "old");
    ::chmod(dir.File("real/s.xml").c_str(), 0444);
    std::filesystem::create_symlink("real/s.xml", path);
    EXPECT_TRUE(WriteStringToFile(path, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    std::string read;
    EXPECT_TRUE(ReadFileToString(dir.File("real/s.xml"), read));
    EXPECT_EQ(read, "new");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0444));

    const std::string pipe = dir.File("pipe.xml");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ReadFileToString(pipe, read)) << "a pipe is refused without waiting for a writer";
    EXPECT_FALSE(WriteStringToFile(pipe, "x"));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_FALSE(ReadFileToString(dir.path, read)) << "nor is a folder read";
}

TEST(Files, TemporariesOfEndedRunsAreRemovedAndOthersKept) {
    TempDir dir;
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const std::string path = dir.File("Settings.xml");
    const std::string ours = "Settings.xml.tmp" + std::to_string(getpid());
    for (const std::string& name : {"Settings.xml.tmp" + std::to_string(ended), ours,
                                    std::string("Settings.xml.tmpx"), std::string("Other.xml.tmp1")})
        WriteStringToFile(dir.File(name), "x");
    RemoveStaleTemporaries(path);
    EXPECT_EQ(Names(dir.path), (std::vector<std::string>{"Other.xml.tmp1", ours, "Settings.xml.tmpx"}));
}

TEST(Files, ReadReportsMissingFilesAndReadsEmptyOnes) {
    TempDir dir;
    std::string text = "kept";
    EXPECT_FALSE(ReadFileToString(dir.File("missing"), text));
    EXPECT_EQ(text, "kept");
    std::ofstream(dir.File("empty")).close();
    EXPECT_TRUE(ReadFileToString(dir.File("empty"), text));
    EXPECT_EQ(text, "");
}

TEST(Files, ExistenceTellsFilesFromFolders) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("Maps"));
    WriteStringToFile(dir.File("Maps/a.tlm"), "<map/>");
    EXPECT_TRUE(FileExists(dir.File("Maps\\a.tlm")));
    EXPECT_FALSE(FileExists(dir.File("Maps")));
    EXPECT_FALSE(FileExists(dir.File("Maps\\b.tlm")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(dir.File("Maps")));
    EXPECT_FALSE(DirectoryExists(dir.File("Maps\\a.tlm")));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(Files, HostPathTurnsBackslashesAndFindsNamesInAnyLetterCase) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("GameData/Sprites"));
    WriteStringToFile(dir.File("GameData/Sprites/Chlopiec.PNG"), "png");
    EXPECT_EQ(HostPath(dir.path + "\\gamedata\\SPRITES\\chlopiec.png"),
              dir.File("GameData/Sprites/Chlopiec.PNG"));
    EXPECT_TRUE(FileExists(dir.path + "\\GAMEDATA\\sprites\\CHLOPIEC.png"));
    // What does not exist in any case keeps its spelling, so the open fails with that name.
    EXPECT_EQ(HostPath(dir.path + "\\gamedata\\missing.png"), dir.path + "/gamedata/missing.png");
    EXPECT_EQ(HostPath("Maps\\a.tlm"), "Maps/a.tlm");
}

TEST(Files, ListDirectorySortsAndDescribesEntries) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("b"));
    WriteStringToFile(dir.File("c.tlm"), "12345");
    WriteStringToFile(dir.File("a.tlm"), "");
    std::filesystem::create_symlink(dir.File("c.tlm"), dir.File("link"));
    std::filesystem::create_symlink(dir.File("gone"), dir.File("dangling"));
    std::vector<CDirectoryEntry> entries;
    ASSERT_TRUE(ListDirectory(dir.path, entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "a.tlm");
    EXPECT_TRUE(entries[1].isDirectory);
    EXPECT_EQ(entries[2].size, 5u);
    EXPECT_TRUE(entries[3].isSymlink);
    EXPECT_TRUE(entries[3].isRegularFile);
    EXPECT_FALSE(ListDirectory(dir.File("none"), entries));
    EXPECT_TRUE(entries.empty());
}

TEST(Files, ModulePathIsTheRunningProgram) {
    EXPECT_EQ(std::filesystem::path(GetModulePath()).filename(), "support_tests");
}
