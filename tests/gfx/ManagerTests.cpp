// The graphics manager: the one instance, lifecycle order, the loading protocol over a real
// game data folder, and its messages.
#include "gfx/RecordingDevice.h"

#include "gfx/Gfx.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vexo::literals;
using tundrel_test::ErrorOf;
using tundrel_test::MessageOf;

namespace {

const char* const kSprites = "<sprites><sprite><id>1</id><file>tiles\\terrain.png</file><size>64</size>"
                             "<sprite-size>32</sprite-size></sprite><sprite><id>2</id><file>units.png</file>"
                             "<size>64</size><sprite-size>64</sprite-size><color-key>FFFF00FF</color-key>"
                             "</sprite></sprites>";
const char* const kFonts = "<fonts><font><id>0</id><name>DejaVu Sans</name><size>12</size></font></fonts>";

class GameDataFolder : public tundrel_test::TempDir {
public:
    GameDataFolder() { std::filesystem::create_directories(root / "tiles"); }
    void Write(const std::string& relative, const std::string& content) const {
        std::ofstream(root / relative, std::ios::binary) << content;
    }
    // Both descriptions and both images, with the given image contents.
    void WriteAll(const std::string& terrain, const std::string& units) const {
        Write("Sprites.xml", kSprites);
        Write("Fonts.xml", kFonts);
        Write("tiles/terrain.png", terrain);
        Write("units.png", units);
    }
    std::filesystem::path root = path;
};

std::vector<std::string> Only(const std::vector<std::string>& calls, const std::set<std::string>& names) {
    std::vector<std::string> kept;
    for (const std::string& c : calls)
        if (names.count(c)) kept.push_back(c);
    return kept;
}

TEST(GfxManager, InstanceLivesWithTheObject) {
    EXPECT_EQ(CGfx::Instance(), nullptr);
    {
        CGfx gfx;
        EXPECT_EQ(CGfx::Instance(), &gfx);
        gfx.SetScreenSize(800, 600);
        EXPECT_EQ(CGfx::Instance()->screenWidth, 800u);
        EXPECT_EQ(CGfx::Instance()->screenHeightF, 600.0f);
    }
    EXPECT_EQ(CGfx::Instance(), nullptr);
}

TEST(GfxManager, LifecycleRunsForwardAndTearsDownInReverse) {
    GameDataFolder folder;
    folder.WriteAll("T", "U");
    CRecordingDevice device;
    CGfx gfx;
    gfx.Create(&device);
    EXPECT_EQ(gfx.GetDevice(), &device);
    EXPECT_EQ(gfx.sprite.GetDevice(), &device);
    EXPECT_EQ(device.lines.size(), 1u);
    gfx.LoadGameData(folder.root.string());

    const std::set<std::string> lifecycle = {"ReleaseTexture",   "ReleaseLine",      "ReleaseFont",
                                             "LineOnLostDevice", "FontOnLostDevice", "LineOnResetDevice",
                                             "FontOnResetDevice"};
    device.calls.clear();
    gfx.Restore();
    gfx.Invalidate();
    gfx.Destroy();
    EXPECT_EQ(Only(device.calls, lifecycle),
              (std::vector<std::string>{"FontOnResetDevice", "LineOnResetDevice", "LineOnLostDevice",
                                        "FontOnLostDevice", "ReleaseTexture", "ReleaseTexture", "ReleaseLine",
                                        "ReleaseFont"}));
}

TEST(GfxManager, LoadsSpritesAndFontsFromAGameDataFolder) {
    GameDataFolder folder;
    folder.WriteAll("terrain bytes", "unit bytes");
    folder.Write("readme.txt", "not wanted");
    CRecordingDevice device;
    CGfx gfx;
    gfx.Create(&device);
    gfx.LoadGameData(folder.root.string());

    ASSERT_EQ(gfx.font.Fonts().size(), 1u);
    EXPECT_EQ(device.fonts.begin()->second.typeface, "DejaVu Sans");
    ASSERT_TRUE(gfx.sprite.FindSet(1) && gfx.sprite.FindSet(2));
    EXPECT_EQ(device.textures.at(gfx.sprite.FindSet(1)->texture).bytes, "terrain bytes");
    EXPECT_EQ(device.textures.at(gfx.sprite.FindSet(2)->texture).bytes, "unit bytes");
    EXPECT_EQ(device.textures.at(gfx.sprite.FindSet(2)->texture).colorKey, 0xFFFF00FFu);

    // Every device creation reads the data again from scratch.
    gfx.Destroy();
    gfx.Create(&device);
    gfx.LoadGameData(folder.root.string());
    EXPECT_EQ(device.textures.size(), 2u);
}

TEST(GfxManager, ReadingAheadRecordsNothingAndTheLoadRecordsAsBefore) {
    GameDataFolder folder;
    const std::string missing = (folder.root / "missing").string();
    tundrel_test::CapturedErrorLog log;
    CGfx::DecodeImagesAhead(missing).reset();
    EXPECT_EQ(log.Contents(), "");
    CRecordingDevice device;
    CGfx gfx;
    gfx.Create(&device);
    EXPECT_EQ(MessageOf([&] { gfx.LoadGameData(missing); }), missing + " nie istnieje.");
    EXPECT_NE(log.Contents().find("Numer      : 1"), std::string::npos);
}

TEST(GfxManager, AMissingImageEndsTheSecondPass) {
    GameDataFolder folder;
    folder.Write("Sprites.xml", kSprites);
    folder.Write("units.png", "U");
    CRecordingDevice device;
    CGfx gfx;
    gfx.Create(&device);
    EXPECT_EQ(MessageOf([&] { gfx.LoadGameData(folder.root.string()); }),
              "Nie można załadować spritów z plików:  \"tiles\\terrain.png\"."_pl);
}

TEST(GfxManager, EntriesGoToTheFirstObjectThatWantsThemAndOnlyOnce) {
    CRecordingDevice device;
    CGfx gfx;
    gfx.Create(&device);
    gfx.BeginLoading(true);
    EXPECT_EQ(gfx.WantsFile(true, "Fonts.xml", 10), kFileAsText);
    gfx.LoadText(true, "Fonts.xml", 10, kFonts);
    EXPECT_EQ(gfx.font.Fonts().size(), 1u);
    const auto error = ErrorOf([&] { gfx.LoadText(true, "Fonts.xml", 10, kFonts); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "[Load_String] To niemożliwe! Jak to się stało?!"_pl);
    EXPECT_EQ(error->sourceFile, "Gfx");
    EXPECT_EQ(gfx.WantsFile(true, "other.png", 10), kFileNotWanted);
    const std::uint8_t byte = 0;
    EXPECT_EQ(MessageOf([&] { gfx.LoadData(true, "other.png", 1, &byte); }),
              "[Load_Data] To niemożliwe! Jak to się stało?!"_pl);
    // EndLoading forgets a loader that was never used.
    EXPECT_EQ(gfx.WantsFile(true, "Sprites.xml", 10), kFileAsText);
    gfx.EndLoading(true);
    EXPECT_THROW(gfx.LoadText(true, "Sprites.xml", 10, kSprites), vexo::CError);
}

TEST(GfxManager, LineFailuresCarryTheDeviceCode) {
    CRecordingDevice device;
    CGfx gfx;
    device.lineResult = kRenderNotAvailable;
    const auto error = ErrorOf<vexo::CDirectXError>([&] { gfx.Create(&device); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Nie można utworzyć obiektu do rysowania linii."_pl);
    EXPECT_EQ(error->code, std::uint32_t(kRenderNotAvailable));
    device.lineResult = kRenderOk;
    gfx.line.Create(&device);
    gfx.line.DrawFrame(1, 2, 1, 9, 0xFF112233);
    ASSERT_EQ(device.polylines.size(), 1u);
    EXPECT_EQ(device.polylines[0].points, (std::vector<float>{1, 2, 1, 2, 1, 9, 1, 9, 1, 2}));
    EXPECT_EQ(device.polylines[0].color, 0xFF112233u);
    device.lineResult = kRenderInvalidCall;
    const auto drawError = ErrorOf<vexo::CDirectXError>([&] { gfx.line.DrawFrame(0, 0, 1, 1, 0); });
    ASSERT_TRUE(drawError);
    EXPECT_EQ(drawError->message, "Nie można narysować linii."_pl);
}

} // namespace
