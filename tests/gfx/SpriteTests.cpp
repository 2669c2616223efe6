// Sprite sets: Sprites.xml, texture loading and its messages, frame texture coordinates, the
// three size rules, rotation and the batch's draws.
#include "gfx/ListedSets.h"
#include "gfx/RecordingDevice.h"

#include "gfx/GfxSprite.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vexo::literals;
using tundrel_test::ErrorOf;
using tundrel_test::MessageOf;

namespace {

std::string SpriteXml(const std::string& sets) {
    return "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<!-- art -->\n<sprites>" + sets + "</sprites>";
}

std::string Set(int id, const std::string& file, int size, int frame, const std::string& key = "") {
    std::string xml = "<sprite><id>" + std::to_string(id) + "</id><file>" + file + "</file><size>" +
                      std::to_string(size) + "</size><sprite-size>" + std::to_string(frame) +
                      "</sprite-size>";
    if (!key.empty()) xml += "<color-key>" + key + "</color-key>";
    return xml + "</sprite>";
}

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override { sprite.Create(&device); }

    void Load(const std::string& sets) {
        const std::string xml = SpriteXml(sets);
        sprite.LoadText(true, "Sprites.xml", std::uint32_t(xml.size()), xml);
        for (const CGfxSpriteSet& set : ListedSets(sprite, xml)) {
            if (sprite.WantsFile(false, set.file, 4) == kFileAsData) {
                const std::uint8_t bytes[4] = {1, 2, 3, 4};
                sprite.LoadData(false, set.file, 4, bytes);
            }
        }
        sprite.EndLoading(false);
    }

    // The vertices of a single quad drawn with the given set, frame, size and angle.
    std::vector<CTexturedVertex> Quad(int setId, int frame, float size, float angle) {
        sprite.Begin(setId, 1, true);
        sprite.Add(frame, 100.0f, 50.0f, size, 0xFF7F7F7F, angle);
        sprite.Flush();
        return device.draws.back().texturedVertices;
    }

    CRecordingDevice device;
    CGfxSprite sprite;
};

TEST_F(SpriteTest, ReadsEverySetInOrderWithDefaultsAndIgnoresOtherChildren) {
    const std::string xml =
        SpriteXml(Set(2, "units.png", 512, 64, "0xFFFF00ff") + "<other/>text" +
                  "<sprite><file>a b.bmp</file><size>32</size><sprite-size>32</sprite-size></sprite>" +
                  Set(2, "dup.png", 64, 64));
    sprite.LoadText(true, "Sprites.xml", 0, xml);
    ASSERT_NE(sprite.FindSet(2), nullptr);
    EXPECT_EQ(sprite.FindSet(2)->colorKey, 0xFFFF00FFu);
    EXPECT_EQ(sprite.FindSet(2)->frameSize, 64);
    EXPECT_EQ(sprite.FindSet(2)->texture, TextureHandle::None);
    EXPECT_EQ(sprite.FindSet(2)->file, "units.png"); // the first of a repeated id wins
    EXPECT_EQ(sprite.WantsFile(false, "dup.png", 4), kFileAsData) << "the repeated id is read all the same";
    ASSERT_NE(sprite.FindSet(0), nullptr);
    EXPECT_EQ(sprite.FindSet(0)->file, "a b.bmp");
    EXPECT_EQ(sprite.FindSet(0)->colorKey, 0u);
}

TEST_F(SpriteTest, ImpossibleFrameSizesAreRefusedWhenTheFileIsRead) {
    for (const auto& [image, frame] : {std::pair{256, 0}, {64, 128}, {64, -8}}) {
        CGfxSprite fresh;
        fresh.Create(&device);
        const std::string xml = SpriteXml(Set(9, "x.png", image, frame));
        const auto error = ErrorOf([&] { fresh.LoadText(true, "Sprites.xml", 0, xml); });
        ASSERT_TRUE(error) << image << "/" << frame;
        EXPECT_NE(error->message.find("Sprite o identyfikatorze 9"), std::string::npos) << error->message;
        EXPECT_NE(error->message.find("Sprites.xml"), std::string::npos);
    }
}

TEST_F(SpriteTest, MissingRootIsReported) {
    const auto error = ErrorOf([&] { sprite.LoadText(true, "Sprites.xml", 0, "<fonts/>"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Nie znaleziono elementu głównego \"sprites\" w pliku \"Sprites.xml\"."_pl);
    EXPECT_EQ(error->sourceFile, "Gfx");
}

TEST_F(SpriteTest, WantsTheDescriptionFirstAndTheImagesSecond) {
    EXPECT_EQ(sprite.WantsFile(true, "Sprites.xml", 10), kFileAsText);
    EXPECT_EQ(sprite.WantsFile(true, "sprites.xml", 10), kFileNotWanted);
    const std::string xml = SpriteXml(Set(1, "Tiles\\terrain.png", 256, 64));
    sprite.LoadText(true, "Sprites.xml", 0, xml);
    EXPECT_EQ(sprite.WantsFile(true, "Tiles\\terrain.png", 10), kFileNotWanted);
    EXPECT_EQ(sprite.WantsFile(false, "Tiles\\terrain.png", 10), kFileAsData);
    EXPECT_EQ(sprite.WantsFile(false, "Tiles\\Terrain.png", 10), kFileNotWanted);
    EXPECT_EQ(sprite.WantsFile(false, "Sprites.xml", 10), kFileNotWanted);
}

TEST_F(SpriteTest, ImagesBecomeTexturesWithTheirKeyAndMissingOrSharedOnesAreNamed) {
    const std::string xml =
        SpriteXml(Set(1, "a.png", 64, 32, "FF00FF00") + Set(2, "a.png", 64, 32) + Set(3, "b.png", 64, 32));
    sprite.LoadText(true, "Sprites.xml", 0, xml);
    sprite.EndLoading(true);
    const std::uint8_t bytes[3] = {'p', 'n', 'g'};
    sprite.LoadData(false, "a.png", 3, bytes);
    ASSERT_EQ(device.textures.size(), 1u);
    EXPECT_EQ(device.textures.begin()->second.bytes, "png");
    EXPECT_EQ(device.textures.begin()->second.colorKey, 0xFF00FF00u);
    EXPECT_EQ(MessageOf([&] { sprite.EndLoading(false); }),
              "Nie można załadować spritów z plików:  \"b.png\"."_pl);
    sprite.LoadData(false, "b.png", 3, bytes);
    EXPECT_EQ(MessageOf([&] { sprite.EndLoading(false); }),
              "Zestawy spritów o identyfikatorach 1 i 2 wskazują ten sam plik \"a.png\"; obraz dostaje tylko "
              "pierwszy z nich."_pl);

    device.textureResult = kRenderInvalidData;
    const auto error = ErrorOf<vexo::CDirectXError>([&] { sprite.LoadData(false, "b.png", 3, bytes); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Nie można wczytać sprita z pliku \"b.png\"."_pl);
    EXPECT_EQ(error->code, std::uint32_t(kRenderInvalidData));
}

TEST_F(SpriteTest, DestroyReleasesTexturesAndForgetsTheSets) {
    Load(Set(1, "a.png", 64, 32) + Set(2, "b.png", 64, 64));
    ASSERT_EQ(device.textures.size(), 2u);
    sprite.Destroy();
    EXPECT_TRUE(device.textures.empty());
    EXPECT_EQ(sprite.WantsFile(false, "a.png", 4), kFileNotWanted);
    EXPECT_THROW(sprite.Begin(1, 1, false), vexo::CError);
}

TEST_F(SpriteTest, BeginWithAnUnknownIdNamesIt) {
    Load(Set(1, "a.png", 64, 32));
    EXPECT_EQ(MessageOf([&] { sprite.Begin(7, 10, false); }), "Sprite o identyfikatorze 7 nie istnieje."_pl);
}

TEST_F(SpriteTest, FramesAreSampledOneTexelInsideTheirBorders) {
    Load(Set(1, "terrain.png", 256, 64) + Set(100, "title.png", 512, 512));
    const auto v = Quad(1, 6, 0.0f, 0.0f); // four frames per row: row 1, column 2
    EXPECT_FLOAT_EQ(v[0].u, 129.0f / 256);
    EXPECT_FLOAT_EQ(v[0].v, 65.0f / 256);
    EXPECT_FLOAT_EQ(v[3].u, 191.0f / 256);
    EXPECT_FLOAT_EQ(v[3].v, 127.0f / 256);
    EXPECT_EQ(v[1].u, v[3].u);
    EXPECT_EQ(v[1].v, v[0].v);
    EXPECT_EQ(v[2].u, v[0].u);
    EXPECT_EQ(v[2].v, v[3].v);

    for (int frame : {0, 5, 99}) { // a single-frame image is drawn whole
        const auto whole = Quad(100, frame, 0.0f, 0.0f);
        EXPECT_EQ(whole[0].u, 0.0f);
        EXPECT_EQ(whole[0].v, 0.0f);
        EXPECT_EQ(whole[3].u, 1.0f);
        EXPECT_EQ(whole[3].v, 1.0f);
    }
}

TEST_F(SpriteTest, SizeIsPixelsNaturalOrAScaleFactor) {
    Load(Set(2, "units.png", 512, 64));
    const auto side = [&](float size) {
        const auto v = Quad(2, 0, size, 0.0f);
        return v[1].x - v[0].x;
    };
    EXPECT_FLOAT_EQ(side(0.0f), 64.0f);
    EXPECT_FLOAT_EQ(side(-2.0f), 128.0f);
    EXPECT_FLOAT_EQ(side(48.0f), 48.0f);
    EXPECT_FLOAT_EQ(side(-0.5f), 32.0f);
}

TEST_F(SpriteTest, UnturnedQuadIsAxisAlignedAndAQuarterTurnRotatesTheCorners) {
    Load(Set(2, "units.png", 512, 64));
    const auto flat = Quad(2, 0, 32.0f, 0.0f);
    const float expected[4][2] = {{84, 34}, {116, 34}, {84, 66}, {116, 66}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(flat[k].x, expected[k][0]);
        EXPECT_EQ(flat[k].y, expected[k][1]);
        EXPECT_EQ(flat[k].color, 0xFF7F7F7Fu);
        EXPECT_EQ(flat[k].z, 0.0f);
        EXPECT_EQ(flat[k].rhw, 1.0f);
    }
    // Counter-clockwise on screen: the top-left corner moves to the bottom-left, and so on.
    const auto turned = Quad(2, 0, 32.0f, float(M_PI / 2));
    const int takesPlaceOf[4] = {2, 0, 3, 1};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(turned[k].x, flat[takesPlaceOf[k]].x, 1e-3);
        EXPECT_NEAR(turned[k].y, flat[takesPlaceOf[k]].y, 1e-3);
        EXPECT_EQ(turned[k].u, flat[k].u); // the image turns with the corners
    }
    const auto eighth = Quad(2, 0, 32.0f, float(M_PI / 4));
    EXPECT_NEAR(eighth[0].x, 100.0f - 16.0f * std::sqrt(2.0f), 1e-3); // the corner now points left
    EXPECT_NEAR(eighth[0].y, 50.0f, 1e-3);
}

TEST_F(SpriteTest, FlushDrawsDoubledColourWithTheSetsTextureAndFilter) {
    Load(Set(1, "a.png", 64, 32) + Set(2, "b.png", 64, 32));
    sprite.Begin(1, 0, true);
    sprite.Flush();
    EXPECT_EQ(device.Count("DrawIndexedTriangleList"), 0u);
    const std::size_t before = device.calls.size();
    sprite.Flush();
    EXPECT_EQ(device.calls.size(), before);

    sprite.Begin(2, 3, false);
    sprite.AddQuad(1, 10, 10, 0, 1, 2, 3, 4, 0);
    sprite.AddQuad(2, 20, 10, 0, 5, 6, 7, 8, 0.5f);
    sprite.Flush();
    ASSERT_EQ(device.draws.size(), 1u);
    const auto& draw = device.draws[0];
    EXPECT_EQ(draw.texture, sprite.FindSet(2)->texture);
    EXPECT_EQ(draw.format, VertexFormat::XyzrhwDiffuseTex1);
    EXPECT_EQ(draw.stride, 28u);
    EXPECT_EQ(draw.triangleCount, 4u);
    EXPECT_EQ(draw.filter, TextureFilter::None);
    EXPECT_EQ(draw.stage.at(TextureStageState::ColorOp), std::uint32_t(TextureOp::Modulate2X));
    EXPECT_EQ(draw.stage.at(TextureStageState::ColorArg1), std::uint32_t(TextureArg::Texture));
    EXPECT_EQ(draw.stage.at(TextureStageState::ColorArg2), std::uint32_t(TextureArg::Diffuse));
    EXPECT_EQ(draw.stage.at(TextureStageState::AlphaOp), std::uint32_t(TextureOp::Modulate));
    EXPECT_EQ(draw.stage.at(TextureStageState::AlphaArg1), std::uint32_t(TextureArg::Texture));
    EXPECT_EQ(draw.stage.at(TextureStageState::AlphaArg2), std::uint32_t(TextureArg::Diffuse));
    EXPECT_EQ(draw.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 2, 3, 4, 5, 6, 5, 6, 7}));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(draw.texturedVertices[k].color, std::uint32_t(k + 1));

    sprite.Begin(1, 1, true);
    sprite.Add(0, 0, 0, 0, 0, 0);
    sprite.Flush();
    EXPECT_EQ(device.draws[1].filter, TextureFilter::Linear);
    EXPECT_EQ(device.draws[1].texture, sprite.FindSet(1)->texture);
}

TEST_F(SpriteTest, FailedFlushRaisesAndBeginDropsItsLeftovers) {
    Load(Set(1, "a.png", 64, 32));
    device.drawResult = kRenderFail;
    sprite.Begin(1, 1, false);
    sprite.Add(0, 0, 0, 0, 0, 0);
    const auto error = ErrorOf<vexo::CDirectXError>([&] { sprite.Flush(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Nie można narysować spritów."_pl);
    EXPECT_EQ(error->code, std::uint32_t(kRenderFail));
    device.drawResult = kRenderOk;
    sprite.Begin(1, 1, false);
    sprite.Add(0, 7, 7, 0, 0, 0);
    sprite.Flush();
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].vertexCount, 4u);
}

TEST_F(SpriteTest, BatchBeyondSixteenBitIndicesContinuesInANewDraw) {
    Load(Set(1, "a.png", 64, 32));
    sprite.Begin(1, 0, false);
    for (std::uint32_t i = 0; i < 2 * kMaxQuadsPerDraw + 5; ++i)
        sprite.Add(0, float(i), 0, 0, 0, 0);
    sprite.Flush();
    ASSERT_EQ(device.draws.size(), 3u);
    EXPECT_EQ(device.draws[1].vertexCount, 65536u);
    EXPECT_EQ(device.draws[2].triangleCount, 10u);
    EXPECT_EQ(device.draws[2].texturedVertices[0].x, float(2 * kMaxQuadsPerDraw) - 16.0f);
}

TEST_F(SpriteTest, AddWithoutBeginRaisesInsteadOfCrashing) {
    Load(Set(1, "a.png", 64, 32));
    EXPECT_THROW(sprite.Add(0, 0, 0, 0, 0, 0), vexo::CError);
}

} // namespace
