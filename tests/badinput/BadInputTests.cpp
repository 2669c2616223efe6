// The bad-input table: the real game started on a damaged copy of its data folder (offscreen), the
// real tool on hostile files, and hostile missions through the game's own loader and simulation.
// Each case has its exit status, its record (in Errors.log, or on stderr where that cannot be
// written) and no crash or hang; the cases that need a player's clicks are in play.py.
#include "RARLoad/ArchiveWriters.h"
#include "game/GameState.h"
#include "game/Map.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/Simulation.h"
#include "game/Unit.h"
#include "support/Error.h"
#include "support/Random.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void WriteAll(const fs::path& path, const std::string& text) {
    vexo::WriteStringToFile(path.string(), text);
}

void Replace(const fs::path& path, const std::string& from, const std::string& to) {
    std::string text = tundrel_test::ReadText(path);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " not in " << path;
    WriteAll(path, text.replace(at, from.size(), to));
}

// A fresh copy of the shipped data folder, removed with the test.
struct DataCopy {
    DataCopy() : folder(fs::path(dir.path) / "data") {
        fs::copy(tundrel_test::SourcePath("data"), folder, fs::copy_options::recursive);
        fs::remove(folder / "Settings.xml");
        fs::remove(folder / "Errors.log");
    }
    fs::path operator/(const std::string& name) const { return folder / name; }
    std::string Stderr() const { return tundrel_test::ReadText(folder / "err"); }
    // The records: Errors.log, or what the game wrote to stderr (in UTF-8) when it could not be.
    std::string ErrorsLog() const {
        if (fs::is_regular_file(folder / "Errors.log")) return tundrel_test::ReadText(folder / "Errors.log");
        return vexo::Utf8ToCp1250(Stderr());
    }

    const tundrel_test::TempDir dir;
    const fs::path folder;
};

// Runs the game in folder, killed when it is still running after a minute. Under AddressSanitizer
// the graphics driver is unloaded before the leak check, and what it leaves cannot be traced, so a
// leak report would replace the status under test: leaks are the unit tests' and the end-to-end
// session's to find.
int RunGame(const fs::path& folder) {
    return tundrel_test::RunInFolder(
               "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "
               "timeout -s KILL 60 '" TUNDREL_GAME "'",
               folder)
        .status;
}

struct GameCase {
    const char* name;
    std::function<void(const DataCopy&)> damage;
    int status;          // 2: the start failed; 0: a frame failed and the window closed
    const char* source;  // the record's source file
    const char* message; // part of the record's message, UTF-8
    // What else must hold; by default, a failed start writes nothing of the player's settings and a
    // closed window saves them.
    std::function<void(const DataCopy&)> check = nullptr;
};

// A frame fails on the first draw, so the game closes by itself with status 0 and saves.
void CloseAtOnce(const DataCopy& data) {
    Replace(data / "GameData/Fonts.xml", "<id>0</id>", "<id>7</id>");
}

pid_t EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

const GameCase kGameCases[] = {
    {"MissingGameData", [](const DataCopy& data) { fs::remove_all(data / "GameData"); }, 2,
     "RARLoad\\RARLoad", "GameData nie istnieje."},
    {"CorruptArchive",
     [](const DataCopy& data) {
         fs::remove_all(data / "GameData");
         std::string noise(4096, '\0');
         for (std::size_t i = 0; i < noise.size(); ++i)
             noise[i] = char(i * 2654435761u >> 13);
         WriteAll(data / "GameData", "Rar!\x1a\x07\x00" + noise);
     },
     2, "RARLoad\\RARLoad", "GameData"},
    {"TruncatedPng",
     [](const DataCopy& data) {
         const std::string png = tundrel_test::ReadText(data / "GameData/units.png");
         WriteAll(data / "GameData/units.png", png.substr(0, png.size() / 3));
     },
     2, "Gfx", "units.png"},
    {"MissingSoundEffect", [](const DataCopy& data) { fs::remove(data / "Sfx/3.wav"); }, 2, "Sfx", "3.wav"},
    {"UnknownSpriteSetId",
     [](const DataCopy& data) { Replace(data / "GameData/Sprites.xml", "<id>100</id>", "<id>101</id>"); }, 0,
     "Gfx", "Sprite o identyfikatorze 100 nie istnieje."},
    {"BrokenSettingsFile",
     [](const DataCopy& data) { WriteAll(data / "Settings.xml", "<settings><fullscreen>1</full"); }, 2, "XML",
     "", [](const DataCopy& data) { EXPECT_TRUE(fs::is_regular_file(data / "Settings.xml")); }},
    {"ImageHeaderOf30000Squared",
     [](const DataCopy& data) {
         std::string png = tundrel_test::ReadText(data / "GameData/title.png");
         WriteAll(data / "GameData/title.png",
                  png.replace(16, 8, std::string("\0\0\x75\x30\0\0\x75\x30", 8)));
     },
     2, "Gfx", "Nie można wczytać sprita z pliku \"title.png\"."},
    {"FontOfTheLowestSize",
     [](const DataCopy& data) {
         Replace(data / "GameData/Fonts.xml", "<size>12</size>", "<size>-2147483648</size>");
     },
     2, "Gfx", "Czcionka o identyfikatorze 0 ma niepoprawny rozmiar (-2147483648)"},
    {"HundredHugeFonts",
     [](const DataCopy& data) {
         std::string fonts = "<fonts>";
         for (int i = 0; i < 100; ++i)
             fonts += "<font><id>" + std::to_string(i) + "</id><name>DejaVu Sans</name><size>100000</size></font>";
         WriteAll(data / "GameData/Fonts.xml", fonts + "</fonts>");
     },
     2, "Gfx",
     "Plik \"Fonts.xml\" opisuje za dużo czcionek (100, najwyżej 64)."},
    {"TwoSpriteSetsOneFile",
     [](const DataCopy& data) {
         Replace(data / "GameData/Sprites.xml", "<file>units.png</file>", "<file>terrain.png</file>");
     },
     2, "Gfx", "Zestawy spritów o identyfikatorach 1 i 2 wskazują ten sam plik \"terrain.png\""},
    {"ZipEntryNameNotUtf8",
     [](const DataCopy& data) {
         fs::remove_all(data / "GameData");
         WriteAll(data / "GameData", testarchive::ZipWithNameNotUtf8(
                                         {{"Fonts.xml", "<fonts/>"}, {"odd-name", "x"}}, "odd-name"));
     },
     2, "RARLoad\\RARLoad", "Nazwa pliku w archiwum ZIP nie jest poprawnym tekstem UTF-8."},
    {"ErrorsLogIsAPipe",
     [](const DataCopy& data) {
         ASSERT_EQ(::mkfifo((data / "Errors.log").c_str(), 0600), 0);
         fs::remove_all(data / "GameData");
     },
     2, "RARLoad\\RARLoad", "GameData nie istnieje."},
    {"ErrorsLogCannotBeWritten",
     [](const DataCopy& data) {
         fs::create_directory(data / "Errors.log");
         WriteAll(data / "GameData/Fonts.xml", "<czcionki/>");
     },
     2, "Gfx", "Nie znaleziono elementu głównego \"fonts\""},
    {"SettingsIsAPipe",
     [](const DataCopy& data) {
         ASSERT_EQ(::mkfifo((data / "Settings.xml").c_str(), 0600), 0);
         CloseAtOnce(data);
     },
     0, "d3dapp", "Nie można wczytać ustawień z pliku \"Settings.xml\".",
     [](const DataCopy& data) {
         EXPECT_TRUE(fs::is_fifo(data / "Settings.xml"));
         EXPECT_NE(data.ErrorsLog().find(vexo::Utf8ToCp1250("Nie można zapisać ustawień")),
                   std::string::npos);
     }},
    {"SettingsCannotBeSaved",
     [](const DataCopy& data) {
         fs::create_directory(data / "Settings.xml");
         CloseAtOnce(data);
     },
     0, "d3dapp", "Nie można zapisać ustawień do pliku \"Settings.xml\".",
     [](const DataCopy& data) {
         EXPECT_NE(data.Stderr().find("Settings could not be saved"), std::string::npos);
     }},
    {"SettingsLinkedReadOnlyWithAStaleTemporary",
     [](const DataCopy& data) {
         fs::create_directory(data / "saved");
         WriteAll(data / "saved/s.xml", "<settings/>");
         fs::permissions(data / "saved/s.xml", fs::perms(0444));
         fs::create_symlink("saved/s.xml", data / "Settings.xml");
         WriteAll(data / ("saved/s.xml.tmp" + std::to_string(EndedProcess())), "<settings><half");
         CloseAtOnce(data);
     },
     0, "Gfx", "Czcionka o identyfikatorze 0 nie istnieje.",
     [](const DataCopy& data) {
         EXPECT_TRUE(fs::is_symlink(data / "Settings.xml"));
         EXPECT_NE(tundrel_test::ReadText(data / "saved/s.xml").find("<window-size"), std::string::npos);
         EXPECT_EQ(fs::status(data / "saved/s.xml").permissions(), fs::perms(0444));
         EXPECT_EQ(std::distance(fs::directory_iterator(data / "saved"), fs::directory_iterator()), 1);
     }},
};

class BadGameData : public ::testing::TestWithParam<GameCase> {};

TEST_P(BadGameData, EndsWithItsStatusAndARecord) {
    const GameCase& c = GetParam();
    const DataCopy data;
    c.damage(data);
    EXPECT_EQ(RunGame(data.folder), c.status);
    const std::string log = data.ErrorsLog();
    EXPECT_NE(log.find(c.source), std::string::npos) << vexo::Cp1250ToUtf8(log);
    EXPECT_NE(log.find(vexo::Utf8ToCp1250(c.message)), std::string::npos) << vexo::Cp1250ToUtf8(log);
    if (c.check)
        c.check(data);
    else
        EXPECT_EQ(fs::is_regular_file(data / "Settings.xml"), c.status == 0);
}

INSTANTIATE_TEST_SUITE_P(Table, BadGameData, ::testing::ValuesIn(kGameCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Mission(const std::string& matrix, const std::string& units) {
    return "<map><matrix>\n" + matrix + "\n</matrix><objects>" + units + "</objects></map>";
}

std::string Matrix(int width, int height) {
    std::string matrix;
    for (int i = 0; i < height; ++i) matrix += std::string(std::size_t(width), '.') + "\n";
    return matrix;
}

std::string Units(int count) {
    std::string units;
    for (int i = 0; i < count; ++i)
        units += "<unit team=\"" + std::to_string(i % 2) + "\" x=\"" + std::to_string(i % 60) + "\" y=\"" +
                 std::to_string(i / 60 % 60) + "\"/>";
    return units;
}

bool UnderSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
    return __has_feature(address_sanitizer);
#else
    return false;
#endif
}

// The real tool on hostile missions: each file ends with its message and the tool's status 1, and
// a file that fails does not stop the ones after it.
struct ToolCase {
    const char* name;
    std::function<void(const fs::path& folder)> prepare;
    const char* command; // run in the folder, the tool's path in front
    const char* output;  // part of what it printed, UTF-8
};

const ToolCase kToolCases[] = {
    {"MissionIsAPipe",
     [](const fs::path& folder) { ASSERT_EQ(::mkfifo((folder / "m.tlm").c_str(), 0600), 0); },
     "mission check m.tlm", "m.tlm: Nie można wczytać misji z pliku \"m.tlm\"."},
    {"TooManyUnits",
     [](const fs::path& folder) {
         WriteAll(folder / "m.tlm", Mission(Matrix(60, 60), Units(kMaxMissionUnits + 1)));
     },
     "mission simulate m.tlm", "m.tlm: Misja ma za dużo jednostek (4097, najwyżej 4096)."},
    // Sparse: refused by its size before a byte of it is read.
    {"FileAboveTheLimit",
     [](const fs::path& folder) {
         WriteAll(folder / "m.tlm", "");
         fs::resize_file(folder / "m.tlm", 65 << 20);
     },
     "mission check m.tlm", "m.tlm: Plik misji ma za dużo bajtów (68157440, najwyżej 67108864)."},
    {"TooManyCells",
     [](const fs::path& folder) { WriteAll(folder / "m.tlm", Mission(Matrix(4097, 4096), Units(1))); },
     "mission check m.tlm", "m.tlm: Mapa misji ma za dużo pól (16781312, najwyżej 16777216)."},
    // A mission within the limits, but not within the memory the tool is given.
    {"OutOfMemoryGoesOnToTheNextFile",
     [](const fs::path& folder) {
         WriteAll(folder / "big.tlm", Mission(Matrix(4000, 4000), Units(1)));
         WriteAll(folder / "small.tlm", Mission(Matrix(3, 2), Units(1)));
     },
     "mission check big.tlm small.tlm",
     "big.tlm: out of memory\nsmall.tlm: OK 3x2, 1 units (1 player, 0 computer), target area no\n"},
};

class HostileFile : public ::testing::TestWithParam<ToolCase> {};

TEST_P(HostileFile, EndsWithItsMessageAndStatus1) {
    const ToolCase& c = GetParam();
    const bool outOfMemory = std::string(c.name) == "OutOfMemoryGoesOnToTheNextFile";
    // The sanitizers reserve terabytes of address space, so a memory limit cannot be set under them.
    if (outOfMemory && UnderSanitizer()) GTEST_SKIP();
    const tundrel_test::TempDir folder;
    c.prepare(folder.path);
    const std::string limit = outOfMemory ? "ulimit -v 150000 && " : "";
    const tundrel_test::ProgramRun run =
        tundrel_test::RunInFolder(limit + "'" TUNDREL_TOOL "' " + c.command, folder.path);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(c.output), std::string::npos) << run.out << run.err;
}

INSTANTIATE_TEST_SUITE_P(Table, HostileFile, ::testing::ValuesIn(kToolCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Hostile missions: each loads whole, without a record, into a world of finite numbers that plays
// for five seconds with every unit deciding.
struct MissionCase {
    const char* name;
    std::function<std::string()> text;
    int width, height;
};

const MissionCase kMissionCases[] = {
    {"HugeMatrix",
     [] {
         std::string matrix;
         for (int row = 0; row < 1500; ++row)
             matrix += std::string(1500, row % 7 ? '.' : '^') + "\n";
         return Mission(matrix, R"(<unit team="0" x="5" y="5"/><unit team="1" x="1400" y="1400"/>)");
     },
     1500, 1500},
    {"AsManyUnitsAsTheLimitAllows", [] { return Mission(Matrix(60, 60), Units(kMaxMissionUnits)); }, 60, 60},
    {"HugeNumbers",
     [] {
         return Mission("......\n......\n......",
                        R"(<unit team="99999999999" x="1e39" y="-1e39" life="1e300" level="99999999999"/>)"
                        R"(<unit team="0" x="2" y="1" life="-1e30" level="-99999999999"/>)");
     },
     6, 3},
    {"UnitsOutsideTheMapAndNotANumber",
     [] {
         return Mission("^^^^\n^~~^\n^//^",
                        R"(<unit team="0" x="-50" y="2"/><unit team="1" x="2" y="1000000"/>)"
                        R"(<unit team="1" x="nan" y="inf"/><unit team="0" x="1.5" y="1.5"/>)");
     },
     4, 3},
};

class HostileMission : public ::testing::TestWithParam<MissionCase> {};

TEST_P(HostileMission, LoadsSaneAndPlays) {
    const tundrel_test::TempDir dir;
    vexo::SetErrorLogFile(dir.File("Errors.log"));
    vexo::SeedRand(3);
    WriteAll(dir.File("m.tlm"), GetParam().text());
    CMissionScreen screen;
    ASSERT_NO_THROW(LoadMission(screen, dir.File("m.tlm")));
    float time = 0.0f;
    for (int frame = 0; frame < 50 && !screen.over; ++frame)
        StepMission(screen, time += 0.1f, 0.1f, true);
    EXPECT_EQ(GameMap().width, GetParam().width);
    EXPECT_EQ(GameMap().height, GetParam().height);
    for (const auto& object : GameObjects().All()) {
        EXPECT_TRUE(std::isfinite(object->x) && std::isfinite(object->y));
        if (const CUnit* unit = object->AsUnit()) {
            EXPECT_TRUE(std::isfinite(unit->life));
            EXPECT_GE(unit->level, 1);
        }
    }
    Game().ClearWorld();
    vexo::SetErrorLogFile("");
    EXPECT_FALSE(fs::exists(dir.File("Errors.log")));
}

INSTANTIATE_TEST_SUITE_P(Table, HostileMission, ::testing::ValuesIn(kMissionCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
