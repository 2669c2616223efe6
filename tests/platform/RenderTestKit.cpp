// The offscreen OpenGL device for tests.
#include "RenderTestKit.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdio>
#include <cstdlib>

CGLWindow* RenderTest::window = nullptr;
CRenderDevice* RenderTest::device = nullptr;

void RenderTest::SetUpTestSuite() {
    if (device) return;
    window = new CGLWindow;
    std::string error;
    if (!window->Create("render tests", kWidth, kHeight, WindowMode::Windowed, error)) {
        std::fprintf(stderr, "window: %s\n", error.c_str());
        std::abort();
    }
    device = CreateOpenGLDevice(*window, error).release();
    if (!device) {
        std::fprintf(stderr, "device: %s\n", error.c_str());
        std::abort();
    }
}

void RenderTest::SetUp() {
    // The frame state the application sets after every device creation.
    for (auto [state, value] : {std::pair{RenderState::AlphaBlendEnable, 1u},
                                {RenderState::SrcBlend, std::uint32_t(BlendFactor::SrcAlpha)},
                                {RenderState::DestBlend, std::uint32_t(BlendFactor::InvSrcAlpha)},
                                {RenderState::ZEnable, 0u}, {RenderState::CullMode, std::uint32_t(CullMode::None)}})
        device->SetRenderState(state, value);
    device->Clear(0xFF000000);
    device->BeginScene();
}

void RenderTest::Grab() {
    std::uint32_t w = 0, h = 0;
    ASSERT_FALSE(RenderFailed(device->ReadBackBuffer(pixels, w, h)));
    ASSERT_EQ(w, std::uint32_t(kWidth));
    ASSERT_EQ(h, std::uint32_t(kHeight));
}

std::string EncodePng(const std::vector<std::uint32_t>& argb, int width, int height) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    std::string bytes(std::size_t(width) * height * 5 + 4096, '\0');
    SDL_RWops* out = SDL_RWFromMem(bytes.data(), int(bytes.size()));
    const bool ok = IMG_SavePNG_RW(surface, out, 0) == 0;
    bytes.resize(ok ? std::size_t(SDL_RWtell(out)) : 0);
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    return bytes;
}

std::vector<std::uint32_t> Solid(int width, int height, std::uint32_t argb) {
    return std::vector<std::uint32_t>(std::size_t(width) * height, argb);
}

::testing::AssertionResult Near(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = int((actual >> shift) & 0xFF), e = int((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[64];
            std::snprintf(text, sizeof text, "0x%08X, expected 0x%08X", actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}
