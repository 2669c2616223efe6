// Files and paths: whole-or-nothing writes and the case-insensitive fallback.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using namespace vexo;
using namespace tundrel_test;

namespace {

std::vector<std::string> Names(const std::string& folder) {
    std::vector<CDirectoryEntry> entries;
    ListDirectory(folder, entries);
    std::vector<std::string> names;
    for (const CDirectoryEntry& entry : entries) names.push_back(entry.name);
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

TEST(Files, AFailedWriteLeavesTheOldFileAndNoTemporaryBehindAndAFailedAppendIsReported) {
    TempDir dir;
    const std::string path = dir.File("Settings.xml");
    WriteStringToFile(path, "old");
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(WriteStringToFile(path, std::string(5000, 'n')));
        // An append that stops at the limit says so, as a recording cut short must.
        EXPECT_FALSE(AppendStringToFile(dir.File("log.txt"), std::string(5000, 'n')));
        vexo::RemoveFile(dir.File("log.txt"));
    }
    std::string read;
    ASSERT_TRUE(ReadFileToString(path, read));
    EXPECT_EQ(read, "old");
    EXPECT_EQ(Names(dir.path), std::vector<std::string>{"Settings.xml"});

    // A folder that does not exist: nothing is created.
    EXPECT_FALSE(WriteStringToFile(dir.File("no/such/file"), "x"));
    EXPECT_EQ(Names(dir.path), std::vector<std::string>{"Settings.xml"});
    // Within the limit an append adds to the file, and a folder is made once and then found.
    EXPECT_TRUE(AppendStringToFile(path, "er") && ReadFileToString(path, read) && read == "older");
    EXPECT_TRUE(MakeDirectory(dir.File("Replays")) && DirectoryExists(dir.File("Replays")));
    EXPECT_TRUE(MakeDirectory(dir.File("Replays")));
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
