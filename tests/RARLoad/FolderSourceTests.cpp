// The folder source: order, names, sizes, and what it refuses.
#include "RARLoad/SourceTestKit.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vexo::literals;
using testkit::DrainPath;
using testkit::Listing;
using tundrel_test::MessageOf;

namespace {

class FolderSource : public ::testing::Test {
protected:
    testkit::ScratchFolder scratch;
    std::string root = scratch / "GameData";
};

TEST_F(FolderSource, DeliversSubFoldersDepthFirstInByteOrderWithHiddenFiles) {
    scratch.Write("GameData/b.txt", "bee");
    scratch.Write("GameData/a.txt", "ay");
    scratch.Write("GameData/Sprites.xml", "<Sprites/>");
    scratch.Write("GameData/Sprites/unit.png", "png");
    scratch.Write("GameData/Z/deep/far.bmp", "bmp");
    scratch.Write("GameData/.hidden", "h");
    scratch.MakeFolder("GameData/Sprites/Empty");
    scratch.MakeFolder("GameData/Nothing");

    const Listing expected = {{".hidden", "h"},
                              {"Sprites\\unit.png", "png"},
                              {"Sprites.xml", "<Sprites/>"},
                              {"Z\\deep\\far.bmp", "bmp"},
                              {"a.txt", "ay"},
                              {"b.txt", "bee"}};
    EXPECT_EQ(DrainPath(root), expected);
    // Each pass opens a fresh source; both must see the same sequence.
    EXPECT_EQ(DrainPath(root), expected);
}

TEST_F(FolderSource, EmptyFilesAndEmptyFolders) {
    scratch.Write("GameData/empty.txt", "");
    scratch.MakeFolder("GameData/only/folders/here");
    std::unique_ptr<CRARLoader> source(OpenGameData(root));
    std::string name;
    std::uint32_t size = 99;
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(name, "empty.txt");
    EXPECT_EQ(size, 0u);
    source->Read(nullptr);
    EXPECT_FALSE(source->Next(name, size));
    EXPECT_FALSE(source->Next(name, size));
}

TEST_F(FolderSource, NamesArriveInWindows1250) {
    scratch.Write("GameData/Łódź/żółw.png", "x");
    EXPECT_EQ(DrainPath(root), (Listing{{std::string("Łódź\\żółw.png"_pl), "x"}}));
}

TEST_F(FolderSource, FollowsTheProtocol) {
    scratch.Write("GameData/1", "one");
    scratch.Write("GameData/2", "two");
    std::unique_ptr<CRARLoader> source(OpenGameData(root));
    std::string name;
    std::uint32_t size = 0;
    ASSERT_TRUE(source->Next(name, size));
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(name, "1") << "Next alone must not consume";
    source->Skip();
    std::string text;
    ASSERT_TRUE(source->Next(name, size));
    source->ReadToString(text);
    EXPECT_EQ(name + text, "2two");
    EXPECT_FALSE(source->Next(name, size));
    EXPECT_EQ(MessageOf([&] { source->ReadToString(text); }), "Błąd odczytu."_pl);
}

TEST_F(FolderSource, LinkedFoldersAreNotEnteredAndOnlyRegularFilesCount) {
    scratch.Write("GameData/a.txt", "a");
    scratch.Write("Elsewhere/b.txt", "b");
    std::filesystem::create_directory_symlink("..", root + "/up"); // a cycle
    std::filesystem::create_directory_symlink("../Elsewhere", root + "/there");
    std::filesystem::create_symlink("a.txt", root + "/same.txt");
    ASSERT_EQ(::mkfifo((root + "/pipe").c_str(), 0600), 0);
    EXPECT_EQ(DrainPath(root), (Listing{{"a.txt", "a"}, {"same.txt", "a"}}));
}

TEST_F(FolderSource, MissingSourceAndUnreadableFolder) {
    const auto missing = tundrel_test::ErrorOf([] { delete OpenGameData("GameData"); });
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->message, "GameData nie istnieje.");
    EXPECT_EQ(missing->sourceFile, "RARLoad\\RARLoad");
    // A file where a folder is expected cannot be listed either, and root cannot get past that.
    scratch.Write("plain.txt", "not a folder");
    EXPECT_EQ(MessageOf([&] { CRARLoader_dir source(scratch / "plain.txt"); }),
              std::string("Nie można rozpocząć przeglądania katalogu \""_pl) + (scratch / "plain.txt") +
                  "\".");
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    scratch.MakeFolder("GameData/Locked");
    ::chmod((root + "/Locked").c_str(), 0);
    EXPECT_EQ(MessageOf([&] { delete OpenGameData(root); }),
              std::string("Nie można rozpocząć przeglądania katalogu \""_pl) + root + "\\Locked\".");
    ::chmod((root + "/Locked").c_str(), 0700);
}

TEST_F(FolderSource, AFileThatChangedSinceTheScanIsAReadError) {
    scratch.Write("GameData/grows", "1234");
    scratch.Write("GameData/shrinks", "1234");
    scratch.Write("GameData/vanishes", "1234");
    std::unique_ptr<CRARLoader> source(OpenGameData(root));
    scratch.Write("GameData/grows", "12345");
    scratch.Write("GameData/shrinks", "123");
    std::filesystem::remove(root + "/vanishes");
    const std::string full = root + "\\";
    std::string name, text;
    std::uint32_t size = 0;
    char buffer[8];
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(MessageOf([&] { source->ReadToString(text); }),
              std::string("Nie można odczytać pliku \""_pl) + full + "grows\".");
    // The failed read leaves the entry where it was; the caller gives up, a test may go on.
    source->Skip();
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_THROW(source->Read(buffer), vexo::CWin32APIError);
    source->Skip();
    ASSERT_TRUE(source->Next(name, size));
    EXPECT_EQ(MessageOf([&] { source->Read(buffer); }),
              std::string("Nie można otworzyć pliku \""_pl) + full + "vanishes\".");
}

TEST_F(FolderSource, AFileTooLargeToReadIsRefusedOnlyWhenRead) {
    scratch.Write("GameData/a.txt", "a");
    const auto sparse = [&](const std::string& name, off_t length) {
        const int fd = ::open((root + "/" + name).c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, length), 0);
        ::close(fd);
    };
    sparse("giant.bin", off_t(4) << 30);
    sparse("huge.bin", off_t(600) << 20);
    const auto tooLarge = [&](const std::string& name, const std::string& size) {
        return std::string("Plik \""_pl) + root + "\\" + name + std::string("\" jest za duży ("_pl) + size +
               std::string(" bajtów)."_pl);
    };
    std::unique_ptr<CRARLoader> source(OpenGameData(root));
    std::string name, text;
    std::uint32_t size = 0;
    std::vector<std::pair<std::string, std::uint32_t>> passed;
    while (source->Next(name, size)) {
        passed.emplace_back(name, size);
        source->Skip();
    }
    EXPECT_EQ(passed, (std::vector<std::pair<std::string, std::uint32_t>>{
                          {"a.txt", 1}, {"giant.bin", UINT32_MAX}, {"huge.bin", 600u << 20}}));

    source.reset(OpenGameData(root));
    for (int skipped = 0; skipped < 2; ++skipped) {
        source->Next(name, size);
        source->Skip();
    }
    source->Next(name, size);
    EXPECT_EQ(MessageOf([&] { source->Read(nullptr); }), tooLarge("huge.bin", "629145600"))
        << "refused before anything is written";
    source.reset(OpenGameData(root));
    source->Next(name, size);
    source->Skip();
    source->Next(name, size);
    EXPECT_EQ(MessageOf([&] { source->ReadToString(text); }), tooLarge("giant.bin", "4294967296"));
}

TEST_F(FolderSource, AnEntryThatCannotBeDescribedIsAFolderReadError) {
    // The deepest folder's own path still opens, but the path of the file in it is too long.
    std::string dir = root, shown = root;
    while (dir.size() < 4000 - 201) {
        dir += "/" + std::string(200, 'd');
        shown += "\\" + std::string(200, 'd');
    }
    const std::string last(4000 - dir.size() - 1, 'e');
    dir += "/" + last;
    shown += "\\" + last;
    std::filesystem::create_directories(dir);
    const int folder = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    const std::string file(200, 'f');
    ::close(::openat(folder, file.c_str(), O_WRONLY | O_CREAT, 0644));
    EXPECT_EQ(MessageOf([&] { delete OpenGameData(root); }),
              std::string("Błąd podczas przeglądania katalogu \""_pl) + shown + "\".");
    ::unlinkat(folder, file.c_str(), 0);
    ::close(folder);
}

} // namespace
