// The growable arrays and the rectangle batch: growth, vertices, indices, draws and their failures.
#include "gfx/RecordingDevice.h"

#include "gfx/GfxFilledRect.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <gtest/gtest.h>

using namespace vexo::literals;
using tundrel_test::ErrorOf;

TEST(GfxArray, RoomReservedUpFrontIsUsedWithoutMovingAndGrowthKeepsTheElements) {
    TGfxArray<int> array;
    int* at = array.Append(3);
    at[0] = 7, at[1] = 8, at[2] = 9;
    array.Reserve(2); // would drop elements
    EXPECT_EQ(array.Data(), at);
    array.Reserve(100);
    const int* sized = array.Data();
    EXPECT_EQ(array[2], 9);
    array.Append(97);
    EXPECT_EQ(array.Data(), sized);
    array.Append(1); // beyond the reservation
    EXPECT_EQ(array.Count(), 101u);
    EXPECT_EQ(array[0], 7);
    EXPECT_EQ(array[1], 8);
    array.Free();
    EXPECT_EQ(array.Count(), 0u);
    EXPECT_EQ(array.Data(), nullptr);
}

class FilledRectTest : public ::testing::Test {
protected:
    void SetUp() override { rects.Create(&device); }
    CRecordingDevice device;
    CGfxFilledRect rects;
};

TEST_F(FilledRectTest, AddsFourCornersInTheirColoursAndTwoTriangles) {
    rects.Begin(2);
    rects.Add({10, 20, 110, 70}, 0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004);
    rects.Add({0, 0, 5, 5}, 0x80FFFFFF);
    rects.Flush();

    ASSERT_EQ(device.draws.size(), 1u);
    const auto& draw = device.draws[0];
    EXPECT_EQ(draw.format, VertexFormat::XyzrhwDiffuse);
    EXPECT_EQ(draw.texture, TextureHandle::None);
    EXPECT_EQ(draw.stage.at(TextureStageState::ColorOp), std::uint32_t(TextureOp::Modulate));
    EXPECT_EQ(draw.stride, 20u);
    EXPECT_EQ(draw.vertexCount, 8u);
    EXPECT_EQ(draw.triangleCount, 4u);
    const auto& v = draw.colorVertices;
    const float expected[4][2] = {{10, 20}, {110, 20}, {10, 70}, {110, 70}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(v[k].x, expected[k][0]);
        EXPECT_EQ(v[k].y, expected[k][1]);
        EXPECT_EQ(v[k].z, 0.0f);
        EXPECT_EQ(v[k].rhw, 1.0f);
        EXPECT_EQ(v[k].color, 0xFF000001u + k);
        EXPECT_EQ(v[4 + k].color, 0x80FFFFFFu);
    }
    EXPECT_EQ(draw.indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 2, 3, 4, 5, 6, 5, 6, 7}));
}

TEST_F(FilledRectTest, EmptyFlushTouchesNoDeviceState) {
    rects.Begin(0);
    rects.Flush();
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(FilledRectTest, FailedFlushRaisesWithTheCodeAndTheNextBeginStartsClean) {
    device.drawResult = kRenderInvalidCall;
    rects.Begin(1);
    rects.Add({0, 0, 1, 1}, 0xFFFFFFFF);
    const auto error = ErrorOf<vexo::CDirectXError>([&] { rects.Flush(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Nie można narysować prostokątów."_pl);
    EXPECT_EQ(error->code, std::uint32_t(kRenderInvalidCall));
    EXPECT_EQ(error->sourceFile, "Gfx");
    device.drawResult = kRenderOk;
    rects.Begin(1);
    rects.Add({5, 5, 6, 6}, 0xFF00FF00);
    rects.Flush();
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].vertexCount, 4u);
    EXPECT_EQ(device.draws[0].colorVertices[0].x, 5.0f);
    EXPECT_EQ(device.draws[0].indices[0], 0u);
}

TEST_F(FilledRectTest, BatchBeyondSixteenBitIndicesIsDrawnInTwoParts) {
    rects.Begin(kMaxQuadsPerDraw + 1);
    for (std::uint32_t i = 0; i <= kMaxQuadsPerDraw; ++i)
        rects.Add({float(i), 0, float(i) + 1, 1}, 0xFFFFFFFF);
    rects.Flush();
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].vertexCount, 65536u);
    EXPECT_EQ(device.draws[0].triangleCount, 2 * kMaxQuadsPerDraw);
    EXPECT_EQ(device.draws[0].indices.back(), 65535u);
    EXPECT_EQ(device.draws[1].vertexCount, 4u);
    EXPECT_EQ(device.draws[1].indices, (std::vector<std::uint16_t>{0, 1, 2, 1, 2, 3}));
    EXPECT_EQ(device.draws[1].colorVertices[0].x, float(kMaxQuadsPerDraw));
}
