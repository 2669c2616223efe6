// tundrel-tool mission render: a mission's battlefield at its start, drawn offscreen by the game's
// own graphics code into a PNG, for mission makers and for the README's pictures.
#include "game/GameState.h"
#include "gfx/GameRenderStates.h"
#include "gfx/Gfx.h"
#include "gui/GameScreen.h"
#include "gui/GameView.h"
#include "platform/OpenGLDevice.h"
#include "platform/Window.h"
#include "support/Convert.h"
#include "support/Error.h"
#include "support/Random.h"
#include "support/Text1250.h"
#include "tundrel-tool/Verbs.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

constexpr std::string_view kUsage =
    "  tundrel-tool mission render FILE --out PNG [--size WxH] [--gamedata PATH] [--seed N]\n"
    "      draws the battlefield of FILE as the game shows it at the start (default 1024x648,\n"
    "      the view above the panel in a 1024x768 window) into PNG; the game data is PATH\n"
    "      (default: GameData beside the mission's Maps folder, else in the current folder);\n"
    "      N seeds the snow's random relief (default 1).\n";

// Larger sizes only cost memory; smaller ones leave no room for a unit.
constexpr int kMinSide = 64, kMaxSide = 8192;

struct CRenderOptions {
    std::string mission;
    std::string out;
    int width = 1024;
    int height = 648;
    std::string gameData;
    std::uint32_t seed = 1;
};

void ParseSize(const std::string& text, CRenderOptions& options) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) throw tool::CUsageError{"--size needs WxH, such as 1280x720"};
    options.width = vexo::ToInt(text.substr(0, x));
    options.height = vexo::ToInt(text.substr(x + 1));
    for (int side : {options.width, options.height})
        if (side < kMinSide || side > kMaxSide)
            throw tool::CUsageError{"--size: each side must be " + std::to_string(kMinSide) + " to " +
                                   std::to_string(kMaxSide) + " pixels"};
}

std::string DefaultGameData(const std::string& mission) {
    const std::filesystem::path beside =
        std::filesystem::path(mission).parent_path().parent_path() / "GameData";
    return std::filesystem::exists(beside) ? beside.string() : "GameData";
}

CRenderOptions ParseOptions(std::span<const std::string> words) {
    const tool::CVerbWords split = tool::SplitWords(words, {"--out", "--size", "--gamedata", "--seed"});
    if (split.positional.size() != 1) throw tool::CUsageError{"mission render needs one FILE"};
    CRenderOptions options;
    options.mission = split.positional[0];
    for (const auto& [option, value] : split.options) {
        if (option == "--out")
            options.out = value;
        else if (option == "--size")
            ParseSize(value, options);
        else if (option == "--gamedata")
            options.gameData = value;
        else
            options.seed = vexo::ToUInt(value);
    }
    if (options.out.empty()) throw tool::CUsageError{"mission render needs --out PNG"};
    if (options.gameData.empty()) options.gameData = DefaultGameData(options.mission);
    return options;
}

void Fail(const std::string& message) {
    throw vexo::CError(vexo::Utf8ToCp1250(message), "tundrel-tool", __LINE__);
}

void Render(const CRenderOptions& options) {
    // Nothing is shown: the picture is read back from an offscreen window.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    CGLWindow window;
    std::string error;
    if (!window.Create("Tundrel", options.width, options.height, WindowMode::Windowed, error))
        Fail("cannot open an offscreen window: " + error);
    const std::unique_ptr<CRenderDevice> device = CreateOpenGLDevice(window, error);
    if (!device) Fail("cannot create the OpenGL device: " + error);
    SetGameRenderStates(*device);

    CGfx gfx;
    gfx.Create(device.get());
    gfx.LoadGameData(vexo::Utf8ToCp1250(options.gameData));
    // The game screen lays its view out above the panel, so the screen it sees is one panel taller
    // than the picture: the view then has the picture's size and the game's zoom.
    gfx.SetScreenSize(std::uint32_t(options.width),
                      std::uint32_t(options.height + int(CGameScreen::kPanelHeight)));
    gfx.Restore();

    vexo::SeedRand(options.seed);
    {
        CGameScreen screen(vexo::Utf8ToCp1250(options.mission));
        screen.Update(0.0f, 0.0f, true);
        CGameView& view = *screen.GetView();
        // The pointer is nowhere over the battlefield, so no unit is drawn as hovered.
        view.OnMouseMove(-float(kMaxSide), -float(kMaxSide));
        device->Clear(screen.GetBackgroundColor());
        if (RenderFailed(device->BeginScene())) Fail("the device cannot begin a scene");
        view.Draw(0.0f, 0.0f, float(options.width), float(options.height));
        device->EndScene();
    }
    if (RenderFailed(device->SaveBackBufferPng(options.out))) Fail("cannot write " + options.out);
    gfx.Invalidate();
    gfx.Destroy();
}

int Run(std::span<const std::string> words) {
    const CRenderOptions options = ParseOptions(words);
    Render(options);
    std::cout << options.out << ": " << options.width << "x" << options.height << " battlefield of "
              << options.mission << '\n';
    return 0;
}

} // namespace

const tool::CRegisterVerbGroup registered{{"mission render", kUsage, Run}};
