// The real OpenGL device in an offscreen window, pixels read back, and images made in memory.
#pragma once

#include "platform/OpenGLDevice.h"
#include "platform/Window.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// ARGB pixels, top row first, as image files in memory.
std::string EncodePng(const std::vector<std::uint32_t>& argb, int width, int height);
std::vector<std::uint32_t> Solid(int width, int height, std::uint32_t argb);

// One window and device for the whole test program, never closed: Mesa loses a little memory
// each time a context is torn down, which the leak checker would blame on the tests.
class RenderTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 320, kHeight = 240;
    static void SetUpTestSuite();
    void SetUp() override;

    // Reads the back buffer; Pixel then answers from that copy.
    void Grab();
    std::uint32_t Pixel(int x, int y) const { return pixels[std::size_t(y) * kWidth + x]; }

    static CGLWindow* window;
    static CRenderDevice* device;
    std::vector<std::uint32_t> pixels;
};

// Channel-wise closeness of two ARGB colours, for results of filtering and blending.
::testing::AssertionResult Near(std::uint32_t actual, std::uint32_t expected, int tolerance = 2);
