// CMyD3DApplication: the game on the frame: its window, loading the game data into the graphics
// manager, the render states, drawing each frame, and window messages as input for the GUI.
#pragma once

#include "app/D3DApp.h"
#include "app/ScreenFlow.h"

#include <cstdint>
#include <string>

class CGfx;
class CGUIManager;

class CMyD3DApplication : public CD3DApplication {
public:
    // The graphics manager and the GUI manager must exist; they outlive the application.
    CMyD3DApplication(CFrameHost& host, CDisplayConfig& displayConfig);
    ~CMyD3DApplication() override;

    // "--replay FILE" shows a recorded game instead of starting at the menu alone.
    void OnCommandLineWord(const std::string& word) override;
    void InitApplication() override;
    void OnCreateDevice() override;
    void OnRestoreDevice() override;
    void UpdateFrame() override;
    void RenderFrame() override;
    void OnInvalidateDevice() override;
    void OnDestroyDevice() override;
    platform::LRESULT HandleMessage(const platform::CMessage& message) override;


    // The game data source the device's creation loads from.
    static constexpr const char* kGameDataPath = "GameData";

private:
    void HandleInput(const platform::CMessage& message);
    void StartScreenFlow();
    void StepScreenFlow();

    CGfx& gfx;
    CGUIManager& gui;
    std::uint32_t loadingMessage = 1;
    std::uint32_t wheelLines = 3;
    float mouseX = 0.0f;
    float mouseY = 0.0f;
    bool layoutChanged = false; // the screen size changed since the pointer was last placed
    CScreenFlow screenFlow;
    std::string replayPath;
    bool replayNext = false;
};
