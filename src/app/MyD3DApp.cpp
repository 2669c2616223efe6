// The game application: loading, render states, drawing each frame and the input translation.
#include "app/MyD3DApp.h"

#include "gfx/GameRenderStates.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "platform/KeyMap.h"
#include "platform/VirtualKeys.h"
#include "support/Error.h"
#include "support/StartupTimes.h"
#include "support/Text1250.h"

#include <cstdio>
#include <utility>

using namespace platform;
using namespace vexo::literals;

namespace {

const char* const kSource = "d3dapp";

template <class T> T& Required(T* instance, std::string_view missing) {
    if (!instance) throw vexo::CError(std::string(missing), kSource, __LINE__);
    return *instance;
}

// Grey is neutral under the sprite batch's doubled modulation: the cursor keeps its own colours.
constexpr std::uint32_t kCursorColor = 0xFF7F7F7F;
constexpr float kCursorSize = 32.0f;
constexpr int kPointerFrame = 22;
constexpr int kTargetFrame = 23;

// What the screens read of the modifier and toggle keys besides the key messages.
unsigned HeldModifiers() {
    unsigned flags = 0;
    if (GetKeyState(VK_CONTROL) < 0) flags |= kModControl;
    if (GetKeyState(VK_CAPITAL) != 0) flags |= kModCapsLock;
    if (GetKeyState(VK_SCROLL) != 0) flags |= kModScrollLock;
    return flags;
}

} // namespace

CMyD3DApplication::CMyD3DApplication(CFrameHost& host, CDisplayConfig& displayConfig)
    : CD3DApplication(host, displayConfig),
      gfx(Required(CGfx::Instance(), "Menedżer grafiki nie istnieje."_pl)),
      gui(Required(CGUIManager::Instance(), "Menedżer okien nie istnieje."_pl)) {
    windowTitle = "Tundrel";
    windowSettings.width = 500;
    windowSettings.height = 375;
    windowSettings.fullScreen = true;
}

CMyD3DApplication::~CMyD3DApplication() { ReleaseDeviceOnExit(); }

void CMyD3DApplication::OnCommandLineWord(const std::string& word) {
    if (replayNext)
        replayPath = word;
    replayNext = !replayNext && word == "--replay";
}

void CMyD3DApplication::InitApplication() {
    // SDL tells nothing of the system's wheel setting; 3 lines a notch is the usual default.
    wheelLines = 3;
    StartScreenFlow();
    // Painted at once and left standing while the device is made and the game data loads.
    SendMessage(WM_PAINT);
    loadingMessage = 0;
}

void CMyD3DApplication::OnCreateDevice() {
    vexo::MarkStartup("display mode and device");
    gfx.Create(device);
    gfx.LoadGameData(kGameDataPath);
}

void CMyD3DApplication::OnRestoreDevice() {
    gfx.SetScreenSize(backBufferWidth, backBufferHeight);
    layoutChanged = true;
    gui.fullScreen = !windowed;
    gfx.Restore();
    SetGameRenderStates(*device);
}

void CMyD3DApplication::OnInvalidateDevice() { gfx.Invalidate(); }

void CMyD3DApplication::OnDestroyDevice() { gfx.Destroy(); }

void CMyD3DApplication::UpdateFrame() {
    gui.SetModifiers(HeldModifiers());
    gui.Update(time, elapsedTime, active);
    // The screens lay themselves out for a new size in their update: what lies under the pointer
    // is found again then, or a button of the old layout would stay lit until the mouse moved.
    if (std::exchange(layoutChanged, false)) gui.MouseMove(mouseX, mouseY);
    StepScreenFlow();
}

void CMyD3DApplication::RenderFrame() {
    const std::uint32_t clearColor = gui.GetBackgroundColor();
    device->Clear(clearColor);
    if (RenderFailed(device->BeginScene())) return;

    gui.Draw(gfx.screenWidthF, gfx.screenHeightF);

    char frameRate[32];
    std::snprintf(frameRate, sizeof frameRate, "FPS: %.0f", double(framesPerSecond));
    gfx.font.Select(0);
    gfx.font.DrawText(4.0f, 4.0f, frameRate, ~clearColor | 0xFF000000u);

    const int cursor = gui.GetCursor(mouseX, mouseY);
    if (cursor != kCursorNone) {
        gfx.sprite.Begin(kUnitSpriteSet, 10, true);
        if (cursor == kCursorPointer)
            gfx.sprite.Add(kPointerFrame, mouseX + 16.0f, mouseY + 16.0f, kCursorSize, kCursorColor, 0.0f);
        else if (cursor == kCursorTarget)
            gfx.sprite.Add(kTargetFrame, mouseX, mouseY, kCursorSize, kCursorColor, 0.0f);
        else
            gfx.sprite.Add(0, mouseX, mouseY, kCursorSize, kCursorColor, 0.0f);
        gfx.sprite.Flush();
    }
    device->EndScene();
}

LRESULT CMyD3DApplication::HandleMessage(const CMessage& message) {
    // Errors of the GUI's input handling are not the frame's to catch: they end the program.
    HandleInput(message);
    return CD3DApplication::HandleMessage(message);
}

void CMyD3DApplication::HandleInput(const CMessage& message) {
    gui.SetModifiers(HeldModifiers());
    const float x = float(SignedLoWord(std::uintptr_t(message.lParam)));
    const float y = float(SignedHiWord(std::uintptr_t(message.lParam)));
    // Keys and characters come as often as the low four bits of the repeat count say.
    const auto repeated = [&input = gui, &message](void (CGUIManager::*deliver)(int)) {
        for (LPARAM i = 0; i < (message.lParam & 15); ++i) (input.*deliver)(int(message.wParam));
    };
    switch (message.message) {
    case WM_MOUSEMOVE:
        mouseX = x;
        mouseY = y;
        gui.MouseMove(x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        gui.MouseDown(x, y, int(message.message - WM_LBUTTONDOWN) / 3);
        host.SetMouseCapture(true);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        gui.MouseUp(x, y, int(message.message - WM_LBUTTONUP) / 3);
        host.SetMouseCapture(false);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: gui.DoubleClick(x, y, int(message.message - WM_LBUTTONDBLCLK) / 3); break;
    case WM_MOUSEWHEEL:
        // Signed and in floating point: a notch towards the user is a negative amount.
        gui.Wheel(x, y, float(SignedHiWord(message.wParam)) * float(wheelLines) / float(WHEEL_DELTA));
        break;
    case WM_KEYDOWN: repeated(&CGUIManager::KeyDown); break;
    case WM_KEYUP: repeated(&CGUIManager::KeyUp); break;
    case WM_CHAR: repeated(&CGUIManager::Char); break;
    case WM_KILLFOCUS:
        // Keys released while another window had the focus never reach us: let the screen forget them.
        if (!gui.screens.empty()) gui.screens.back()->OnFocusLost();
        break;
    case WM_PAINT:
        if (loadingMessage) host.PaintCentredText(std::string("Ładowanie... Proszę czekać"_pl));
        break;
    default: break;
    }
}
