// The entry point: the process-wide objects, then the game application until its window closes.
#include "app/MyD3DApp.h"
#include "app/SdlDisplaySystem.h"
#include "app/SdlFrameHost.h"
#include "app/SettingsDisplayConfig.h"
#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "platform/AudioSDL.h"
#include "platform/Clock.h"
#include "platform/FontFace.h"
#include "sound/SoundSystem.h"
#include "support/Error.h"
#include "support/Random.h"
#include "support/StartupTimes.h"

#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    vexo::MarkStartup("main");
    vexo::SeedRand(platform::TickCount());
    vexo::SetErrorLogFile("Errors.log");
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    try {
        // Built in this order and destroyed in reverse; the sound system starts the music at once.
        CGUIManager gui;
        CGfx gfx;
        // The host starts the window system before the sound output's thread runs (see CVideoSystem).
        CSdlFrameHost host;
        vexo::MarkStartup("window system");
        // SDL2_mixer loads beside the start of the font libraries and the images until the sound
        // system needs it; not before the window system, whose start a second thread slows.
        const platform::CMixerAhead mixer;
        const CFontLibrariesStart fonts({CSdlFrameHost::kLoadingMessageFont});
        const auto imagesAhead = CGfx::DecodeImagesAhead(CMyD3DApplication::kGameDataPath);
        CSoundSystem sound;
        vexo::MarkStartup("sound system");
        CSdlDisplaySystem displays;
        CSettingsDisplayConfig displayConfig(displays);
        return RunApplication([&] { return std::make_unique<CMyD3DApplication>(host, displayConfig); }, words);
    } catch (...) {
        // A process-wide object failed (an effect that would not load, or memory ran out).
        vexo::RecordCurrentException("main");
        return 2;
    }
}
