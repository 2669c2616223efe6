// The menu screens under test: the shipped game data on a recording device at 800 x 600, a
// recording sound output, and a private working folder with Sfx (and Maps when a test makes it).
#pragma once

#include "gfx/RecordingDevice.h"
#include "sound/RecordingAudio.h"
#include "sound/SfxFolder.h"
#include "support/TestFiles.h"

#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "sound/SoundSystem.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class MenuScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        gfx.Create(&device);
        gfx.LoadGameData(tundrel_test::SourcePath("data/GameData"));
        device.width = 800;
        device.height = 600;
        gfx.SetScreenSize(800, 600);
    }
    void TearDown() override { gfx.Destroy(); }

    // A file of the working folder, made with its folders.
    void WriteFile(const std::string& relative, const std::string& bytes) {
        const std::filesystem::path path = folder.root / relative;
        std::filesystem::create_directories(path.parent_path());
        sfxtest::WriteBytes(path, bytes);
    }

    void Frame() { gui.Update(0.0f, 0.02f, true); }
    void Click(float x, float y, int button = kMouseLeft) {
        gui.MouseMove(x, y);
        gui.MouseDown(x, y, button);
        gui.MouseUp(x, y, button);
    }
    // How many times sound effect number has been started since the last call.
    int Played(int number) {
        const std::string line =
            "PlaySample " + std::to_string(sfxtest::CRecordingAudio::kFirstSample + number) + " 0";
        const int n = int(std::count(sounds->begin() + std::ptrdiff_t(soundsSeen), sounds->end(), line));
        return n;
    }
    void ForgetSounds() { soundsSeen = sounds->size(); }

    // The texts drawn since the last call.
    std::vector<CRecordingDevice::Text> TakeTexts() { return std::exchange(device.texts, {}); }

    tundrel_test::CapturedErrorLog errors;
    sfxtest::CSfxFolder folder{false};
    sfxtest::CRecordingAudio::Log sounds = std::make_shared<std::vector<std::string>>();
    CSoundSystem sound{std::make_unique<sfxtest::CRecordingAudio>(sounds)};
    CGUIManager gui;
    CRecordingDevice device;
    CGfx gfx;
    std::size_t soundsSeen = 0;
};
