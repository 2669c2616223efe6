// tundrel-tool gamedata run as a program: the same listing from a folder and from archives, and a
// clean exit with a message for a missing source.
#include "RARLoad/ArchiveWriters.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class GameDataTool : public ::testing::Test {
protected:
    tundrel_test::ProgramRun Tool(const std::string& arguments) const {
        return tundrel_test::RunInFolder(std::string("'") + TUNDREL_TOOL + "' " + arguments, scratch.path);
    }
    tundrel_test::TempDir scratch;
};

TEST_F(GameDataTool, ListsAndCatsFolderRar4Rar5AndZipAlike) {
    // In the folder's order, so that the archives list in the same order too.
    const std::vector<testarchive::Item> items = {{"Sprites/Empty", "", true},
                                                  {"Sprites/śnieg.png", "PNGDATA"},
                                                  {"Sprites.xml", "<Sprites/>"},
                                                  {"zero", ""}};
    std::filesystem::create_directories(scratch.File("GameData/Sprites/Empty"));
    for (const auto& item : items)
        if (!item.directory) vexo::WriteStringToFile(scratch.File("GameData/" + item.name), item.data);
    vexo::WriteStringToFile(scratch.File("GameData.rar4"), testarchive::Rar4(items));
    vexo::WriteStringToFile(scratch.File("GameData.rar5"), testarchive::Rar5(items));
    vexo::WriteStringToFile(scratch.File("GameData.zip"), testarchive::WithLibarchive("zip", items));
    for (const char* source : {"GameData", "GameData.rar4", "GameData.rar5", "GameData.zip"}) {
        const tundrel_test::ProgramRun list = Tool(std::string("gamedata list ") + source);
        EXPECT_EQ(list.status, 0) << source << ": " << list.err;
        EXPECT_EQ(list.out, "7 Sprites\\śnieg.png\n10 Sprites.xml\n0 zero\n") << source;
        const tundrel_test::ProgramRun cat =
            Tool(std::string("gamedata cat ") + source + " 'Sprites\\śnieg.png'");
        EXPECT_EQ(cat.status, 0) << source << ": " << cat.err;
        EXPECT_EQ(cat.out, "PNGDATA") << source;
        EXPECT_EQ(Tool(std::string("gamedata cat ") + source + " Sprites/śnieg.png").status, 1) << source;
    }
}

} // namespace
