// The floor under the game's start-up: a bare program that opens a window with the same OpenGL
// context as the game and shows cleared frames in one colour until it is ended. startup.py times
// it beside the game, from starting the process to that colour on the screen.
//   startup_floor [WIDTH HEIGHT]   (full screen at that size; 1024 x 768 unless given)
#include "platform/Events.h"
#include "platform/OpenGLDevice.h"
#include "platform/Window.h"
#include "support/StartupTimes.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    vexo::MarkStartup("main");
    const int width = argc > 2 ? std::atoi(argv[1]) : 1024, height = argc > 2 ? std::atoi(argv[2]) : 768;
    CGLWindow window;
    std::string error;
    std::unique_ptr<CRenderDevice> device;
    if (!window.Create("Tundrel", width, height, WindowMode::FullScreen, error) ||
        !(device = CreateOpenGLDevice(window, error))) {
        std::fprintf(stderr, "startup_floor: %s\n", error.c_str());
        return 1;
    }
    // Kept up like the game's frames, so a window manager that maps the window late still shows it.
    for (bool first = true;; first = false) {
        platform::CMessage message;
        while (platform::PeekPlatformMessage(message))
            if (message.message == platform::WM_CLOSE || message.message == platform::WM_QUIT) return 0;
        device->Clear(0xFFFF00FF);
        device->BeginScene();
        device->EndScene();
        device->Present();
        if (first) vexo::MarkStartup("first frame");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
