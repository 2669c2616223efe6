// The GUI library stays free of the platform: it draws and reads input only through the tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(Layering, GuiSourcesIncludeNoPlatformHeaders) {
    const std::filesystem::path folder = GUI_SOURCE_FOLDER;
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    const char* forbidden[] = {"SDL", "GL/", "epoxy", "ft2build", "freetype", "fontconfig", "archive.h"};
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("#include", 0) != 0) continue;
            for (const char* name : forbidden)
                EXPECT_EQ(line.find(name), std::string::npos) << entry.path() << ": " << line;
        }
    }
    EXPECT_GT(files, 0);
}

} // namespace
