// tundrel-tool mission check and simulate run as a program: the summary and result lines, exit
// statuses, messages of broken missions in UTF-8, and runs that repeat exactly.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using ToolRun = tundrel_test::ProgramRun;

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class MissionTool : public ::testing::Test {
protected:
    void SetUp() override {
        const char* root = std::getenv("TUNDREL_SOURCE_DIR");
        ASSERT_NE(root, nullptr);
        missions = fs::path(root) / "tests/game/missions";
        std::string pattern = (fs::temp_directory_path() / "mission-tool-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch = pattern;
    }
    void TearDown() override { fs::remove_all(scratch); }

    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(scratch / name, std::ios::binary) << text;
    }

    // Runs in the scratch folder, so that the tool's Errors.log lands there.
    ToolRun Tool(const std::vector<std::string>& words) const {
        std::string command = Quoted(TUNDREL_TOOL);
        for (const std::string& word : words)
            command += " " + Quoted(word);
        return tundrel_test::RunInFolder(command, scratch);
    }

    fs::path missions, scratch;
};

// A mission file around the given matrix rows and unit lines.
std::string MissionText(const std::string& rows, const std::string& units) {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<map>\n  <matrix>\n" + rows +
           "  </matrix>\n  <objects>\n" + units + "  </objects>\n</map>\n";
}

TEST_F(MissionTool, CheckSumsUpEachMissionInOrder) {
    // A Polish file name is taken and shown in UTF-8, as the shell gives it.
    fs::copy_file(missions / "skirmish.tlm", scratch / "śnieżka.tlm");
    const ToolRun check = Tool({"mission", "check", (missions / "escape.tlm").string(), "śnieżka.tlm",
                                (missions / "river.tlm").string()});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out, (missions / "escape.tlm").string() +
                             ": OK 10x5, 3 units (1 player, 2 computer), target area yes\n"
                             "śnieżka.tlm: OK 20x7, 4 units (2 player, 2 computer), target area no\n" +
                             (missions / "river.tlm").string() +
                             ": OK 22x6, 7 units (3 player, 4 computer), target area no\n");
    EXPECT_EQ(check.err, "");
}

TEST_F(MissionTool, CheckReportsEveryBrokenMissionAndEndsWithStatusOne) {
    const std::string rows = "    ....\n    ....\n";
    const std::string unit = "    <unit type=\"boy\" team=\"0\" x=\"1\" y=\"1\"/>\n";
    Write("ragged.tlm", MissionText("    ....\n    ....\n    ...\n", unit));
    Write("no-objects.tlm", "<map><matrix>....</matrix></map>");
    Write("empty-matrix.tlm", MissionText("", unit));
    // A misspelt end tag on line 8, after Polish letters that are one byte, and one column, each.
    Write("tag.tlm", "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<map>\n  <matrix>\n" + rows +
                         "  </matrix>\n  <objects>\n  <text>Za\xBF\xF3\xB3\xE6</tekst>\n" + unit +
                         "  </objects>\n</map>\n");
    Write("good.tlm", MissionText(rows, unit));
    const ToolRun run = Tool({"mission", "check", "ragged.tlm", "brakująca.tlm", "no-objects.tlm",
                              "empty-matrix.tlm", "tag.tlm", "good.tlm"});
    EXPECT_EQ(run.status, 1);
    std::istringstream lines(run.out);
    std::string line;
    std::vector<std::string> got;
    while (std::getline(lines, line))
        got.push_back(line);
    const std::vector<std::string> expected = {
        "ragged.tlm: Matryca w misji nie ma stałej szerokości (wiersz nr 3).",
        "brakująca.tlm: Nie można wczytać misji z pliku \"brakująca.tlm\".",
        "no-objects.tlm: Misja nie zawiera listy obiektów.",
        "empty-matrix.tlm: Matryca w misji jest pusta.",
        "tag.tlm: Błąd podczas odczytywania zamknięcia elementu (line 8, column 15)",
        "good.tlm: OK 4x2, 1 units (1 player, 0 computer), target area no",
    };
    EXPECT_EQ(got, expected);

    EXPECT_EQ(Tool({"mission", "check"}).status, 1);
    const ToolRun alone = Tool({"mission", "check", "good.tlm"});
    EXPECT_EQ(alone.status, 0);
}

TEST_F(MissionTool, SimulateMatchesTheGoldenRunsAndRepeats) {
    std::ifstream golden(missions / "expected-results.txt");
    std::string line;
    int runs = 0;
    while (std::getline(golden, line)) {
        const std::size_t arrow = line.find(" => ");
        if (arrow == std::string::npos) continue;
        std::istringstream in(line.substr(0, arrow));
        std::vector<std::string> words = {"mission", "simulate"};
        std::string word;
        in >> word;
        words.push_back(word == "\"\"" ? "" : (missions / word).string());
        while (in >> word)
            words.push_back(word);
        const ToolRun run = Tool(words);
        EXPECT_EQ(run.status, 0) << line << run.err;
        EXPECT_EQ(run.out, line.substr(arrow + 4) + "\n") << line;
        ++runs;
        if (runs == 1 || word == "--both-computer") {
            EXPECT_EQ(Tool(words).out, run.out) << line;
        }
    }
    EXPECT_GE(runs, 4);
}

TEST_F(MissionTool, SimulateRandomMapsAndBrokenInput) {
    const ToolRun random = Tool({"mission", "simulate", "", "--seed", "7", "--max-seconds", "5"});
    EXPECT_EQ(random.status, 0) << random.err;
    EXPECT_EQ(random.out.rfind("result: timeout after 5.00 s; standing: ", 0), 0u) << random.out;
    EXPECT_EQ(Tool({"mission", "simulate", "", "--seed", "7", "--max-seconds", "5"}).out, random.out);

    const ToolRun missing = Tool({"mission", "simulate", "missing.tlm"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "missing.tlm: Nie można wczytać misji z pliku \"missing.tlm\".\n");

    Write("tag.tlm", "<map>\n  <matrix>....</matrix>\n  <objects></object>\n</map>\n");
    const ToolRun parse = Tool({"mission", "simulate", "tag.tlm"});
    EXPECT_EQ(parse.status, 1);
    EXPECT_EQ(parse.out, "tag.tlm: Błąd podczas odczytywania zamknięcia elementu (line 3, column 12)\n");

    const std::string escape = (missions / "escape.tlm").string();
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{"mission", "simulate"},
                                                  {"mission", "simulate", escape, "--step", "0"},
                                                  {"mission", "simulate", escape, "--step", "2"},
                                                  {"mission", "simulate", escape, "--max-seconds", "-1"},
                                                  {"mission", "simulate", escape, "--seed"},
                                                  {"mission", "simulate", escape, "--fast", "1"},
                                                  {"mission", "fly"}}) {
        const ToolRun run = Tool(wrong);
        EXPECT_EQ(run.status, 1) << wrong.back();
        EXPECT_EQ(run.out, "") << wrong.back();
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << wrong.back();
    }
}

TEST_F(MissionTool, EveryVerbAnswersHelpAndRefusesUnknownOptions) {
    using Words = std::vector<std::string>;
    for (const Words& help : {Words{"mission", "simulate", "--help"}, Words{"mission", "check", "a.tlm", "-h"},
                              Words{"mission", "render", "-h"}, Words{"gamedata", "list", "--help"}}) {
        const ToolRun run = Tool(help);
        EXPECT_EQ(run.status, 0) << help[1];
        EXPECT_EQ(run.out.rfind("Usage:\n  tundrel-tool " + help[0] + " ", 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
    EXPECT_FALSE(fs::exists(scratch / "Errors.log")) << "help loads nothing";

    for (const Words& wrong : {Words{"mission", "simulate", "--fast"}, Words{"mission", "check", "--all", "a.tlm"},
                               Words{"mission", "render", "a.tlm", "--out", "a.png", "--zoom", "2"},
                               Words{"gamedata", "list", "--long"}}) {
        const ToolRun run = Tool(wrong);
        EXPECT_EQ(run.status, 1) << wrong[2];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("unknown option --"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << run.err;
    }
}

TEST_F(MissionTool, BothComputerLetsThePlayersUnitsFetchSnow) {
    // The player's boy stands on bare ground with an enemy in throwing range on deep snow. On his
    // own he can only try to throw and is worn down; deciding like the computer he fetches snow.
    Write("bare.tlm", MissionText("    ################\n"
                                  "    #______^^^^^^^^#\n"
                                  "    #______^^^^^^^^#\n"
                                  "    #______^^^^^^^^#\n"
                                  "    ################\n",
                                  "    <unit type=\"boy\" team=\"0\" x=\"3\" y=\"2\"/>\n"
                                  "    <unit type=\"child\" team=\"1\" x=\"11\" y=\"2\"/>\n"));
    const ToolRun alone = Tool({"mission", "simulate", "bare.tlm", "--seed", "3"});
    const ToolRun both = Tool({"mission", "simulate", "bare.tlm", "--seed", "3", "--both-computer"});
    EXPECT_EQ(alone.status, 0);
    EXPECT_EQ(both.status, 0);
    EXPECT_EQ(alone.out.rfind("result: defeat after ", 0), 0u) << alone.out;
    EXPECT_NE(both.out, alone.out);
    EXPECT_EQ(both.out.rfind("result: ", 0), 0u) << both.out;
}

} // namespace
