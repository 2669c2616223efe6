// The shipped GameData: it loads from the folder and from an archive of the same files, every frame a
// screen draws is there with something in it, and the font fits the rows the screens give it.
#include "RARLoad/ArchiveWriters.h"
#include "content/ShippedData.h"
#include "gfx/ListedSets.h"
#include "gfx/Gfx.h"
#include "platform/ImageDecode.h"
#include "platform/OpenGLDevice.h"
#include "platform/Window.h"
#include "support/Files.h"
#include "support/Text1250.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace vexo::literals;

namespace {

// Which frames of which set some screen draws: terrain tiles, children, snowballs, markers, order
// buttons and their icons, bubbles, the mouse cursors, the title picture.
const std::map<int, std::set<int>> kFramesDrawn = {
    {kTerrainSpriteSet, {0, 1, 2, 3, 4}},
    {kUnitSpriteSet, {0, 1, 2, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}},
    {kTitleSpriteSet, {0}},
};

struct Frame {
    std::vector<std::uint32_t> argb;
    int side = 0;
    std::uint32_t At(int x, int y) const { return argb[std::size_t(y) * side + x]; }
    int Alpha(int x, int y) const { return int(At(x, y) >> 24); }
    double Coverage() const {
        std::size_t solid = 0;
        for (std::uint32_t p : argb) solid += (p >> 24) > 32;
        return double(solid) / double(argb.size());
    }
    // Mean red, green and blue of the pixels that show.
    void MeanColour(double& r, double& g, double& b) const {
        double n = 0;
        r = g = b = 0;
        for (std::uint32_t p : argb)
            if ((p >> 24) > 200) {
                r += (p >> 16) & 0xFF;
                g += (p >> 8) & 0xFF;
                b += p & 0xFF;
                ++n;
            }
        r /= n;
        g /= n;
        b /= n;
    }
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

    // The sets as the game reads them from the shipped folder.
    static std::vector<CGfxSpriteSet> Sets() {
        CGfx gfx;
        gfx.Create(device);
        gfx.LoadGameData(content::GameDataFolder());
        std::string text;
        EXPECT_TRUE(vexo::ReadFileToString(content::GameDataFolder() + "/Sprites.xml", text));
        std::vector<CGfxSpriteSet> sets = ListedSets(gfx.sprite, text);
        gfx.Destroy();
        return sets;
    }

    static Frame Cut(const CGfxSpriteSet& set, int frame) {
        std::string bytes;
        EXPECT_TRUE(vexo::ReadFileToString(content::GameDataFolder() + "/" + set.file, bytes)) << set.file;
        std::vector<std::uint32_t> image;
        int width = 0, height = 0;
        EXPECT_FALSE(RenderFailed(DecodeImage(bytes.data(), std::uint32_t(bytes.size()), set.colorKey, 16384,
                                              image, width, height)));
        EXPECT_EQ(width, set.imageSize);
        EXPECT_EQ(height, set.imageSize);
        const int perRow = set.imageSize / set.frameSize;
        Frame out;
        out.side = set.frameSize;
        const int x0 = frame % perRow * set.frameSize, y0 = frame / perRow * set.frameSize;
        for (int y = 0; y < set.frameSize; ++y)
            for (int x = 0; x < set.frameSize; ++x)
                out.argb.push_back(image[std::size_t(y0 + y) * width + x0 + x]);
        return out;
    }

    static CGLWindow* window;
    static CRenderDevice* device;
};

CGLWindow* ShippedGameData::window = nullptr;
CRenderDevice* ShippedGameData::device = nullptr;

void ExpectEveryDrawnFrameLoaded(const CGfx& gfx) {
    for (const auto& [id, frames] : kFramesDrawn) {
        const CGfxSpriteSet* set = gfx.sprite.FindSet(id);
        ASSERT_NE(set, nullptr) << "set " << id;
        EXPECT_NE(set->texture, TextureHandle::None) << set->file;
        ASSERT_GT(set->frameSize, 0);
        const int perRow = set->imageSize / set->frameSize;
        for (int frame : frames) EXPECT_LT(frame, perRow * perRow) << "set " << id << " frame " << frame;
    }
    ASSERT_FALSE(gfx.font.Fonts().empty());
    EXPECT_EQ(gfx.font.Fonts().front().id, 0);
}

TEST_F(ShippedGameData, LoadsFromTheFolderAndFromAnArchiveOfTheSameFiles) {
    content::Scratch scratch;
    std::vector<testarchive::Item> items;
    for (const auto& entry : std::filesystem::directory_iterator(content::GameDataFolder())) {
        std::string bytes;
        ASSERT_TRUE(vexo::ReadFileToString(entry.path().string(), bytes));
        items.push_back({entry.path().filename().string(), bytes});
    }
    const std::string archive = scratch.Path() + "/GameData";
    testarchive::WriteFile(archive, testarchive::Rar5(items));

    for (const std::string& source : {content::GameDataFolder(), archive}) {
        SCOPED_TRACE(source);
        CGfx gfx;
        gfx.Create(device);
        ASSERT_NO_THROW(gfx.LoadGameData(source));
        ExpectEveryDrawnFrameLoaded(gfx);
        EXPECT_NO_THROW(gfx.font.Select(0));
        gfx.Destroy();
    }
}

TEST_F(ShippedGameData, EveryDrawnFrameHasAPictureAndTilesCoverTheirSquare) {
    for (const CGfxSpriteSet& set : Sets()) {
        const auto drawn = kFramesDrawn.find(set.id);
        ASSERT_NE(drawn, kFramesDrawn.end()) << "a set no screen draws: " << set.id;
        for (int frame : drawn->second) {
            SCOPED_TRACE("set " + std::to_string(set.id) + " frame " + std::to_string(frame));
            const Frame f = Cut(set, frame);
            if (set.id == kTerrainSpriteSet)
                EXPECT_EQ(f.Coverage(), 1.0); // a hole in a tile would show the black clear colour
            else
                EXPECT_GT(f.Coverage(), 0.05);
        }
    }
}

TEST_F(ShippedGameData, ColoursSuitTheWayTheGameTintsThem) {
    const std::vector<CGfxSpriteSet> sets = Sets();
    auto set = [&](int id) {
        for (const CGfxSpriteSet& s : sets)
            if (s.id == id) return s;
        ADD_FAILURE() << "no set " << id;
        return CGfxSpriteSet{};
    };
    // The map shades snow per corner with greys from 96 to 236 and the device doubles them, so the
    // snow frame must be a mid-grey: white on deep snow, greyer where it is thin.
    double r, g, b;
    Cut(set(kTerrainSpriteSet), 0).MeanColour(r, g, b);
    const double deep = 2.0 * g * 236 / 255;
    EXPECT_GE(deep, 240.0);
    EXPECT_LE(2.0 * g * 140 / 255, 170.0);
    EXPECT_NEAR(r, b, 8.0);

    // Children are light and neutral, so doubling red or blue turns them clearly red or blue.
    for (int kind : {0, 1, 2}) {
        Cut(set(kUnitSpriteSet), kind).MeanColour(r, g, b);
        EXPECT_NEAR(r, b, 30.0) << "kind " << kind;
        EXPECT_GT(g, 70.0) << "kind " << kind;
        EXPECT_LT(g, 190.0) << "kind " << kind;
    }

    // The pointer is drawn with its frame's corner at the mouse: the tip must be in that corner.
    const Frame pointer = Cut(set(kUnitSpriteSet), 22);
    EXPECT_GT(pointer.Alpha(2, 2), 128);
    EXPECT_EQ(pointer.Alpha(pointer.side - 2, pointer.side - 2), 0);
    // The targeting cross is drawn centred on the mouse.
    const Frame cross = Cut(set(kUnitSpriteSet), 23);
    EXPECT_GT(cross.Alpha(cross.side / 2, cross.side / 2), 128);
}

TEST_F(ShippedGameData, FontFitsTheConsoleRowsAndEveryDescriptionItsPanel) {
    CGfx gfx;
    gfx.Create(device);
    gfx.LoadGameData(content::GameDataFolder());
    gfx.font.Select(0);
    ASSERT_FALSE(RenderFailed(device->BeginScene()));
    const int line = gfx.font.DrawTextInRect(0, 0, 400, 100, std::string("Żółw gęś ŹDŹBŁO jest za daleko."_pl),
                                             kTextSingleLine, 0xFFFFFFFF);
    EXPECT_LE(line, 12); // the console's rows are 12 pixels apart
    EXPECT_GE(line, 9);
    // The mission screen's description box inside its 8-pixel margin, at 640 x 480 and 800 x 600.
    for (const content::Mission& mission : content::ShippedMissions()) {
        for (const float screen : {640.0f, 800.0f}) {
            const float w = screen, h = screen * 0.75f;
            const int height = gfx.font.DrawTextInRect(w / 2 + 12, 48, w - 16, h - 48, mission.description,
                                                       kTextWordBreak, 0xFF000000);
            EXPECT_LE(height, h - 96) << mission.name << " at " << w;
        }
    }
    EXPECT_FALSE(RenderFailed(device->EndScene()));
    gfx.Destroy();
}

} // namespace
