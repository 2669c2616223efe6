// The menu screens under test: the shipped game data on a recording device at 800 x 600, in a
// private working folder (with Maps when a test makes it).
#pragma once

#include "gfx/RecordingDevice.h"
#include "support/TestFiles.h"

#include "gfx/Gfx.h"
#include "gui/GUIManager.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
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
        std::ofstream(path, std::ios::binary) << bytes;
    }

    void Frame() { gui.Update(0.0f, 0.02f, true); }
    void Click(float x, float y, int button = kMouseLeft) {
        gui.MouseMove(x, y);
        gui.MouseDown(x, y, button);
        gui.MouseUp(x, y, button);
    }

    // The texts drawn since the last call.
    std::vector<CRecordingDevice::Text> TakeTexts() { return std::exchange(device.texts, {}); }

    tundrel_test::CapturedErrorLog errors;
    struct SFolder {
        tundrel_test::TempDir dir;
        std::filesystem::path root{dir.path};
        tundrel_test::InFolder inside{root};
    } folder;
    CGUIManager gui;
    CRecordingDevice device;
    CGfx gfx;
};
