// The sound system: opens the output, loads the effects, keeps the music looping for the whole run.
#include "sound/SoundSystem.h"

#include "support/Error.h"
#include "support/Files.h"
#include "support/Text1250.h"

#include <string>

using namespace vexo::literals;

namespace {
CSoundSystem* g_instance = nullptr;
}

CSoundSystem::CSoundSystem() : CSoundSystem(platform::CreateSDLAudioOutput()) {}

CSoundSystem::CSoundSystem(std::unique_ptr<platform::CAudioOutput> audio) : output(std::move(audio)) {
    // A machine without an audio device opens nothing; the output then decodes and stays quiet.
    output->Open(kMixingRate, kChannels);
    for (int n = 0; n < kEffectCount; ++n) {
        const std::string name = std::to_string(n) + ".wav";
        effects[std::size_t(n)] = output->LoadSample(vexo::HostPath("Sfx\\" + name));
        if (effects[std::size_t(n)] == platform::kNoSample) {
            output->Close();
            throw vexo::CError(std::string("Nie można załadować dźwięku z pliku \""_pl) + name + "\".", "Sfx",
                               __LINE__);
        }
    }
    // Without the music file the game simply has no music; a stream that did not open is never
    // touched again.
    music = output->OpenStream(vexo::HostPath("Sfx\\muza.mp3"), true);
    if (music != platform::kNoStream) {
        output->PlayStream(music);
        output->SetStreamVolume(music, kMusicVolume);
    }
    g_instance = this;
}

CSoundSystem::~CSoundSystem() {
    if (g_instance == this) g_instance = nullptr;
    if (music != platform::kNoStream) {
        output->StopStream(music);
        output->CloseStream(music);
    }
    output->Close();
}

void CSoundSystem::Play(int number, int frequency) {
    if (number < 0 || number >= kEffectCount) return;
    output->PlaySample(effects[std::size_t(number)], frequency);
}

CSoundSystem* CSoundSystem::Instance() { return g_instance; }
