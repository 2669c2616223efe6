// Frames of 10,000 textured, turned sprites at 1280 × 720 offscreen: our OpenGL device through
// CGfxSprite against SDL2's own renderer (SDL_RenderGeometry on its OpenGL back end). The two
// draw alternate frames in one loop, so a busy machine slows both alike. Sprites of 32 pixels
// are the game's size and mostly measure filling pixels; 8-pixel ones mostly measure what it
// costs to hand the quads over.
#include "gfx/GfxSprite.h"
#include "platform/OpenGLDevice.h"
#include "platform/Window.h"

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <epoxy/gl.h>
#include <map>
#include <vector>

namespace {

constexpr int kWidth = 1280, kHeight = 720, kQuads = 10000, kImage = 256, kFrame = 64;
using Clock = std::chrono::steady_clock;

struct CPlacement {
    float x, y, angle;
    int frame;
};

// The same scene for both renderers: fixed positions, every sprite turning a little each frame.
std::vector<CPlacement> Scene() {
    std::vector<CPlacement> scene(kQuads);
    std::uint32_t seed = 12345;
    const auto next = [&] { return (seed = seed * 214013u + 2531011u) >> 16 & 0x7FFF; };
    for (CPlacement& p : scene)
        p = {float(next() % kWidth), float(next() % kHeight), float(next()) / 5000.0f, int(next() % 16)};
    return scene;
}

std::vector<std::uint32_t> Atlas() {
    std::vector<std::uint32_t> pixels(kImage * kImage);
    for (int y = 0; y < kImage; ++y)
        for (int x = 0; x < kImage; ++x)
            pixels[y * kImage + x] =
                0xFF000000u | std::uint32_t(x) << 16 | std::uint32_t(y) << 8 | std::uint32_t((x ^ y) & 0xFF);
    return pixels;
}

SDL_Surface* AtlasSurface(std::vector<std::uint32_t>& pixels) {
    return SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kImage, kImage, 32, kImage * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

std::string Png(std::vector<std::uint32_t>& pixels) {
    SDL_Surface* surface = AtlasSurface(pixels);
    std::string bytes(pixels.size() * 5 + 4096, '\0');
    SDL_RWops* out = SDL_RWFromMem(bytes.data(), int(bytes.size()));
    IMG_SavePNG_RW(surface, out, 0);
    bytes.resize(std::size_t(SDL_RWtell(out)));
    SDL_RWclose(out);
    SDL_FreeSurface(surface);
    return bytes;
}

// Frames per second by sprite side.
std::map<int, double> g_deviceFps, g_sdlFps;

// The calling thread's processor time: what handing the frame over costs this program, apart
// from the rasteriser's own threads.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Our side: the device on a window of its own, drawing through a sprite batch as the game does.
class CDeviceSide {
public:
    bool Open(std::string& error) {
        if (!window.Create("bench", kWidth, kHeight, WindowMode::Windowed, error)) return false;
        window.SetSwapInterval(0);
        device = CreateOpenGLDevice(window, error);
        if (!device) return false;
        device->SetRenderState(RenderState::AlphaBlendEnable, 1);
        device->SetRenderState(RenderState::SrcBlend, std::uint32_t(BlendFactor::SrcAlpha));
        device->SetRenderState(RenderState::DestBlend, std::uint32_t(BlendFactor::InvSrcAlpha));
        device->SetRenderState(RenderState::ZEnable, 0);
        device->SetRenderState(RenderState::CullMode, std::uint32_t(CullMode::None));
        sprite.Create(device.get());
        sprite.LoadText(true, "Sprites.xml", 0,
                        "<sprites><sprite><id>2</id><file>units.png</file><size>256</size>"
                        "<sprite-size>64</sprite-size></sprite></sprites>");
        auto pixels = Atlas();
        const std::string png = Png(pixels);
        sprite.LoadData(false, "units.png", std::uint32_t(png.size()),
                        reinterpret_cast<const std::uint8_t*>(png.data()));
        return true;
    }
    ~CDeviceSide() {
        if (device) sprite.Destroy();
    }
    void Frame(const std::vector<CPlacement>& scene, float side, int n) {
        window.MakeCurrent();
        device->Clear(0xFF000000);
        device->BeginScene();
        sprite.Begin(2, kQuads, true);
        for (const CPlacement& p : scene)
            sprite.Add(p.frame, p.x, p.y, side, 0xFF7F7F7F, p.angle + n * 0.01f);
        sprite.Flush();
        device->EndScene();
        device->Present();
        glFinish();
    }

private:
    CGLWindow window;
    std::unique_ptr<CRenderDevice> device;
    CGfxSprite sprite;
};

// SDL's side: its own renderer on its OpenGL back end, fed the same quads.
class CSdlSide {
public:
    bool Open(std::string& error) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
        SDL_GL_ResetAttributes(); // the device asked for a core context; SDL's renderer wants its own
        window = SDL_CreateWindow("bench", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
        renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
        SDL_RendererInfo info{};
        if (!renderer || SDL_GetRendererInfo(renderer, &info) != 0 || std::string(info.name) != "opengl") {
            error = std::string("SDL's OpenGL renderer is not available: ") + SDL_GetError();
            return false;
        }
        SDL_RenderSetVSync(renderer, 0);
        auto pixels = Atlas();
        SDL_Surface* surface = AtlasSurface(pixels);
        texture = SDL_CreateTextureFromSurface(renderer, surface);
        SDL_FreeSurface(surface);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
        vertices.resize(4 * kQuads);
        indices.resize(6 * kQuads);
        for (int q = 0; q < kQuads; ++q)
            for (int k = 0; k < 6; ++k)
                indices[std::size_t(6 * q + k)] = 4 * q + (k < 3 ? k : k - 2);
        return true;
    }
    ~CSdlSide() {
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
    }
    // The same corner and frame arithmetic as CGfxSprite, so both sides do the same work per quad.
    void Frame(const std::vector<CPlacement>& scene, float side, int n) {
        static constexpr float kCornerAngle[4] = {3.926991f, 5.4977875f, 2.3561945f, 0.7853982f};
        const float r = std::sqrt(2.0f) * side / 2.0f;
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (int q = 0; q < kQuads; ++q) {
            const CPlacement& p = scene[std::size_t(q)];
            const int perRow = kImage / kFrame, row = p.frame / perRow, column = p.frame % perRow;
            const float uL = float(column * kFrame + 1) / kImage,
                        uR = float((column + 1) * kFrame - 1) / kImage;
            const float vT = float(row * kFrame + 1) / kImage, vB = float((row + 1) * kFrame - 1) / kImage;
            const float u[4] = {uL, uR, uL, uR}, v[4] = {vT, vT, vB, vB};
            for (int k = 0; k < 4; ++k) {
                const float theta = kCornerAngle[k] - (p.angle + n * 0.01f);
                vertices[std::size_t(4 * q + k)] = {{p.x + r * std::cos(theta), p.y + r * std::sin(theta)},
                                                    {255, 255, 255, 255},
                                                    {u[k], v[k]}};
            }
        }
        SDL_RenderGeometry(renderer, texture, vertices.data(), int(vertices.size()), indices.data(),
                           int(indices.size()));
        SDL_RenderPresent(renderer);
        glFinish();
    }

private:
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
};

void Sprites(benchmark::State& state) {
    const int side = int(state.range(0));
    std::string error;
    CDeviceSide ours;
    CSdlSide sdl;
    if (!ours.Open(error) || !sdl.Open(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const auto scene = Scene();
    Clock::duration oursTime{}, sdlTime{};
    double oursCpu = 0, sdlCpu = 0;
    int n = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const double cpuStart = ThreadSeconds();
        ours.Frame(scene, float(side), n);
        const auto middle = Clock::now();
        const double cpuMiddle = ThreadSeconds();
        sdl.Frame(scene, float(side), n);
        oursTime += middle - start;
        sdlTime += Clock::now() - middle;
        oursCpu += cpuMiddle - cpuStart;
        sdlCpu += ThreadSeconds() - cpuMiddle;
        ++n;
    }
    state.counters["device_cpu_ms"] = 1000.0 * oursCpu / n;
    state.counters["sdl_cpu_ms"] = 1000.0 * sdlCpu / n;
    g_deviceFps[side] = n / std::chrono::duration<double>(oursTime).count();
    g_sdlFps[side] = n / std::chrono::duration<double>(sdlTime).count();
    state.counters["device_fps"] = g_deviceFps[side];
    state.counters["sdl_fps"] = g_sdlFps[side];
    state.counters["ratio"] = g_deviceFps[side] / g_sdlFps[side];
}

BENCHMARK(Sprites)->Arg(32)->Arg(8)->Unit(benchmark::kMillisecond)->MinTime(5.0);

} // namespace

int main(int argc, char** argv) {
    // Headless unless the caller chose a video driver.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [side, fps] : g_deviceFps)
        std::printf(
            "10,000 sprites of %d px at %dx%d: device %.1f fps, SDL_RenderGeometry %.1f fps, ratio %.2f\n",
            side, kWidth, kHeight, fps, g_sdlFps[side], fps / g_sdlFps[side]);
    return 0;
}
