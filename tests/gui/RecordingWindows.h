// Windows and screens for the dispatcher tests: each writes every pointer, update and draw call it
// gets into a shared log as "name.Event args", and accepts or declines the mouse as the test says.
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/GUIManager.h"

using CCallLog = std::vector<std::string>;

inline std::string Args(std::initializer_list<float> values) {
    std::ostringstream out;
    for (float v : values) out << (out.tellp() > 0 ? "," : "") << v;
    return out.str();
}

// The recording window the pointer last entered and has not left: the dispatcher's hover, as the
// windows see it.
inline const void* g_entered = nullptr;

template <class Base> class TRecording : public Base {
public:
    template <class... Rect>
    TRecording(CCallLog& log, std::string name, Rect... rect)
        : Base(rect...), log(log), name(std::move(name)) {}
    ~TRecording() override {
        if (g_entered == this) g_entered = nullptr;
        Note("Destroy", "");
    }

    void Update(float time, float elapsed, bool active) override {
        Note("Update", Args({time, elapsed, static_cast<float>(active)}));
    }
    void Draw(float l, float t, float r, float b) override { Note("Draw", Args({l, t, r, b})); }
    bool OnMouseMove(float x, float y) override { return Mouse("Move", {x, y}); }
    bool OnMouseDown(float x, float y, int b) override { return Mouse("Down", {x, y, float(b)}); }
    bool OnMouseUp(float x, float y, int b) override { return Mouse("Up", {x, y, float(b)}); }
    bool OnDoubleClick(float x, float y, int b) override { return Mouse("Double", {x, y, float(b)}); }
    bool OnMouseWheel(float x, float y, float amount) override { return Mouse("Wheel", {x, y, amount}); }
    void OnMouseEnter(float x, float y) override {
        g_entered = this;
        Note("Enter", Args({x, y}));
    }
    void OnMouseLeave(float x, float y) override {
        if (g_entered == this) g_entered = nullptr;
        Note("Leave", Args({x, y}));
    }

    int GetCursor(float, float) override { return cursor; }

    bool acceptsMouse = true; // what OnMouseMove .. OnMouseWheel answer
    int cursor = kCursorPointer;
    // Runs after each recorded call, with the event's name; lets a test act from inside a handler,
    // even delete this window, so nothing of the window is read after it runs.
    std::function<void(const std::string& event)> hook;

private:
    void Note(const std::string& event, const std::string& args) {
        log.push_back(name + "." + event + " " + args);
        if (hook) hook(event);
    }
    bool Mouse(const char* event, std::initializer_list<float> args) {
        const bool answer = acceptsMouse;
        Note(event, Args(args));
        return answer;
    }

    CCallLog& log;
    std::string name;
};

using CRecWindow = TRecording<CGUIWindow>;

struct CRecScreen : TRecording<CGUIScreen> {
    using TRecording::TRecording;
    std::uint32_t GetBackgroundColor() const override { return 0xFF112233u; }
};

// Adds a recording window to parent and returns it.
inline CRecWindow* Add(CGUIWindowContainer& parent, CCallLog& log, const std::string& name, float l, float t,
                       float r, float b) {
    auto* w = new CRecWindow(log, name, l, t, r, b);
    parent.AddChild(w);
    return w;
}

// The entries of one kind of call ("Move", "Draw", ...), so a test can ignore the others.
inline CCallLog Only(const CCallLog& log, const std::string& event) {
    CCallLog out;
    for (const std::string& entry : log)
        if (entry.find("." + event + " ") != std::string::npos) out.push_back(entry);
    return out;
}

// A dispatcher with one recording screen "s" on its stack. The log outlives the dispatcher, so
// the windows can still record their destruction.
class GUITest : public ::testing::Test {
protected:
    CRecScreen* Push(const std::string& name) {
        auto* screen = new CRecScreen(log, name);
        gui.screens.push_back(screen);
        return screen;
    }
    // Returns the log so far and starts a new one.
    CCallLog Take() { return std::exchange(log, {}); }
    static const void* Entered() { return g_entered; }

    CCallLog log;
    CGUIManager gui;
    CRecScreen* s = (g_entered = nullptr, Push("s"));
};
