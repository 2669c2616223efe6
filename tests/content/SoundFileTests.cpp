// The shipped sounds: every effect is a 16-bit mono WAV the audio output decodes, the fall cry has
// the rate its pitch shifts assume, the tune streams, and the sound system starts on them.
#include "content/ShippedData.h"
#include "platform/Audio.h"
#include "sound/SoundSystem.h"
#include "support/Files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct WavFormat {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::uint32_t dataBytes = 0;
};

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | std::uint8_t(bytes[at + std::size_t(i)]);
    return value;
}

// Walks the RIFF chunks for "fmt " and "data".
WavFormat ReadFormat(const std::string& bytes) {
    WavFormat wav;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return wav;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint32_t size = Le(bytes, at + 4, 4);
        if (bytes.compare(at, 4, "fmt ") == 0 && at + 24 <= bytes.size()) {
            wav.format = int(Le(bytes, at + 8, 2));
            wav.channels = int(Le(bytes, at + 10, 2));
            wav.rate = int(Le(bytes, at + 12, 4));
            wav.bits = int(Le(bytes, at + 22, 2));
        } else if (bytes.compare(at, 4, "data") == 0) {
            wav.dataBytes = size;
        }
        at += 8 + size + (size & 1);
    }
    return wav;
}

std::string Effect(int n) { return content::SfxFolder() + "/" + std::to_string(n) + ".wav"; }

TEST(ShippedSounds, EveryEffectIsA16BitMonoWavOfAFewSecondsAtMost) {
    for (int n = 0; n < CSoundSystem::kEffectCount; ++n) {
        SCOPED_TRACE(Effect(n));
        std::string bytes;
        ASSERT_TRUE(vexo::ReadFileToString(Effect(n), bytes));
        const WavFormat wav = ReadFormat(bytes);
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.bits, 16);
        ASSERT_GT(wav.rate, 0);
        const double seconds = wav.dataBytes / 2.0 / wav.rate;
        EXPECT_GT(seconds, 0.02);
        EXPECT_LT(seconds, 4.0);
    }
    // The fall cry plays at 11025 Hz times 1, 4/3 or 5/3: recorded at 11025 a boy keeps his own voice.
    std::string cry;
    ASSERT_TRUE(vexo::ReadFileToString(Effect(6), cry));
    EXPECT_EQ(ReadFormat(cry).rate, 11025);
}

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

TEST(ShippedSounds, TheSoundSystemStartsInTheDataFolder) {
    const std::string previous = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(content::DataFolder().c_str()), 0);
    EXPECT_NO_THROW({
        CSoundSystem sound;
        sound.Play(2, 0);
        sound.Play(6, 14699);
    });
    ASSERT_EQ(::chdir(previous.c_str()), 0);
}

} // namespace
