// The sound system: a missing or broken effect stops the start with its name, missing music is
// silence, unknown effect numbers play nothing, and a machine without sound still checks the files.
#include "sound/SoundSystem.h"

#include "RecordingAudio.h"
#include "SfxFolder.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace vexo::literals;
using sfxtest::CRecordingAudio;
using sfxtest::CSfxFolder;

namespace {

std::unique_ptr<CSoundSystem> Recorded(const CRecordingAudio::Log& log) {
    return std::make_unique<CSoundSystem>(std::make_unique<CRecordingAudio>(log));
}

bool Has(const CRecordingAudio::Log& log, const std::string& line) {
    return std::find(log->begin(), log->end(), line) != log->end();
}

TEST(SoundSystem, EachMissingOrBrokenEffectIsNamedLoggedAndClosesTheOutput) {
    CSfxFolder folder;
    const tundrel_test::CapturedErrorLog errors;
    for (int n = 0; n < 8; ++n) {
        SCOPED_TRACE(n);
        const std::string message = std::string("Nie można załadować dźwięku z pliku \""_pl) + std::to_string(n) + ".wav\".";
        for (const std::string& bad : {std::string(), std::string("RIFF\x10\0\0\0WAVEjunk", 16)}) {
            if (bad.empty()) std::filesystem::remove(folder.Effect(n));
            else sfxtest::WriteBytes(folder.Effect(n), bad);
            const auto error = tundrel_test::ErrorOf([] { CSoundSystem sound; });
            ASSERT_TRUE(error);
            EXPECT_EQ(error->message, message);
            EXPECT_EQ(CSoundSystem::Instance(), nullptr);
        }
        EXPECT_NE(errors.Contents().find(message), std::string::npos);
        auto log = std::make_shared<std::vector<std::string>>();
        std::filesystem::remove(folder.Effect(n));
        EXPECT_THROW(Recorded(log), vexo::CError);
        EXPECT_EQ(log->back(), "Close");
        sfxtest::WriteBytes(folder.Effect(n), sfxtest::MakeWav(22050, 1, 16, 2205));
    }
}

TEST(SoundSystem, MusicLoopsAtItsVolumeOrIsSilenceAndUnknownEffectsPlayNothing) {
    for (bool withMusic : {true, false}) {
        CSfxFolder folder(withMusic);
        auto log = std::make_shared<std::vector<std::string>>();
        {
            auto sound = Recorded(log);
            EXPECT_EQ(CSoundSystem::Instance(), sound.get());
            EXPECT_EQ(Has(log, "SetStreamVolume 7 192"), withMusic);
            log->clear();
            for (int number : {-1, 8, 6}) sound->Play(number, 14699);
            EXPECT_EQ(*log, std::vector<std::string>{"PlaySample 106 14699"});
        }
        EXPECT_EQ(CSoundSystem::Instance(), nullptr);
        EXPECT_EQ(Has(log, "CloseStream 7"), withMusic) << "a stream that did not open is never touched";
        EXPECT_EQ(log->back(), "Close");
    }
}

TEST(SoundSystem, AMachineWithoutSoundStartsSilentButStillChecksTheEffects) {
    CSfxFolder folder;
    sfxtest::CNoAudioDevice noDevice;
    {
        CSoundSystem sound;
        sound.Play(6, 18374);
    }
    std::filesystem::remove(folder.Effect(1));
    EXPECT_THROW(CSoundSystem(), vexo::CError);
}

} // namespace
