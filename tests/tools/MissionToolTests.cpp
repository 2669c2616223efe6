// tundrel-tool run as a program: the summary of good missions, the messages of broken ones in
// UTF-8, exit statuses, and the refusal of wrong command lines.
#include "support/Files.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class MissionTool : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& text) const { vexo::WriteStringToFile(scratch.File(name), text); }
    // Runs in the scratch folder, so that the tool's Errors.log lands there. No word holds a quote.
    tundrel_test::ProgramRun Tool(const std::vector<std::string>& words) const {
        std::string command = "'" TUNDREL_TOOL "'";
        for (const std::string& word : words) command += " '" + word + "'";
        return tundrel_test::RunInFolder(command, scratch.path);
    }

    const fs::path missions = tundrel_test::SourcePath("tests/game/missions");
    tundrel_test::TempDir scratch;
};

// A mission file around the given matrix rows and unit lines.
std::string MissionText(const std::string& rows, const std::string& units) {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<map>\n  <matrix>\n" + rows +
           "  </matrix>\n  <objects>\n" + units + "  </objects>\n</map>\n";
}

TEST_F(MissionTool, CheckSumsUpGoodMissionsAndNamesWhatIsWrongWithTheOthers) {
    const std::string rows = "    ....\n    ....\n";
    const std::string unit = "    <unit type=\"boy\" team=\"0\" x=\"1\" y=\"1\"/>\n";
    fs::copy_file(missions / "escape.tlm", fs::path(scratch.path) / "śnieżka.tlm");
    Write("ragged.tlm", MissionText("    ....\n    ....\n    ...\n", unit));
    Write("empty-matrix.tlm", MissionText("", unit));
    // A misspelt end tag on line 8, after Polish letters that are one byte, and one column, each.
    Write("tag.tlm", "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<map>\n  <matrix>\n" + rows +
                         "  </matrix>\n  <objects>\n  <text>Za\xBF\xF3\xB3\xE6</tekst>\n" + unit +
                         "  </objects>\n</map>\n");
    const auto run = Tool({"mission", "check", "śnieżka.tlm", "ragged.tlm", "brakująca.tlm", "empty-matrix.tlm", "tag.tlm"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "śnieżka.tlm: OK 10x5, 3 units (1 player, 2 computer), target area yes\n"
                       "ragged.tlm: Matryca w misji nie ma stałej szerokości (wiersz nr 3).\n"
                       "brakująca.tlm: Nie można wczytać misji z pliku \"brakująca.tlm\".\n"
                       "empty-matrix.tlm: Matryca w misji jest pusta.\n"
                       "tag.tlm: Błąd podczas odczytywania zamknięcia elementu (line 8, column 15)\n");
    EXPECT_EQ(Tool({"mission", "check", "śnieżka.tlm"}).status, 0);

    const auto random = Tool({"mission", "simulate", "", "--seed", "7", "--max-seconds", "5"});
    EXPECT_EQ(random.status, 0) << random.err;
    EXPECT_EQ(random.out.rfind("result: timeout after 5.00 s; standing: ", 0), 0u) << random.out;
    EXPECT_EQ(Tool({"mission", "simulate", "", "--seed", "7", "--max-seconds", "5"}).out, random.out);
    EXPECT_EQ(Tool({"mission", "simulate", "tag.tlm"}).status, 1);
}

TEST_F(MissionTool, WrongCommandLinesAreRefusedWithTheUsage) {
    using Words = std::vector<std::string>;
    const std::string escape = (missions / "escape.tlm").string();
    for (const Words& wrong : {Words{"mission", "simulate"}, Words{"mission", "simulate", escape, "--step", "0"},
                               Words{"mission", "simulate", escape, "--max-seconds", "-1"},
                               Words{"mission", "simulate", escape, "--seed"}, Words{"mission", "fly"},
                               Words{"mission", "check"}, Words{"gamedata", "list", "--long"}}) {
        const auto run = Tool(wrong);
        EXPECT_EQ(run.status, 1) << wrong.back();
        EXPECT_EQ(run.out, "") << wrong.back();
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << wrong.back();
    }
}

} // namespace
