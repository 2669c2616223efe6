// The SDL2_mixer output on the dummy driver: decoding, chunks per frequency, channels, the music
// stream, and the silent mode of a machine without an audio device.
#include "platform/AudioSDL.h"
#include "platform/MixLimiter.h"

#include "SfxFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using platform::CSDLAudioOutput;
using sfxtest::CSfxFolder;
using sfxtest::SawLevel;

namespace {

// Runs the output on SDL's "disk" driver, which writes the mix to a file exactly as a sound card
// would get it: 32-bit floats at the rate and speaker layout asked for, here about ten times
// faster than real time.
class CRecordingDriver {
public:
    explicit CRecordingDriver(const std::filesystem::path& file) {
        if (const char* old = std::getenv("SDL_AUDIODRIVER")) previous = old;
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "2", 1); // milliseconds between blocks of 1024 frames
    }
    ~CRecordingDriver() { previous ? setenv("SDL_AUDIODRIVER", previous->c_str(), 1) : unsetenv("SDL_AUDIODRIVER"); }

private:
    std::optional<std::string> previous;
};

class AudioSDL : public ::testing::Test {
protected:
    static constexpr int kRate = 44100;
    static constexpr int kSpeakers = 2;
    // An effect has ended once this much silence follows it (stdio holds back a little of the file).
    static constexpr std::size_t kQuietFrames = 8192;

    void SetUp() override { ASSERT_TRUE(audio.Open(kRate, 16)); }

    platform::SampleHandle Load(int rate, int channels, int bits, int frames) {
        sfxtest::WriteBytes(folder.root / "effect.wav", sfxtest::MakeWav(rate, channels, bits, frames));
        return audio.LoadSample((folder.root / "effect.wav").string());
    }

    // The mix written so far, from value index `from` on, once it holds at least count values there.
    std::vector<float> Recorded(std::size_t from, std::size_t count = 0) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            std::ifstream in(mix, std::ios::binary | std::ios::ate);
            const std::size_t values = in ? std::size_t(in.tellg()) / sizeof(float) : 0;
            if (values >= from + count || std::chrono::steady_clock::now() > deadline) {
                std::vector<float> out(values > from ? values - from : 0);
                in.seekg(std::streamoff(from * sizeof(float)));
                in.read(reinterpret_cast<char*>(out.data()), std::streamsize(out.size() * sizeof(float)));
                return out;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    std::size_t RecordedSize() { return Recorded(0).size(); }

    // Plays the sample and waits until the output is silent again: what was heard from its first
    // to its last sounding frame, interleaved, back on the 16-bit scale of the file it came from
    // (the limiter passes a mix this quiet on at its headroom).
    std::vector<int> Heard(platform::SampleHandle sample, int frequency) {
        const std::size_t from = RecordedSize();
        EXPECT_TRUE(audio.PlaySample(sample, frequency));
        for (std::size_t count = kQuietFrames * kSpeakers;; count += kQuietFrames * kSpeakers) {
            const std::vector<float> values = Recorded(from, count);
            std::size_t first = values.size(), last = 0;
            for (std::size_t i = 0; i < values.size(); ++i)
                if (values[i] != 0.0f) first = std::min(first, i), last = i;
            if (values.size() < count || count > std::size_t(30 * kRate * kSpeakers)) {
                ADD_FAILURE() << "the recording stopped, or never fell silent after the sound";
                return {};
            }
            if (first == values.size() || values.size() - last < kQuietFrames * kSpeakers) continue;
            std::vector<int> heard;
            for (std::size_t i = first - first % kSpeakers; i < last - last % kSpeakers + kSpeakers; ++i)
                heard.push_back(int(std::lround(values[i] / platform::CMixLimiter::kHeadroom * 32768.0f)));
            return heard;
        }
    }
    // The frames heard of the sample at that frequency.
    std::size_t PlayedFrames(platform::SampleHandle sample, int frequency) {
        return Heard(sample, frequency).size() / kSpeakers;
    }
    // Frames recorded at rateIn last frames * device rate / rateIn frames on the device, rounded.
    static std::size_t ExpectedFrames(int frames, int rateIn) {
        return std::size_t((std::int64_t(frames) * kRate + rateIn / 2) / rateIn);
    }

    CSfxFolder folder;
    const std::filesystem::path mix = folder.root / "mix.f32";
    CRecordingDriver driver{mix};
    CSDLAudioOutput audio;
};

TEST_F(AudioSDL, FallVoicesAreResampledToTheirLength) {
    const auto sample = Load(22050, 1, 16, 2205);
    ASSERT_NE(sample, platform::kNoSample);
    for (int frequency : {11025, 14699, 18374}) {
        SCOPED_TRACE(frequency);
        EXPECT_EQ(PlayedFrames(sample, frequency), ExpectedFrames(2205, frequency));
    }
}

TEST_F(AudioSDL, FrequencyZeroPlaysTheSampleAtItsOwnRate) {
    for (int rate : {11025, 22050, 44100}) {
        SCOPED_TRACE(rate);
        const auto sample = Load(rate, 1, 16, 4410);
        ASSERT_NE(sample, platform::kNoSample);
        const std::vector<int> own = Heard(sample, 0);
        EXPECT_EQ(own, Heard(sample, rate));
        EXPECT_EQ(own.size() / kSpeakers, ExpectedFrames(4410, rate));
    }
}

TEST_F(AudioSDL, ChunksKeepTheWaveformOnEverySpeaker) {
    // At the device's own rate every frame is the recorded one.
    const auto same = Heard(Load(44100, 1, 16, 300), 0);
    ASSERT_EQ(same.size(), std::size_t(300 * kSpeakers));
    for (int f = 0; f < 300; ++f)
        for (int c = 0; c < kSpeakers; ++c) ASSERT_EQ(same[std::size_t(f * kSpeakers + c)], SawLevel(f)) << f;
    // At half the device's rate every recorded frame is followed by the midpoint to the next.
    const auto doubled = Heard(Load(22050, 2, 16, 300), 0);
    ASSERT_EQ(doubled.size(), std::size_t(600 * kSpeakers));
    for (int f = 0; f + 1 < 300; ++f) {
        ASSERT_EQ(doubled[std::size_t(2 * f * kSpeakers)], SawLevel(f)) << f;
        ASSERT_EQ(doubled[std::size_t((2 * f + 1) * kSpeakers)], (SawLevel(f) + SawLevel(f + 1)) / 2) << f;
    }
}

TEST_F(AudioSDL, DecodesEightBitStereoAndRefusesWhatIsNoWave) {
    EXPECT_NE(Load(11025, 2, 8, 1000), platform::kNoSample);
    EXPECT_EQ(audio.LoadSample((folder.root / "missing.wav").string()), platform::kNoSample);
    sfxtest::WriteBytes(folder.root / "text.wav", "not a sound at all");
    EXPECT_EQ(audio.LoadSample((folder.root / "text.wav").string()), platform::kNoSample);
    EXPECT_EQ(Load(22050, 1, 16, 0), platform::kNoSample);
}

TEST_F(AudioSDL, AbsurdFrequenciesAreClampedAndUnknownHandlesIgnored) {
    const auto sample = Load(22050, 1, 16, 2205);
    const auto lowest = Heard(sample, CSDLAudioOutput::kMinFrequency);
    EXPECT_EQ(Heard(sample, 1), lowest);
    EXPECT_EQ(Heard(sample, -44100), lowest);
    EXPECT_EQ(Heard(sample, 1 << 30), Heard(sample, CSDLAudioOutput::kMaxFrequency));
    EXPECT_FALSE(audio.PlaySample(platform::kNoSample, 0));
    EXPECT_FALSE(audio.PlaySample(sample + 1, 0));
}

TEST_F(AudioSDL, EffectsOverlapUntilEveryChannelIsBusy) {
    const auto sample = Load(22050, 1, 16, 44100); // two seconds: nothing ends during the test
    int started = 0;
    for (int i = 0; i < 20; ++i) started += audio.PlaySample(sample, i % 2 ? 14699 : 0);
    EXPECT_EQ(started, 16);
}

TEST_F(AudioSDL, MusicStreamLoopsStopsAndClosesOnlyWhenItOpened) {
    const auto silent = [](const std::vector<float>& values) {
        return std::all_of(values.begin(), values.end(), [](float v) { return v == 0.0f; });
    };
    // A tenth of a second, so that half a second in only a looping tune is still heard.
    sfxtest::WriteBytes(folder.root / "Sfx" / "tune.wav", sfxtest::MakeWav(22050, 1, 16, 2205));
    const auto music = audio.OpenStream(folder.root / "Sfx" / "tune.wav", true);
    ASSERT_NE(music, platform::kNoStream);
    constexpr std::size_t kTenth = kRate / 10 * kSpeakers;
    std::size_t from = RecordedSize();
    audio.PlayStream(music);
    audio.SetStreamVolume(music, 192);
    EXPECT_FALSE(silent(Recorded(from + 4 * kTenth, kTenth)));
    // What was mixed before the stop may still reach the file within the next tenth.
    from = RecordedSize();
    audio.StopStream(music);
    EXPECT_TRUE(silent(Recorded(from + kTenth, 2 * kTenth)));
    audio.CloseStream(music);
    from = RecordedSize();
    audio.PlayStream(music);
    EXPECT_TRUE(silent(Recorded(from, 2 * kTenth)));

    const auto missing = audio.OpenStream(folder.root / "Sfx" / "none.mp3", true);
    EXPECT_EQ(missing, platform::kNoStream);
    audio.PlayStream(missing);
    audio.SetStreamVolume(missing, 192);
    audio.StopStream(missing);
    audio.CloseStream(missing);
}

TEST(AudioSDLNoDevice, StaysSilentYetStillDecodesEffects) {
    CSfxFolder folder;
    sfxtest::CNoAudioDevice noDevice;
    CSDLAudioOutput audio;
    EXPECT_FALSE(audio.Open(44100, 16));
    const auto sample = audio.LoadSample(folder.Effect(0));
    ASSERT_NE(sample, platform::kNoSample);
    EXPECT_EQ(audio.LoadSample(folder.root / "Sfx" / "missing.wav"), platform::kNoSample);
    EXPECT_FALSE(audio.PlaySample(sample, 0));
    EXPECT_FALSE(audio.PlaySample(sample, 14699));
    EXPECT_EQ(audio.OpenStream(folder.root / "Sfx" / "muza.mp3", true), platform::kNoStream);
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
