// The menu screens under test: the shipped game data on a recording device at 800 x 600, a
// recording sound output, and a private working folder with Sfx (and Maps when a test makes it).
#pragma once

#include "gfx/RecordingDevice.h"
#include "support/TestFiles.h"

#include "gfx/Gfx.h"
#include "gui/GUIManager.h"
#include "platform/Audio.h"
#include "sound/SoundSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// An output that plays nothing and counts the effects started; an effect "loads" when its file
// exists, and handle n is effect n.
class CCountingAudio final : public platform::CAudioOutput {
public:
    explicit CCountingAudio(std::shared_ptr<std::vector<int>> played) : played(std::move(played)) {}
    bool Open(int, int) override { return true; }
    void Close() override {}
    platform::SampleHandle LoadSample(const std::string& path) override {
        return std::filesystem::exists(path) ? loaded++ : platform::kNoSample;
    }
    bool PlaySample(platform::SampleHandle sample, int) override {
        played->push_back(sample);
        return true;
    }
    platform::StreamHandle OpenStream(const std::string&, bool) override { return platform::kNoStream; }
    void PlayStream(platform::StreamHandle) override {}
    void SetStreamVolume(platform::StreamHandle, int) override {}
    void StopStream(platform::StreamHandle) override {}
    void CloseStream(platform::StreamHandle) override {}

private:
    std::shared_ptr<std::vector<int>> played;
    int loaded = 0;
};

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
        std::ofstream(path, std::ios::binary) << bytes;
    }

    void Frame() { gui.Update(0.0f, 0.02f, true); }
    void Click(float x, float y, int button = kMouseLeft) {
        gui.MouseMove(x, y);
        gui.MouseDown(x, y, button);
        gui.MouseUp(x, y, button);
    }
    // How many times sound effect number has been started since the last call.
    int Played(int number) { return int(std::count(sounds->begin() + std::ptrdiff_t(soundsSeen), sounds->end(), number)); }
    void ForgetSounds() { soundsSeen = sounds->size(); }

    // The texts drawn since the last call.
    std::vector<CRecordingDevice::Text> TakeTexts() { return std::exchange(device.texts, {}); }

    tundrel_test::CapturedErrorLog errors;
    struct SFolder {
        SFolder() {
            std::filesystem::create_directory(root / "Sfx");
            for (int n = 0; n < 8; ++n) std::ofstream(root / "Sfx" / (std::to_string(n) + ".wav"));
        }
        tundrel_test::TempDir dir;
        std::filesystem::path root{dir.path};
        tundrel_test::InFolder inside{root};
    } folder;
    std::shared_ptr<std::vector<int>> sounds = std::make_shared<std::vector<int>>();
    CSoundSystem sound{std::make_unique<CCountingAudio>(sounds)};
    CGUIManager gui;
    CRecordingDevice device;
    CGfx gfx;
    std::size_t soundsSeen = 0;
};
