// The SDL2_mixer output on the dummy driver: decoding, chunks per frequency, channels and the mix
// limiter.
#include "platform/AudioSDL.h"
#include "platform/MixLimiter.h"

#include "SfxFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

using platform::CSDLAudioOutput;
using sfxtest::CSfxFolder;
using sfxtest::SawLevel;

namespace {

class AudioSDL : public ::testing::Test {
protected:
    void SetUp() override {
        // CTest sets the dummy driver; this keeps the program runnable by hand on a silent machine.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_TRUE(audio.Open(44100, 16));
        speakers = audio.OutputChannels();
    }

    platform::SampleHandle Load(int rate, int channels, int bits, int frames) {
        sfxtest::WriteBytes(folder.root / "effect.wav", sfxtest::MakeWav(rate, channels, bits, frames));
        return audio.LoadSample((folder.root / "effect.wav").string());
    }
    // The frames the device plays for the chunk at that frequency.
    std::size_t PlayedFrames(platform::SampleHandle sample, int frequency) {
        const auto frames = audio.ChunkFrames(sample, frequency);
        EXPECT_EQ(frames.size() % std::size_t(speakers), 0u);
        return frames.size() / std::size_t(speakers);
    }
    // Frames recorded at rateIn last frames * device rate / rateIn frames on the device, rounded.
    std::size_t ExpectedFrames(int frames, int rateIn) const {
        return std::size_t((std::int64_t(frames) * audio.OutputRate() + rateIn / 2) / rateIn);
    }

    CSfxFolder folder;
    CSDLAudioOutput audio;
    int speakers = 0;
};

// The fall voices play at three pitches, and 0 plays a sample at its own rate: each chunk lasts
// as long as its pitch says.
TEST_F(AudioSDL, ChunksAreResampledToTheirLength) {
    const auto voice = Load(22050, 1, 16, 2205);
    ASSERT_NE(voice, platform::kNoSample);
    for (int frequency : {11025, 14699, 18374}) {
        EXPECT_EQ(PlayedFrames(voice, frequency), ExpectedFrames(2205, frequency)) << frequency;
        EXPECT_TRUE(audio.PlaySample(voice, frequency));
    }
    for (int rate : {11025, 44100}) {
        const auto sample = Load(rate, 1, 16, 4410);
        EXPECT_EQ(PlayedFrames(sample, 0), ExpectedFrames(4410, rate)) << rate;
    }
}

TEST_F(AudioSDL, ChunksKeepTheWaveformOnEverySpeaker) {
    ASSERT_EQ(audio.OutputRate(), 44100);
    // At the device's own rate every frame is the recorded one.
    const auto same = audio.ChunkFrames(Load(44100, 1, 16, 300), 0);
    ASSERT_EQ(same.size(), std::size_t(300 * speakers));
    for (int f = 0; f < 300; ++f)
        for (int c = 0; c < speakers; ++c) ASSERT_EQ(same[std::size_t(f * speakers + c)], SawLevel(f)) << f;
    // At half the device's rate every recorded frame is followed by the midpoint to the next.
    const auto doubled = audio.ChunkFrames(Load(22050, 2, 16, 300), 0);
    ASSERT_EQ(doubled.size(), std::size_t(600 * speakers));
    for (int f = 0; f + 1 < 300; ++f) {
        ASSERT_EQ(doubled[std::size_t(2 * f * speakers)], SawLevel(f)) << f;
        ASSERT_EQ(doubled[std::size_t((2 * f + 1) * speakers)], (SawLevel(f) + SawLevel(f + 1)) / 2) << f;
    }
}

// What is no wave is refused, absurd frequencies are clamped, unknown handles play nothing, and
// sixteen effects sound at once.
TEST_F(AudioSDL, BadFilesFrequenciesAndHandlesAreHarmlessAndEffectsOverlap) {
    EXPECT_NE(Load(11025, 2, 8, 1000), platform::kNoSample);
    sfxtest::WriteBytes(folder.root / "text.wav", "not a sound at all");
    EXPECT_EQ(audio.LoadSample((folder.root / "text.wav").string()), platform::kNoSample);
    EXPECT_EQ(Load(22050, 1, 16, 0), platform::kNoSample);

    const auto sample = Load(22050, 1, 16, 44100); // two seconds: nothing ends during the test
    const auto lowest = audio.ChunkFrames(sample, CSDLAudioOutput::kMinFrequency);
    EXPECT_EQ(audio.ChunkFrames(sample, -44100), lowest);
    EXPECT_EQ(audio.ChunkFrames(sample, 1 << 30), audio.ChunkFrames(sample, CSDLAudioOutput::kMaxFrequency));
    EXPECT_FALSE(audio.PlaySample(platform::kNoSample, 0));
    EXPECT_FALSE(audio.PlaySample(sample + 1, 0));
    int started = 0;
    for (int i = 0; i < 20; ++i) started += audio.PlaySample(sample, i % 2 ? 14699 : 0);
    EXPECT_EQ(started, 16);
}

// A stereo sine at that amplitude on the left and half of it on the right, for 0.1 s at 44100 Hz.
std::vector<float> Sine(float amplitude) {
    std::vector<float> out;
    for (int f = 0; f < 4410; ++f) {
        const float v = amplitude * float(std::sin(f * 0.0627));
        out.insert(out.end(), {v, v / 2});
    }
    return out;
}

TEST(MixLimiter, PassesAQuietMixAndHoldsSixteenEffectsWithTheMusicUnderFullScale) {
    using platform::CMixLimiter;
    CMixLimiter limiter(44100);
    // The gain the limiter stands at, read from one faint frame it passes on.
    const auto gainNow = [&] {
        float frame[2] = {0.01f, 0.01f};
        limiter.Process(frame, 1, 2);
        return frame[0] / (0.01f * CMixLimiter::kHeadroom);
    };
    auto quiet = Sine(0.8f);
    const auto original = quiet;
    limiter.Process(quiet.data(), quiet.size() / 2, 2);
    for (std::size_t i = 0; i < quiet.size(); ++i) ASSERT_EQ(quiet[i], original[i] * CMixLimiter::kHeadroom) << i;

    // Sixteen full-scale effects in phase plus the music at 192 of 255.
    auto volley = Sine(16.0f + 192.0f / 255.0f);
    limiter.Process(volley.data(), volley.size() / 2, 2);
    for (std::size_t i = 0; i < volley.size(); i += 2) {
        ASSERT_LT(std::fabs(volley[i]), 1.0f) << i;
        ASSERT_FLOAT_EQ(volley[i + 1] * 2, volley[i]) << "both speakers keep their balance";
    }
    EXPECT_LT(gainNow(), 0.2f);

    // Half a second of a quiet mix later the gain is back to unity.
    for (int block = 0; block < 5; ++block) {
        quiet = original;
        limiter.Process(quiet.data(), quiet.size() / 2, 2);
    }
    EXPECT_GT(gainNow(), 0.99f);
}

} // namespace
