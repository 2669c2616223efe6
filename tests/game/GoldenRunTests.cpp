// Golden headless runs: small missions (and one random map) played out with fixed seeds must end
// exactly as the checked-in result lines say.
#include "GameTestWorld.h"

#include "game/Simulation.h"
#include "support/Convert.h"
#include "support/TestFiles.h"

#include <fstream>
#include <sstream>

namespace {

struct GoldenRun {
    std::string mission; // "" for a random map
    CHeadlessOptions options;
    std::string expected;
};

// Lines of "FILE OPTIONS... => RESULT", the options as tundrel-tool mission simulate takes them.
std::vector<GoldenRun> ReadGoldenRuns(const std::string& folder) {
    std::vector<GoldenRun> runs;
    std::ifstream in(folder + "/expected-results.txt");
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t arrow = line.find(" => ");
        if (arrow == std::string::npos) continue;
        GoldenRun run;
        run.expected = line.substr(arrow + 4);
        std::istringstream words(line.substr(0, arrow));
        std::string file, option, value;
        words >> file;
        run.mission = file == "\"\"" ? "" : folder + "/" + file;
        while (words >> option) {
            if (option == "--both-computer") {
                run.options.bothComputer = true;
                continue;
            }
            words >> value;
            if (option == "--seed") run.options.seed = vexo::ToUInt(value);
            if (option == "--step") run.options.step = float(vexo::ToFloat(value));
            if (option == "--max-seconds") run.options.maxSeconds = float(vexo::ToFloat(value));
        }
        runs.push_back(run);
    }
    return runs;
}

class GoldenRunTest : public GameWorldTest {};

TEST_F(GoldenRunTest, MissionsPlayOutAsCheckedIn) {
    Game().console = nullptr;
    Game().sound = nullptr;
    const std::vector<GoldenRun> runs = ReadGoldenRuns(tundrel_test::SourcePath("tests/game/missions"));
    ASSERT_GE(runs.size(), 3u);
    for (const GoldenRun& run : runs) {
        EXPECT_EQ(DescribeResult(RunHeadless(run.mission, run.options)), run.expected) << run.mission;
    }
}

} // namespace
