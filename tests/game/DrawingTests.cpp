// Drawing on a recording canvas: terrain shading, unit sprites and life bars, and nothing at all
// while no canvas is handed over.
#include "GameTestWorld.h"

#include <array>

namespace {

struct RecordingCanvas : IGameCanvas {
    struct Shape {
        int frame; // -1 for a filled rectangle
        float x, y, side, right;
        std::array<std::uint32_t, 4> colours;
    };
    void BeginTerrain(std::uint32_t) override { ++batches; }
    void EndSprites() override {}
    void Sprite(int frame, float x, float y, float side, std::uint32_t colour, float) override {
        shapes.push_back({frame, x, y, side, 0.0f, {colour, colour, colour, colour}});
    }
    void ShadedSprite(int frame, float x, float y, float side, std::uint32_t c0, std::uint32_t c1, std::uint32_t c2,
                      std::uint32_t c3) override {
        shapes.push_back({frame, x, y, side, 0.0f, {c0, c1, c2, c3}});
    }
    void Rect(float left, float top, float right, float, std::uint32_t colour) override {
        shapes.push_back({-1, left, top, 0.0f, right, {colour, colour, colour, colour}});
    }
    void Text(float, float, const std::string& text, std::uint32_t) override { texts.push_back(text); }

    int batches = 0;
    std::vector<Shape> shapes;
    std::vector<std::string> texts;
};

class DrawingTest : public GameWorldTest {
protected:
    void SetUp() override {
        GameWorldTest::SetUp();
        Game().canvas = &canvas;
        Game().camX = 0.0f;
        Game().camY = 0.0f;
        Game().tileSize = 32.0f;
    }
    void TearDown() override {
        Game().canvas = nullptr;
        GameWorldTest::TearDown();
    }
    static std::uint32_t Grey(int g) { return 0xFF000000u | std::uint32_t(g) << 16 | std::uint32_t(g) << 8 | std::uint32_t(g); }

    RecordingCanvas canvas;
};

TEST_F(DrawingTest, ShadingOfASingleCellUsesItselfForEveryNeighbour) {
    MakeWorld(1, 1, 0.5f);
    Map().Draw(0.0f, 0.0f, 640.0f, 480.0f);
    ASSERT_EQ(canvas.shapes.size(), 1u);
    // v = 1 - e^-1 + 0.5 / 7 = 0.70355; 35 x 4v + 96 = 194.497.
    for (std::uint32_t corner : canvas.shapes[0].colours) EXPECT_EQ(corner, Grey(194));
    EXPECT_FLOAT_EQ(canvas.shapes[0].x, 320.0f);
    EXPECT_FLOAT_EQ(canvas.shapes[0].y, 240.0f);

    Map().Cell(0, 0).yellow = true;
    Map().Draw(0.0f, 0.0f, 640.0f, 480.0f);
    EXPECT_EQ(canvas.shapes.back().colours[3], 0xFFC2C281u); // blue 194 x 2/3
}

TEST_F(DrawingTest, CornersMixTheFourCellsThatMeetThere) {
    MakeWorld(2, 1, 0.5f);
    Map().Cell(1, 0).snow = 0.0f; // bare ground: drawn plain, brightness 0 for its neighbour
    Map().Draw(0.0f, 0.0f, 640.0f, 480.0f);
    ASSERT_EQ(canvas.shapes.size(), 2u);
    // Top-left, top-right, bottom-left, bottom-right; outside cells read as the tile itself.
    const std::array<std::uint32_t, 4> shaded = {Grey(194), Grey(169), Grey(194), Grey(169)};
    EXPECT_EQ(canvas.shapes[0].colours, shaded);
    EXPECT_EQ(canvas.shapes[1].frame, 3);
    EXPECT_EQ(canvas.shapes[1].colours[0], 0xFF7F7F7Fu);
}

TEST_F(DrawingTest, UnitsDrawTheirFrameInTheirSidesColourWhenVisible) {
    AddUnit(kGirl, 0, 0.0f, 0.0f);
    AddUnit(kBoy, 1, 1.0f, 0.0f);
    AddUnit(kBoy, 1, 40.0f, 0.0f); // off the view
    Objects().DrawAll(0.0f, 0.0f, 640.0f, 480.0f);
    ASSERT_EQ(canvas.shapes.size(), 2u);
    EXPECT_EQ(canvas.shapes[0].colours[0], 0xFFFF7F7Fu);
    EXPECT_EQ(canvas.shapes[1].colours[0], 0xFF7F7FFFu);
}

TEST_F(DrawingTest, LifeBarsShowLifeOrRecoveryStillAhead) {
    CUnit* boy = AddUnit(kBoy, 0, 0.0f, 0.0f);
    boy->life = -5.0f;
    boy->DrawLifeBar(0.0f, 0.0f, 640.0f, 480.0f);
    ASSERT_EQ(canvas.shapes.size(), 2u);
    // Side 0.95 x 32 = 30.4: the bar starts at 320 - 15.2 + 1 and is half of 28.4 long.
    EXPECT_EQ(canvas.shapes[0].colours[0], 0xFF000000u);
    EXPECT_FLOAT_EQ(canvas.shapes[1].x, 305.8f);
    EXPECT_FLOAT_EQ(canvas.shapes[1].right, 320.0f);
    EXPECT_EQ(canvas.shapes[1].colours[0], 0xFF7F7FFFu);
}

TEST_F(DrawingTest, WithoutACanvasTheWorldDrawsNothing) {
    AddUnit(kBoy, 0, 0.0f, 0.0f);
    Game().canvas = nullptr;
    Map().Draw(0.0f, 0.0f, 640.0f, 480.0f);
    Objects().DrawAll(0.0f, 0.0f, 640.0f, 480.0f);
    Objects().All().front()->AsUnit()->DrawInfo(0.0f, 0.0f, 640.0f, 480.0f);
    EXPECT_TRUE(canvas.shapes.empty() && canvas.texts.empty() && canvas.batches == 0);
}

} // namespace
