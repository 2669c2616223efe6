// CGUIManager: the one dispatcher that holds the screen stack and routes input, updates and
// drawing through the top screen's window tree.
#pragma once

#include <cstdint>

#include "gui/GUIWindow.h"
#include "gui/ObjVector.h"

// The modifier and toggle keys the screens read besides the key messages, as flags.
enum EModifier : unsigned {
    kModControl = 1,    // either Ctrl held
    kModCapsLock = 2,   // Caps Lock on
    kModScrollLock = 4, // Scroll Lock on
};

class CGUIManager {
public:
    // The program builds exactly one at the top of main; windows and screens reach it through
    // Instance(). Building a second one while the first lives throws std::logic_error.
    CGUIManager();
    // Deletes every screen still on the stack.
    ~CGUIManager();
    CGUIManager(const CGUIManager&) = delete;
    CGUIManager& operator=(const CGUIManager&) = delete;

    // The living dispatcher, or nullptr before it is built and after it is destroyed.
    static CGUIManager* Instance() { return instance; }

    // Pointer input from the application frame; points are in back-buffer pixels.
    void MouseMove(float x, float y);
    void MouseDown(float x, float y, int button);
    void MouseUp(float x, float y, int button);
    void DoubleClick(float x, float y, int button);
    void Wheel(float x, float y, float amount);

    // Key input: goes through the top screen's tree whatever holds the capture.
    void KeyDown(int key);
    void KeyUp(int key);
    void Char(int character);
    // The frame hands over the modifier and toggle state with every message and every frame step,
    // so the screens never ask the system for it. EModifier flags.
    void SetModifiers(unsigned flags) { modifiers = flags; }
    bool HasModifier(EModifier flag) const { return (modifiers & flag) != 0; }

    // The cursor kind at (x, y); kCursorPointer with no screens.
    int GetCursor(float x, float y);
    // The top screen's clear colour; opaque black with no screens.
    std::uint32_t GetBackgroundColor() const;

    // Once per frame step, before Draw.
    void Update(float time, float elapsed, bool active);
    // Draws the top screen, whose rectangle is the back buffer (0, 0, width, height).
    void Draw(float width, float height);

    // The window that took the current press.
    CGUIWindowContainer* GetCapture() const { return capture; }
    void ReleaseCapture() { capture = nullptr; }

    // The screen stack; the last element is the top screen and the only one that is live. The
    // application frame pushes with push_back, removes and deletes with Erase(IndexOf(screen)),
    // and brings a stacked screen back with MoveToTop(index).
    TObjVector<CGUIScreen> screens;
    // Whether the game runs full-screen; the application frame sets it at every device restore.
    bool fullScreen = false;

private:
    friend class CGUIWindowContainer;

    CGUIScreen* Top() const { return screens.empty() ? nullptr : screens.back(); }
    // Whether window is one of the stacked screens (not only the top one) or lies inside one.
    // Compares pointers only.
    bool IsInTree(const CGUIWindowContainer* window) const;
    // The window itself if it is still in a tree, otherwise nullptr.
    CGUIWindowContainer* Live(CGUIWindowContainer* window) const;
    // Called by every container's destructor.
    void Forget(const CGUIWindowContainer* window);
    template <class Op> bool ToCapture(float x, float y, const Op& op);
    template <class Op> CGUIWindowContainer* RouteThroughTop(float x, float y, const Op& op);

    static CGUIManager* instance;

    CGUIWindowContainer* hover = nullptr;
    CGUIWindowContainer* capture = nullptr;
    int captureButton = 0;
    unsigned modifiers = 0;
};

// Whether the modifier flag is on as the living dispatcher last heard; off without one.
inline bool ModifierOn(EModifier flag) {
    const CGUIManager* manager = CGUIManager::Instance();
    return manager && manager->HasModifier(flag);
}
