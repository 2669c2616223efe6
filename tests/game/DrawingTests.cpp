// Drawing through the graphics manager on a recording device: terrain shading, unit sprites and
// life bars.
#include "GameTestWorld.h"

#include "gfx/Gfx.h"
#include "gfx/RecordingDevice.h"

namespace {

class DrawingTest : public GameWorldTest {
protected:
    void SetUp() override {
        GameWorldTest::SetUp();
        gfx.Create(&device);
        const std::string xml =
            "<sprites><sprite><id>1</id><file>t.png</file><size>256</size><sprite-size>64</sprite-size></sprite>"
            "<sprite><id>2</id><file>u.png</file><size>256</size><sprite-size>32</sprite-size></sprite></sprites>";
        gfx.sprite.LoadText(true, "Sprites.xml", std::uint32_t(xml.size()), xml);
        const std::uint8_t bytes[4] = {1, 2, 3, 4};
        for (const char* file : {"t.png", "u.png"})
            if (gfx.sprite.WantsFile(false, file, 4) == kFileAsData) gfx.sprite.LoadData(false, file, 4, bytes);
        gfx.sprite.EndLoading(false);
        Game().camX = 0.0f;
        Game().camY = 0.0f;
        Game().tileSize = 32.0f;
    }
    void TearDown() override {
        gfx.Destroy();
        GameWorldTest::TearDown();
    }
    static std::uint32_t Grey(int g) { return 0xFF000000u | std::uint32_t(g) << 16 | std::uint32_t(g) << 8 | std::uint32_t(g); }

    CRecordingDevice device;
    CGfx gfx;
};

TEST_F(DrawingTest, ShadingOfASingleCellUsesItselfForEveryNeighbour) {
    MakeWorld(1, 1, 0.5f);
    Map().Draw(0.0f, 0.0f, 640.0f, 480.0f);
    ASSERT_EQ(device.draws.size(), 1u);
    const auto& v = device.draws[0].texturedVertices;
    ASSERT_EQ(v.size(), 4u);
    // v = 1 - e^-1 + 0.5 / 7 = 0.70355; 35 x 4v + 96 = 194.497.
    for (const TexturedVertex& corner : v) EXPECT_EQ(corner.color, Grey(194));
    EXPECT_FLOAT_EQ(v[0].x, 320.0f - 16.0f);
    EXPECT_FLOAT_EQ(v[0].y, 240.0f - 16.0f);

    Map().Cell(0, 0).yellow = true;
    Map().Draw(0.0f, 0.0f, 640.0f, 480.0f);
    EXPECT_EQ(device.draws.back().texturedVertices[3].color, 0xFFC2C281u); // blue 194 x 2/3
}

TEST_F(DrawingTest, CornersMixTheFourCellsThatMeetThere) {
    MakeWorld(2, 1, 0.5f);
    Map().Cell(1, 0).snow = 0.0f; // bare ground: drawn plain, brightness 0 for its neighbour
    Map().Draw(0.0f, 0.0f, 640.0f, 480.0f);
    const auto& v = device.draws.back().texturedVertices;
    ASSERT_EQ(v.size(), 8u);
    // Top-left, top-right, bottom-left, bottom-right; outside cells read as the tile itself.
    EXPECT_EQ(v[0].color, Grey(194));
    EXPECT_EQ(v[1].color, Grey(169));
    EXPECT_EQ(v[2].color, Grey(194));
    EXPECT_EQ(v[3].color, Grey(169));
    for (int i = 4; i < 8; ++i) EXPECT_EQ(v[std::size_t(i)].color, 0xFF7F7F7Fu);
}

TEST_F(DrawingTest, UnitsDrawTheirFrameInTheirSidesColourWhenVisible) {
    AddUnit(kGirl, 0, 0.0f, 0.0f);
    AddUnit(kBoy, 1, 1.0f, 0.0f);
    AddUnit(kBoy, 1, 40.0f, 0.0f); // off the view
    gfx.sprite.Begin(kUnitSpriteSet, 8, true);
    Objects().DrawAll(0.0f, 0.0f, 640.0f, 480.0f);
    gfx.sprite.Flush();
    const auto& v = device.draws.back().texturedVertices;
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(v[0].color, 0xFFFF7F7Fu);
    EXPECT_EQ(v[4].color, 0xFF7F7FFFu);
}

TEST_F(DrawingTest, LifeBarsShowLifeOrRecoveryStillAhead) {
    CUnit* boy = AddUnit(kBoy, 0, 0.0f, 0.0f);
    boy->life = -5.0f;
    gfx.filledRect.Begin(0);
    boy->DrawLifeBar(0.0f, 0.0f, 640.0f, 480.0f);
    gfx.filledRect.Flush();
    const auto& v = device.draws.back().colorVertices;
    ASSERT_EQ(v.size(), 8u);
    // Side 0.95 x 32 = 30.4: the bar starts at 320 - 15.2 + 1 and is half of 28.4 long.
    EXPECT_EQ(v[0].color, 0xFF000000u);
    EXPECT_FLOAT_EQ(v[4].x, 305.8f);
    EXPECT_FLOAT_EQ(v[5].x, 320.0f);
    EXPECT_EQ(v[5].color, 0xFF7F7FFFu);
}

} // namespace
