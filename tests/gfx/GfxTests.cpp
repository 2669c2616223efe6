// The graphics layer on a recording device: batches split at the 16-bit index limit and recover
// from a failed draw, sprite frames and sizes, the limits of Fonts.xml and Sprites.xml.
#include "gfx/ListedSets.h"
#include "gfx/RecordingDevice.h"

#include "gfx/Gfx.h"
#include "gfx/GfxFont.h"
#include "gfx/GfxSprite.h"
#include "gfx/GfxFilledRect.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <gtest/gtest.h>

using namespace vexo::literals;
using tundrel_test::ErrorOf;
using tundrel_test::MessageOf;

namespace {

std::string Set(int id, const std::string& file, int size, int frame) {
    return "<sprite><id>" + std::to_string(id) + "</id><file>" + file + "</file><size>" +
           std::to_string(size) + "</size><sprite-size>" + std::to_string(frame) + "</sprite-size></sprite>";
}
std::string Font(const std::string& id, const std::string& size) {
    return "<font><id>" + id + "</id><name>DejaVu Sans</name><size>" + size + "</size></font>";
}

class GfxTest : public ::testing::Test {
protected:
    void SetUp() override {
        sprite.Create(&device);
        font.Create(&device);
        rects.Create(&device);
    }
    // Sprites.xml and one image for every set.
    void LoadSprites(const std::string& sets) {
        const std::string text = "<sprites>" + sets + "</sprites>";
        sprite.LoadText(true, "Sprites.xml", 0, text);
        for (const CGfxSpriteSet& set : ListedSets(sprite, text)) {
            const std::uint8_t bytes[4] = {1, 2, 3, 4};
            if (sprite.WantsFile(false, set.file, 4) == kFileAsData)
                sprite.LoadData(false, set.file, 4, bytes);
        }
        sprite.EndLoading(false);
    }
    void LoadFonts(const std::string& fonts) {
        font.LoadText(true, "Fonts.xml", 0, "<fonts>" + fonts + "</fonts>");
    }
    std::vector<CTexturedVertex> Quad(int setId, int frame, float size, float angle) {
        sprite.Begin(setId, 1, true);
        sprite.Add(frame, 100.0f, 50.0f, size, 0xFF7F7F7F, angle);
        sprite.Flush();
        return device.draws.back().texturedVertices;
    }

    CRecordingDevice device;
    CGfxSprite sprite;
    CGfxFont font;
    CGfxFilledRect rects;
};

TEST_F(GfxTest, BatchesBeyondSixteenBitIndicesAreDrawnInParts) {
    rects.Begin(kMaxQuadsPerDraw + 1);
    for (std::uint32_t i = 0; i <= kMaxQuadsPerDraw; ++i)
        rects.Add({float(i), 0, float(i) + 1, 1}, 0xFFFFFFFF);
    rects.Flush();
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].vertexCount, 65536u);
    EXPECT_EQ(device.draws[0].indices.back(), 65535u);
    EXPECT_EQ(device.draws[1].indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 2, 3}));
    EXPECT_EQ(device.draws[1].colorVertices[0].x, float(kMaxQuadsPerDraw));

    LoadSprites(Set(1, "a.png", 64, 32));
    sprite.Begin(1, 0, false);
    for (std::uint32_t i = 0; i < 2 * kMaxQuadsPerDraw + 5; ++i) sprite.Add(0, float(i), 0, 0, 0, 0);
    sprite.Flush();
    ASSERT_EQ(device.draws.size(), 5u);
    EXPECT_EQ(device.draws[3].vertexCount, 65536u);
    EXPECT_EQ(device.draws[4].triangleCount, 10u);
    EXPECT_EQ(device.draws[4].texturedVertices[0].x, float(2 * kMaxQuadsPerDraw) - 16.0f);
}

TEST_F(GfxTest, AFailedDrawRaisesWithItsCodeAndTheNextBatchStartsClean) {
    device.drawResult = kRenderInvalidCall;
    rects.Begin(1);
    rects.Add({0, 0, 1, 1}, 0xFFFFFFFF);
    const auto error = ErrorOf<vexo::CDirectXError>([&] { rects.Flush(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Nie można narysować prostokątów."_pl);
    EXPECT_EQ(error->code, std::uint32_t(kRenderInvalidCall));
    LoadSprites(Set(1, "a.png", 64, 32));
    sprite.Begin(1, 1, false);
    sprite.Add(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(MessageOf([&] { sprite.Flush(); }), "Nie można narysować spritów."_pl);

    device.drawResult = kRenderOk;
    rects.Begin(1);
    rects.Add({5, 5, 6, 6}, 0xFF00FF00);
    rects.Flush();
    sprite.Begin(1, 1, false);
    sprite.Add(0, 7, 7, 0, 0, 0);
    sprite.Flush();
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].vertexCount, 4u);
    EXPECT_EQ(device.draws[0].colorVertices[0].x, 5.0f);
    EXPECT_EQ(device.draws[1].vertexCount, 4u);
}

// Whether frames bleed into each other is checked by pixel on the real device.
TEST_F(GfxTest, SpritesAreDrawnAtTheirSize) {
    LoadSprites(Set(1, "terrain.png", 256, 64) + Set(100, "title.png", 512, 512));
    const auto whole = Quad(100, 99, 0.0f, 0.0f); // a single-frame image is drawn whole
    EXPECT_EQ(whole[3].u, 1.0f);
    EXPECT_EQ(whole[3].v, 1.0f);

    // Size 0 is the natural size, a negative one a scale factor, a positive one pixels.
    for (const auto& [size, side] :
         {std::pair{0.0f, 64.0f}, {-2.0f, 128.0f}, {48.0f, 48.0f}, {-0.5f, 32.0f}}) {
        const auto q = Quad(1, 0, size, 0.0f);
        EXPECT_FLOAT_EQ(q[1].x - q[0].x, side) << size;
    }
}

TEST_F(GfxTest, DescriptionsThatCannotBeDrawnAreRefusedWithTheirMessage) {
    LoadFonts(Font("0", "512") + Font("1", "-512"));
    device.fontResult = kRenderOutOfMemory;
    EXPECT_EQ(MessageOf([&] { LoadFonts(Font("2", "12")); }),
              "Nie można utworzyć czcionki na etapie 2/2."_pl);
    device.fontResult = kRenderOk;
    for (const char* size : {"513", "-513"})
        EXPECT_EQ(MessageOf([&] { LoadFonts(Font("7", size)); }),
                  std::string("Czcionka o identyfikatorze 7 ma niepoprawny rozmiar ("_pl) + size +
                      ") w pliku \"Fonts.xml\".");
    EXPECT_EQ(font.Fonts().size(), 2u);
    EXPECT_EQ(MessageOf([&] { font.Select(5); }), "Czcionka o identyfikatorze 5 nie istnieje."_pl);

    for (const auto& [image, frame] : {std::pair{256, 0}, {64, 128}, {64, -8}}) {
        CGfxSprite fresh;
        fresh.Create(&device);
        const std::string message = MessageOf([&] {
            fresh.LoadText(true, "Sprites.xml", 0,
                           "<sprites>" + Set(9, "x.png", image, frame) + "</sprites>");
        });
        EXPECT_NE(message.find("Sprite o identyfikatorze 9"), std::string::npos) << image << "/" << frame;
    }
}

TEST_F(GfxTest, DrawingBeforeSelectingOrBeginningRaisesInsteadOfCrashing) {
    LoadFonts(Font("0", "12"));
    LoadSprites(Set(1, "a.png", 64, 32));
    EXPECT_THROW(font.DrawText(0, 0, "x", 0), vexo::CError);
    EXPECT_THROW(sprite.Add(0, 0, 0, 0, 0, 0), vexo::CError);
    sprite.Destroy();
    EXPECT_THROW(sprite.Begin(1, 1, false), vexo::CError);
}

} // namespace

// The load that follows records the missing folder itself, as the bad-input runs see.
TEST(GfxManager, ReadingAheadRecordsNothing) {
    tundrel_test::TempDir folder;
    tundrel_test::CapturedErrorLog log;
    CGfx::DecodeImagesAhead(folder.File("missing")).reset();
    EXPECT_EQ(log.Contents(), "");
}
