// What a player hears: effects resampled to their pitch's length, a loud volley held under full
// scale, and a start that names the effect it could not load, with or without a sound device.
#include "platform/AudioSDL.h"
#include "platform/MixLimiter.h"
#include "sound/SoundSystem.h"
#include "support/Files.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>
#include <cstdlib>
#include <filesystem>

using namespace vexo::literals;
using platform::CSDLAudioOutput;

namespace {

// A 16-bit mono PCM WAV of frames frames of a saw wave.
std::string MakeWav(int rate, int frames) {
    std::string out = "RIFF";
    tundrel_test::PutLE32(out, 36 + 2 * std::uint32_t(frames));
    out += "WAVEfmt ";
    for (std::uint32_t v : {16u, 1u | 1u << 16, std::uint32_t(rate), 2u * std::uint32_t(rate), 2u | 16u << 16})
        tundrel_test::PutLE32(out, v);
    out += "data";
    tundrel_test::PutLE32(out, 2 * std::uint32_t(frames));
    for (int f = 0; f < frames; ++f) tundrel_test::PutLE16(out, std::uint16_t(std::int16_t((f % 64) * 64 - 2048)));
    return out;
}

// Heard through SDL's "disk" driver, which writes the mix as a sound card gets it (stereo floats at
// 44100 Hz), faster than real time: an effect sounds for its length at the pitch it is played at.
TEST(AudioSDL, ChunksAreResampledToTheirLength) {
    tundrel_test::TempDir dir;
    const std::string mix = dir.File("mix.f32");
    for (auto [name, value] :
         {std::pair{"SDL_DISKAUDIOFILE", mix.c_str()}, {"SDL_DISKAUDIODELAY", "2"}, {"SDL_AUDIODRIVER", "disk"}})
        setenv(name, value, 1);
    CSDLAudioOutput audio;
    const bool opened = audio.Open(44100, 16);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(opened);
    const auto recorded = [&] {
        std::string bytes;
        vexo::ReadFileToString(mix, bytes);
        std::vector<float> values(bytes.size() / sizeof(float));
        std::memcpy(values.data(), bytes.data(), values.size() * sizeof(float));
        return values;
    };
    const auto played = [&](int rate, int frames, int frequency) {
        vexo::WriteStringToFile(dir.File("effect.wav"), MakeWav(rate, frames));
        const auto sample = audio.LoadSample(dir.File("effect.wav"));
        const std::size_t from = recorded().size();
        ASSERT_TRUE(audio.PlaySample(sample, frequency));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        constexpr std::size_t kNone = std::size_t(-1);
        std::size_t first = kNone, last = 0;
        for (bool ended = false; !ended && std::chrono::steady_clock::now() < deadline;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const std::vector<float> values = recorded();
            first = kNone;
            for (std::size_t i = from; i < values.size(); ++i)
                if (values[i] != 0.0f) first = std::min(first, i), last = i;
            ended = first != kNone && values.size() - last > 16384; // silence after the sound
        }
        ASSERT_NE(first, kNone) << "nothing was heard";
        const int in = frequency ? frequency : rate;
        EXPECT_EQ(last / 2 - first / 2 + 1, std::size_t((std::int64_t(frames) * 44100 + in / 2) / in))
            << rate << " " << frequency;
    };
    // The fall voices play at three pitches, and 0 plays a sample at its own rate.
    for (int frequency : {11025, 14699, 18374}) played(22050, 2205, frequency);
    for (int rate : {11025, 44100}) played(rate, 4410, 0);
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

// Each missing or broken effect stops the start with its name in Errors.log, on the dummy device
// and on a machine without sound ("nonexistent" driver), which still checks the files.
TEST(SoundSystem, EachMissingOrBrokenEffectIsNamedAndLogged) {
    const tundrel_test::CapturedErrorLog errors;
    tundrel_test::TempDir dir;
    tundrel_test::InFolder inside(dir.path);
    std::filesystem::create_directory("Sfx");
    const auto effect = [](int n) { return "Sfx/" + std::to_string(n) + ".wav"; };
    for (int n = 0; n < 8; ++n) vexo::WriteStringToFile(effect(n), MakeWav(22050, 2205));
    for (const char* driver : {"dummy", "nonexistent"}) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        {
            CSoundSystem sound; // the music is missing: silence
            EXPECT_EQ(CSoundSystem::Instance(), &sound);
            sound.Play(6, 18374);
            sound.Play(8, 0);
        }
        for (int n = 0; n < 8; ++n) {
            SCOPED_TRACE(std::string(driver) + " " + std::to_string(n));
            const std::string message = std::string("Nie można załadować dźwięku z pliku \""_pl) + std::to_string(n) + ".wav\".";
            for (const std::string& bad : {std::string(), std::string("RIFF\x10\0\0\0WAVEjunk", 16)}) {
                if (bad.empty()) std::filesystem::remove(effect(n));
                else vexo::WriteStringToFile(effect(n), bad);
                const auto error = tundrel_test::ErrorOf([] { CSoundSystem sound; });
                ASSERT_TRUE(error);
                EXPECT_EQ(error->message, message);
                EXPECT_EQ(CSoundSystem::Instance(), nullptr);
            }
            EXPECT_NE(errors.Contents().find(message), std::string::npos);
            vexo::WriteStringToFile(effect(n), MakeWav(22050, 2205));
        }
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

} // namespace
