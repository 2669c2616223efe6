// tundrel-tool gamedata run as a program: the same listing from a folder and from archives, and a
// clean exit with a message for every damaged archive.
#include "RARLoad/ArchiveWriters.h"
#include "RARLoad/SourceTestKit.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using ToolRun = tundrel_test::ProgramRun;

class GameDataTool : public ::testing::Test {
protected:
    testkit::ScratchFolder scratch;

    ToolRun Tool(const std::string& arguments) const {
        return tundrel_test::RunInFolder(std::string("'") + TUNDREL_TOOL + "' " + arguments, scratch.Path());
    }

    // The same content as a folder and in the archive formats a mission maker may use.
    std::vector<std::string> MakeSources() const {
        // In the folder's order, so that the archives list in the same order too.
        const std::vector<testarchive::Item> items = {{"Sprites/Empty", "", true},
                                                      {"Sprites/śnieg.png", "PNGDATA"},
                                                      {"Sprites.xml", "<Sprites/>"},
                                                      {"zero", ""}};
        for (const auto& item : items)
            item.directory ? scratch.MakeFolder("GameData/" + item.name)
                           : scratch.Write("GameData/" + item.name, item.data);
        testarchive::WriteFile(scratch / "GameData.rar4",
                               testarchive::Rar4(testarchive::WithBackslashes(items)));
        testarchive::WriteFile(scratch / "GameData.rar5", testarchive::Rar5(items));
        testarchive::WriteFile(scratch / "GameData.zip", testarchive::WithLibarchive("zip", items));
        return {scratch / "GameData", scratch / "GameData.rar4", scratch / "GameData.rar5",
                scratch / "GameData.zip"};
    }
};

TEST_F(GameDataTool, ListsAndCatsFolderRar4Rar5AndZipAlike) {
    const std::string expected = "7 Sprites\\śnieg.png\n10 Sprites.xml\n0 zero\n";
    for (const std::string& source : MakeSources()) {
        const ToolRun list = Tool("gamedata list '" + source + "'");
        EXPECT_EQ(list.status, 0) << source << ": " << list.err;
        EXPECT_EQ(list.out, expected) << source;
        const ToolRun cat = Tool("gamedata cat '" + source + "' 'Sprites\\śnieg.png'");
        EXPECT_EQ(cat.status, 0) << source << ": " << cat.err;
        EXPECT_EQ(cat.out, "PNGDATA") << source;
        EXPECT_EQ(Tool("gamedata cat '" + source + "' Sprites/śnieg.png").status, 1) << source;
    }
}

TEST_F(GameDataTool, DamagedArchivesEndWithAMessageAndStatusOne) {
    const std::string good = testarchive::Rar4({{"a.txt", std::string(200, 'a')}, {"b.txt", "bbbb"}});
    const std::string zip =
        testarchive::WithLibarchive("zip", {{"a", std::string(5000, 'z')}, {"b", "bbbb"}});
    std::string flipped = good;
    flipped[good.find("aaaa") + 10] = 'A';
    const std::vector<std::pair<std::string, std::string>> cases = {
        {flipped, "Błąd CRC."},
        {good.substr(0, good.size() / 2), "Błąd odczytu."},
        {std::string(500, '\x7F'), "Plik nie jest poprawnym archiwum RAR."},
        {zip.substr(0, zip.size() / 2), ""},
    };
    for (const auto& [bytes, message] : cases) {
        testarchive::WriteFile(scratch / "GameData", bytes);
        const ToolRun run = Tool("gamedata list '" + (scratch / "GameData") + "'");
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_FALSE(run.err.empty());
    }
    const ToolRun missing = Tool("gamedata list '" + (scratch / "nowhere") + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, scratch / "nowhere" + " nie istnieje.\n");
}

TEST_F(GameDataTool, ExplainsItsVerbs) {
    const ToolRun help = Tool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("tundrel-tool gamedata list PATH"), std::string::npos);
    EXPECT_NE(help.out.find("tundrel-tool gamedata cat PATH NAME"), std::string::npos);
    EXPECT_EQ(Tool("").status, 1);
    EXPECT_EQ(Tool("frobnicate").status, 1);
    const ToolRun wrong = Tool("gamedata list");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("gamedata list PATH"), std::string::npos);
}

} // namespace
