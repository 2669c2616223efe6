// Drawing on a recording canvas: the life bar over a unit.
#include "GameTestWorld.h"

#include <array>

namespace {

struct RecordingCanvas : IGameCanvas {
    struct Shape {
        int frame; // -1 for a filled rectangle
        float x, y, side, right;
        std::array<std::uint32_t, 4> colours;
    };
    void BeginTerrain(std::uint32_t) override {}
    void EndSprites() override {}
    void Sprite(int frame, float x, float y, float side, std::uint32_t colour, float) override {
        shapes.push_back({frame, x, y, side, 0.0f, {colour, colour, colour, colour}});
    }
    void ShadedSprite(int frame, float x, float y, float side, std::uint32_t c0, std::uint32_t c1,
                      std::uint32_t c2, std::uint32_t c3) override {
        shapes.push_back({frame, x, y, side, 0.0f, {c0, c1, c2, c3}});
    }
    void Rect(float left, float top, float right, float, std::uint32_t colour) override {
        shapes.push_back({-1, left, top, 0.0f, right, {colour, colour, colour, colour}});
    }
    void Text(float, float, const std::string&, std::uint32_t) override {}

    std::vector<Shape> shapes;
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
    RecordingCanvas canvas;
};

TEST_F(DrawingTest, LifeBarsShowLifeOrRecoveryStillAhead) {
    CUnit* boy = AddUnit(kBoy, 0, 0.0f, 0.0f);
    boy->life = -5.0f;
    boy->DrawLifeBar(0.0f, 0.0f, 640.0f, 480.0f);
    ASSERT_EQ(canvas.shapes.size(), 2u);
    // Side 0.95 x 32 = 30.4: the bar starts at 320 - 15.2 + 1 and is half of 28.4 long.
    EXPECT_EQ(canvas.shapes[0].colours[0], 0xFF000000u);
    EXPECT_FLOAT_EQ(canvas.shapes[0].x, 320.0f - 15.2f);
    EXPECT_FLOAT_EQ(canvas.shapes[1].x, 305.8f);
    EXPECT_FLOAT_EQ(canvas.shapes[1].right, 320.0f);
    EXPECT_EQ(canvas.shapes[1].colours[0], 0xFF7F7FFFu);
}

} // namespace
