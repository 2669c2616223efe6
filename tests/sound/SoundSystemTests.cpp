// The sound system: what it loads and in which order, how it fails, and how it plays.
#include "sound/SoundSystem.h"

#include "RecordingAudio.h"
#include "SfxFolder.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace vexo::literals;
using sfxtest::CRecordingAudio;
using sfxtest::CSfxFolder;

namespace {

std::string MissingMessage(int n) {
    return std::string("Nie można załadować dźwięku z pliku \""_pl) + std::to_string(n) + ".wav\".";
}

std::vector<std::string> LoadCalls() {
    std::vector<std::string> calls{"Open 44100 16"};
    for (int n = 0; n < 8; ++n) calls.push_back("LoadSample Sfx/" + std::to_string(n) + ".wav");
    return calls;
}

std::unique_ptr<CSoundSystem> Recorded(const CRecordingAudio::Log& log) {
    return std::make_unique<CSoundSystem>(std::make_unique<CRecordingAudio>(log));
}

TEST(SoundSystemStartup, OpensLoadsEveryEffectAndLoopsTheMusicAtItsVolume) {
    CSfxFolder folder;
    auto log = std::make_shared<std::vector<std::string>>();
    {
        auto sound = Recorded(log);
        auto expected = LoadCalls();
        expected.insert(expected.end(), {"OpenStream Sfx/muza.mp3 loop", "PlayStream 7", "SetStreamVolume 7 192"});
        EXPECT_EQ(*log, expected);
        log->clear();
    }
    EXPECT_EQ(*log, (std::vector<std::string>{"StopStream 7", "CloseStream 7", "Close"}));
}

TEST(SoundSystemStartup, MissingMusicIsSilenceAndTheStreamIsNeverTouched) {
    CSfxFolder folder(false);
    auto log = std::make_shared<std::vector<std::string>>();
    {
        auto sound = Recorded(log);
        sound->Play(2, 0);
    }
    auto expected = LoadCalls();
    expected.insert(expected.end(), {"OpenStream Sfx/muza.mp3 loop", "PlaySample 102 0", "Close"});
    EXPECT_EQ(*log, expected);
}

TEST(SoundSystemStartup, EachMissingOrBrokenEffectIsNamedAndLogged) {
    CSfxFolder folder;
    const tundrel_test::CapturedErrorLog log;
    for (int n = 0; n < 8; ++n) {
        SCOPED_TRACE(n);
        const std::string good = sfxtest::MakeWav(22050, 1, 16, 2205);
        for (const std::string& bad : {std::string(), std::string("RIFF\x10\0\0\0WAVEjunk", 16)}) {
            if (bad.empty())
                std::filesystem::remove(folder.Effect(n));
            else
                sfxtest::WriteBytes(folder.Effect(n), bad);
            const auto error = tundrel_test::ErrorOf([] { CSoundSystem sound; });
            ASSERT_TRUE(error) << "constructed without effect " << n;
            EXPECT_EQ(error->message, MissingMessage(n));
            EXPECT_EQ(error->sourceFile, "Sfx");
            EXPECT_EQ(CSoundSystem::Instance(), nullptr);
        }
        sfxtest::WriteBytes(folder.Effect(n), good);
    }
    const std::string text = log.Contents();
    for (int n = 0; n < 8; ++n) EXPECT_NE(text.find(MissingMessage(n)), std::string::npos) << n;
}

TEST(SoundSystemStartup, StopsAtTheFirstMissingEffectAndClosesTheOutput) {
    CSfxFolder folder;
    std::filesystem::remove(folder.Effect(3));
    std::filesystem::remove(folder.Effect(5));
    auto log = std::make_shared<std::vector<std::string>>();
    EXPECT_THROW(Recorded(log), vexo::CError);
    auto expected = LoadCalls();
    expected.resize(5);
    expected.push_back("Close");
    EXPECT_EQ(*log, expected);
}

TEST(SoundSystemPlay, PassesTheEffectAndFrequencyAndIgnoresUnknownNumbers) {
    CSfxFolder folder;
    auto log = std::make_shared<std::vector<std::string>>();
    auto sound = Recorded(log);
    log->clear();
    // The three voice pitches of a falling unit, then effects at their own rate.
    for (float pitch : {1.0f, 1.33333f, 1.66666f}) sound->Play(6, int(11025 * pitch));
    sound->Play(0, 0);
    sound->Play(7, 0);
    sound->Play(8, 0);
    sound->Play(-1, 0);
    EXPECT_EQ(*log, (std::vector<std::string>{"PlaySample 106 11025", "PlaySample 106 14699",
                                              "PlaySample 106 18374", "PlaySample 100 0", "PlaySample 107 0"}));
}

TEST(SoundSystemInstance, IsTheLiveSystemAndNullOtherwise) {
    CSfxFolder folder;
    EXPECT_EQ(CSoundSystem::Instance(), nullptr);
    {
        CSoundSystem sound;
        EXPECT_EQ(CSoundSystem::Instance(), &sound);
        for (int n = 0; n < 8; ++n) CSoundSystem::Instance()->Play(n, n == 6 ? 14699 : 0);
    }
    EXPECT_EQ(CSoundSystem::Instance(), nullptr);
}

TEST(SoundSystemNoDevice, StartsSilentButStillChecksTheEffects) {
    CSfxFolder folder;
    sfxtest::CNoAudioDevice noDevice;
    {
        CSoundSystem sound;
        EXPECT_EQ(CSoundSystem::Instance(), &sound);
        sound.Play(4, 0);
        sound.Play(6, 18374);
    }
    std::filesystem::remove(folder.Effect(1));
    EXPECT_THROW(CSoundSystem(), vexo::CError);
}

} // namespace
