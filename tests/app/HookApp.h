// CHookApp: the frame with hooks that write themselves into the host's log and fail on request,
// for the tests of the frame's own logic.
#pragma once

#include "TestFrameHost.h"

#include "support/Error.h"

#include <set>

class CHookApp : public CD3DApplication {
public:
    CHookApp(CTestFrameHost& host, CDisplayConfig& config) : CD3DApplication(host, config), testHost(host) {
        windowTitle = "Test";
        windowSettings = {800, 600, false, false};
    }
    ~CHookApp() override { ReleaseDeviceOnExit(); }

    // Hooks named here raise a vexo::CError instead of returning.
    std::set<std::string> failing;

    void InitApplication() override { Hook("InitApplication"); }
    void OnCreateDevice() override { Hook("OnCreateDevice"); }
    void OnRestoreDevice() override { Hook("OnRestoreDevice"); }
    void OnInvalidateDevice() override { Hook("OnInvalidateDevice"); }
    void OnDestroyDevice() override { Hook("OnDestroyDevice"); }
    void OnShutdown() override { Hook("OnShutdown"); }
    void UpdateFrame() override { Hook("UpdateFrame"); }
    void RenderFrame() override { Hook("RenderFrame"); }

    // The frame's own state, which the game reads through its members.
    bool IsActive() const { return active; }
    bool IsDeviceLost() const { return deviceLost; }
    bool IsMaximized() const { return maximized; }
    float GetTime() const { return time; }
    float GetElapsedTime() const { return elapsedTime; }
    float GetFramesPerSecond() const { return framesPerSecond; }
    const CPresentParameters& GetPresentParameters() const { return presentParameters; }
    const CWindowSettings& GetWindowSettings() const { return windowSettings; }
    std::uint32_t BackBufferWidth() const { return backBufferWidth; }
    std::uint32_t BackBufferHeight() const { return backBufferHeight; }

private:
    void Hook(const std::string& name) {
        testHost.log.push_back(name);
        if (failing.count(name)) throw vexo::CError(name + " failed", "test", 1);
    }

    CTestFrameHost& testHost;
};

// The log entries of the given names only, in order.
inline std::vector<std::string> Steps(const std::vector<std::string>& log, std::set<std::string> names) {
    std::vector<std::string> out;
    for (const std::string& entry : log)
        if (names.count(entry.substr(0, entry.find(' ')))) out.push_back(entry);
    return out;
}
