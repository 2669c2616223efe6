// The shipped GameData on the real device: it loads from the folder and from an archive of the same
// files, and every frame a screen draws is there with something in it.
#include "RARLoad/ArchiveWriters.h"
#include "gfx/ListedSets.h"
#include "gfx/Gfx.h"
#include "platform/ImageDecode.h"
#include "platform/OpenGLDevice.h"
#include "platform/Window.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace vexo::literals;

namespace {

std::string GameDataFolder() { return tundrel_test::SourcePath("data/GameData"); }

// Which frames of which set some screen draws: terrain tiles, children, snowballs, markers, order
// buttons and their icons, bubbles, the mouse cursors, the title picture.
const std::map<int, std::set<int>> kFramesDrawn = {
    {kTerrainSpriteSet, {0, 1, 2, 3, 4}},
    {kUnitSpriteSet, {0, 1, 2, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
    {kTitleSpriteSet, {0}},
};

class ShippedGameData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = new CGLWindow;
        std::string error;
        ASSERT_TRUE(window->Create("content tests", 800, 600, WindowMode::Windowed, error)) << error;
        device = CreateOpenGLDevice(*window, error).release();
        ASSERT_NE(device, nullptr) << error;
    }
    // The window stays open until the process ends: shutting SDL's video down unloads Mesa's
    // driver, which leaves a few bytes of its own behind for the leak checker to report.
    static void TearDownTestSuite() { delete device; }

    // The share of a frame's pixels that show.
    static double Coverage(const CGfxSpriteSet& set, int frame) {
        std::string bytes;
        EXPECT_TRUE(vexo::ReadFileToString(GameDataFolder() + "/" + set.file, bytes)) << set.file;
        std::vector<std::uint32_t> image;
        int width = 0, height = 0;
        EXPECT_FALSE(RenderFailed(DecodeImage(bytes.data(), std::uint32_t(bytes.size()), set.colorKey, 16384,
                                              image, width, height)));
        EXPECT_EQ(width, set.imageSize);
        EXPECT_EQ(height, set.imageSize);
        const int perRow = set.imageSize / set.frameSize;
        const int x0 = frame % perRow * set.frameSize, y0 = frame / perRow * set.frameSize;
        std::size_t solid = 0;
        for (int y = 0; y < set.frameSize; ++y)
            for (int x = 0; x < set.frameSize; ++x)
                solid += (image[std::size_t(y0 + y) * width + x0 + x] >> 24) > 32;
        return double(solid) / double(set.frameSize * set.frameSize);
    }
    static CGLWindow* window;
    static CRenderDevice* device;
};

CGLWindow* ShippedGameData::window = nullptr;
CRenderDevice* ShippedGameData::device = nullptr;

TEST_F(ShippedGameData, LoadsFromTheFolderAndFromAnArchiveOfTheSameFiles) {
    tundrel_test::TempDir scratch;
    std::vector<testarchive::Item> items;
    for (const auto& entry : std::filesystem::directory_iterator(GameDataFolder())) {
        std::string bytes;
        ASSERT_TRUE(vexo::ReadFileToString(entry.path().string(), bytes));
        items.push_back({entry.path().filename().string(), bytes});
    }
    const std::string archive = scratch.File("GameData");
    vexo::WriteStringToFile(archive, testarchive::Rar5(items));

    for (const std::string& source : {GameDataFolder(), archive}) {
        SCOPED_TRACE(source);
        CGfx gfx;
        gfx.Create(device);
        ASSERT_NO_THROW(gfx.LoadGameData(source));
        ASSERT_FALSE(gfx.font.Fonts().empty());
        EXPECT_EQ(gfx.font.Fonts().front().id, 0);
        EXPECT_NO_THROW(gfx.font.Select(0));
        std::string listed;
        ASSERT_TRUE(vexo::ReadFileToString(GameDataFolder() + "/Sprites.xml", listed));
        for (const CGfxSpriteSet& set : ListedSets(gfx.sprite, listed))
            EXPECT_TRUE(kFramesDrawn.contains(set.id)) << "a set no screen draws: " << set.id;
        // Every drawn frame has a picture; a hole in a tile would show the black clear colour.
        for (const auto& [id, frames] : kFramesDrawn) {
            const CGfxSpriteSet* set = gfx.sprite.FindSet(id);
            ASSERT_NE(set, nullptr) << "set " << id;
            EXPECT_NE(set->texture, TextureHandle::None) << set->file;
            ASSERT_GT(set->frameSize, 0);
            for (int frame : frames) {
                ASSERT_LT(frame, (set->imageSize / set->frameSize) * (set->imageSize / set->frameSize)) << id;
                if (id == kTerrainSpriteSet)
                    EXPECT_EQ(Coverage(*set, frame), 1.0) << frame;
                else
                    EXPECT_GT(Coverage(*set, frame), 0.05) << id << " frame " << frame;
            }
        }
        gfx.Destroy();
    }
}

} // namespace
