// The bad-input table: the real game started on a damaged copy of its data folder (offscreen), and
// hostile missions through the game's own loader and simulation. Each case has its exit status, its
// record in Errors.log and no crash; the cases that need a player's clicks are in play.py.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/Mission.h"
#include "game/ObjectList.h"
#include "game/Simulation.h"
#include "game/Unit.h"
#include "support/Error.h"
#include "support/Random.h"
#include "support/Text1250.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path SourceData() {
    const char* root = std::getenv("TUNDREL_SOURCE_DIR");
    return fs::path(root ? root : ".") / "data";
}

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void Replace(const fs::path& path, const std::string& from, const std::string& to) {
    std::string text = ReadAll(path);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " not in " << path;
    WriteAll(path, text.replace(at, from.size(), to));
}

// A fresh copy of the shipped data folder, removed with the test.
class DataCopy {
public:
    DataCopy()
        : folder(fs::temp_directory_path() /
                 ("tundrel-badinput-" + std::to_string(getpid()) + "-" + std::to_string(counter++))) {
        fs::remove_all(folder);
        fs::copy(SourceData(), folder, fs::copy_options::recursive);
        fs::remove(folder / "Settings.xml");
        fs::remove(folder / "Errors.log");
    }
    ~DataCopy() { fs::remove_all(folder); }
    fs::path operator/(const std::string& name) const { return folder / name; }
    std::string ErrorsLog() const {
        return fs::exists(folder / "Errors.log") ? ReadAll(folder / "Errors.log") : "";
    }

    const fs::path folder;

private:
    static inline int counter = 0;
};

// Runs the game in folder; -1 when it was still running after the bound and had to be killed.
int RunGame(const fs::path& folder) {
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // Under AddressSanitizer: the graphics driver is unloaded before the leak check, and what it
        // leaves cannot be traced, so a leak report would replace the status under test. Leaks are
        // the unit tests' and the end-to-end session's to find.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        execl(TUNDREL_GAME, TUNDREL_GAME, static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

struct GameCase {
    const char* name;
    std::function<void(const DataCopy&)> damage;
    int status;          // 2: the start failed; 0: a frame failed and the window closed
    const char* source;  // the record's source file
    const char* message; // part of the record's message, UTF-8
};

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
         const std::string png = ReadAll(data / "GameData/units.png");
         WriteAll(data / "GameData/units.png", png.substr(0, png.size() / 3));
     },
     2, "Gfx", "units.png"},
    {"MissingSoundEffect", [](const DataCopy& data) { fs::remove(data / "Sfx/3.wav"); }, 2, "Sfx", "3.wav"},
    {"UnknownSpriteSetId",
     [](const DataCopy& data) { Replace(data / "GameData/Sprites.xml", "<id>100</id>", "<id>101</id>"); }, 0,
     "Gfx", "Sprite o identyfikatorze 100 nie istnieje."},
    {"UnknownFontId",
     [](const DataCopy& data) { Replace(data / "GameData/Fonts.xml", "<id>0</id>", "<id>7</id>"); }, 0, "Gfx",
     "Czcionka o identyfikatorze 0 nie istnieje."},
    {"BrokenSettingsFile",
     [](const DataCopy& data) { WriteAll(data / "Settings.xml", "<settings><fullscreen>1</full"); }, 2, "XML",
     ""},
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
    // A start that failed wrote nothing of the player's; a closed window saved the settings.
    EXPECT_EQ(fs::exists(data / "Settings.xml"),
              c.status == 0 || std::string(c.name) == "BrokenSettingsFile");
}

INSTANTIATE_TEST_SUITE_P(Table, BadGameData, ::testing::ValuesIn(kGameCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Hostile missions: each loads into a sane world or raises an error with its record, and a world
// that loaded plays for five seconds with every unit deciding.
class HostileMission : public ::testing::Test {
protected:
    void SetUp() override {
        vexo::SetErrorLogFile(log.string());
        fs::remove(log);
        vexo::SeedRand(3);
    }
    void TearDown() override {
        Game().ClearWorld();
        fs::remove(log);
        fs::remove(file);
    }
    // True when the mission loaded; then it has been played.
    bool LoadAndPlay(const std::string& text) {
        WriteAll(file, text);
        CMissionScreen screen;
        try {
            LoadMission(screen, file.string());
        } catch (const vexo::CError&) {
            return false;
        }
        float time = 0.0f;
        for (int frame = 0; frame < 50 && !screen.over; ++frame)
            StepMission(screen, time += 0.1f, 0.1f, true);
        return true;
    }
    std::string Log() const { return fs::exists(log) ? ReadAll(log) : ""; }

    const fs::path log = fs::temp_directory_path() / ("tundrel-hostile-" + std::to_string(getpid()) + ".log");
    const fs::path file =
        fs::temp_directory_path() / ("tundrel-hostile-" + std::to_string(getpid()) + ".tlm");
};

std::string Mission(const std::string& matrix, const std::string& units) {
    return "<map><matrix>\n" + matrix + "\n</matrix><objects>" + units + "</objects></map>";
}

TEST_F(HostileMission, HugeMatrixLoadsWhole) {
    std::string matrix;
    for (int row = 0; row < 1500; ++row)
        matrix += std::string(1500, row % 7 ? '.' : '^') + "\n";
    ASSERT_TRUE(
        LoadAndPlay(Mission(matrix, R"(<unit team="0" x="5" y="5"/><unit team="1" x="1400" y="1400"/>)")));
    EXPECT_EQ(GameMap().width, 1500);
    EXPECT_EQ(GameMap().height, 1500);
}

TEST_F(HostileMission, DeepNestingIsAParserErrorNotAStackOverflow) {
    std::string nested;
    for (int i = 0; i < 200000; ++i)
        nested += "<a>";
    for (int i = 0; i < 200000; ++i)
        nested += "</a>";
    EXPECT_FALSE(LoadAndPlay(Mission("...", nested)));
    EXPECT_NE(Log().find("XML"), std::string::npos);
}

TEST_F(HostileMission, HugeNumbersAreHeldInRange) {
    ASSERT_TRUE(LoadAndPlay(
        Mission("......\n......\n......",
                R"(<unit team="99999999999" x="1e39" y="-1e39" life="1e300" level="99999999999"/>)"
                R"(<unit team="0" x="2" y="1" life="-1e30" level="-99999999999"/>)")));
    EXPECT_TRUE(Log().empty());
    for (const auto& object : GameObjects().All()) {
        EXPECT_TRUE(std::isfinite(object->x) && std::isfinite(object->y));
        if (const CUnit* unit = object->AsUnit()) {
            EXPECT_TRUE(std::isfinite(unit->life));
            EXPECT_GE(unit->level, 1);
        }
    }
}

TEST_F(HostileMission, UnitsOutsideTheMapAndNotANumberPlayWithoutHarm) {
    ASSERT_TRUE(LoadAndPlay(Mission("^^^^\n^~~^\n^//^",
                                    R"(<unit team="0" x="-50" y="2"/><unit team="1" x="2" y="1000000"/>)"
                                    R"(<unit team="1" x="nan" y="inf"/><unit team="0" x="1.5" y="1.5"/>)")));
    EXPECT_TRUE(Log().empty());
}

TEST_F(HostileMission, RaggedOrEmptyMatrixIsRefusedWithARecord) {
    EXPECT_FALSE(LoadAndPlay(Mission("....\n..", "")));
    EXPECT_FALSE(LoadAndPlay(Mission("", "")));
    EXPECT_FALSE(LoadAndPlay("<map><matrix>..</matrix></map>"));
    const std::string log = Log();
    EXPECT_NE(log.find("GamePlay"), std::string::npos);
    EXPECT_NE(log.find(vexo::Utf8ToCp1250("Matryca w misji nie ma stałej szerokości")), std::string::npos);
    EXPECT_NE(log.find(vexo::Utf8ToCp1250("Misja nie zawiera listy obiektów.")), std::string::npos);
}

} // namespace
