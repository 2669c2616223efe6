// The shipped sounds: the audio output decodes every effect and streams the tune.
#include "content/ShippedData.h"
#include "platform/Audio.h"
#include "sound/SoundSystem.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string Effect(int n) { return content::SfxFolder() + "/" + std::to_string(n) + ".wav"; }

TEST(ShippedSounds, TheAudioOutputDecodesEveryEffectAndStreamsTheTune) {
    const auto output = platform::CreateSDLAudioOutput();
    output->Open(CSoundSystem::kMixingRate, CSoundSystem::kChannels);
    for (int n = 0; n < CSoundSystem::kEffectCount; ++n) {
        const platform::SampleHandle sample = output->LoadSample(Effect(n));
        ASSERT_NE(sample, platform::kNoSample) << Effect(n);
        output->PlaySample(sample, n == 6 ? 18374 : 0);
    }
    const platform::StreamHandle tune = output->OpenStream(content::SfxFolder() + "/muza.mp3", true);
    ASSERT_NE(tune, platform::kNoStream);
    output->PlayStream(tune);
    output->StopStream(tune);
    output->CloseStream(tune);
    output->Close();
    // About a minute at lame's bit rate for the tune: a truncated encode would be far smaller.
    EXPECT_GT(std::filesystem::file_size(content::SfxFolder() + "/muza.mp3"), 500'000u);
}

} // namespace
