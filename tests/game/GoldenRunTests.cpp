// Golden headless runs: small missions (and one random map) played out with fixed seeds must end
// exactly as the checked-in result lines say.
#include "GameTestWorld.h"

#include "game/Simulation.h"
#include "support/Convert.h"
#include "support/TestFiles.h"

#include <fstream>
#include <sstream>

namespace {

class GoldenRunTest : public GameWorldTest {};

// Lines of "FILE OPTIONS... => RESULT", the options as tundrel-tool mission simulate takes them.
TEST_F(GoldenRunTest, MissionsPlayOutAsCheckedIn) {
    Game().console = nullptr;
    Game().sound = nullptr;
    const std::string folder = tundrel_test::SourcePath("tests/game/missions");
    std::ifstream in(folder + "/expected-results.txt");
    int runs = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t arrow = line.find(" => ");
        if (arrow == std::string::npos) continue;
        std::istringstream words(line.substr(0, arrow));
        std::string file, option, value;
        words >> file;
        CHeadlessOptions options;
        while (words >> option) {
            if (option == "--both-computer") {
                options.bothComputer = true;
                continue;
            }
            words >> value;
            if (option == "--seed") options.seed = vexo::ToUInt(value);
            if (option == "--step") options.step = float(vexo::ToFloat(value));
            if (option == "--max-seconds") options.maxSeconds = float(vexo::ToFloat(value));
        }
        const std::string mission = file == "\"\"" ? "" : folder + "/" + file; // "" for a random map
        EXPECT_EQ(DescribeResult(RunHeadless(mission, options)), line.substr(arrow + 4)) << line;
        ++runs;
    }
    EXPECT_GE(runs, 3);
}

} // namespace
