// The window tree: containers, rectangular windows and screens, with the default reactions.
#pragma once

#include <cstdint>

#include "gui/ObjVector.h"

class CGUIWindow;

// A point in float pixels.
struct CGUIPoint {
    float x = 0;
    float y = 0;
};

// Mouse buttons as the dispatcher numbers them.
constexpr int kMouseLeft = 0;
constexpr int kMouseRight = 1;
constexpr int kMouseMiddle = 2;

// Cursor kinds the application frame draws. A window returns kCursorNoPreference to let the
// windows below it and its parent decide.
constexpr int kCursorNoPreference = -1;
constexpr int kCursorNone = 0;
constexpr int kCursorPointer = 1;
constexpr int kCursorTarget = 2;

// Anything that holds windows: a screen or a window. Owns its children; the first child is the
// bottom-most, the last child is top-most and is asked first about the mouse.
class CGUIWindowContainer {
public:
    CGUIWindowContainer() = default;
    CGUIWindowContainer(const CGUIWindowContainer&) = delete;
    CGUIWindowContainer& operator=(const CGUIWindowContainer&) = delete;
    // Deletes the children, and makes the dispatcher forget this window if it is the hover or
    // the capture, so no event can ever reach it (or a new window at its address) afterwards.
    virtual ~CGUIWindowContainer();

    // Called once per frame step for every window of the top screen, hidden ones included.
    // time: application time in seconds; elapsed: seconds since the last step.
    virtual void Update(float time, float elapsed, bool active);
    // The rectangle is in absolute back-buffer pixels.
    virtual void Draw(float left, float top, float right, float bottom);

    // Pointer operations get the point in the window's own coordinates. Returning false lets
    // the event fall through to the windows below and then to the parent.
    virtual bool OnMouseMove(float x, float y);
    virtual bool OnMouseDown(float x, float y, int button);
    virtual bool OnMouseUp(float x, float y, int button);
    virtual bool OnDoubleClick(float x, float y, int button);
    virtual bool OnMouseWheel(float x, float y, float amount);
    // Enter and leave get the point in back-buffer pixels.
    virtual void OnMouseEnter(float x, float y);
    virtual void OnMouseLeave(float x, float y);

    // Keys go to parents before children; returning true hides the key from the rest.
    virtual bool OnKeyDown(int key);
    virtual bool OnKeyUp(int key);
    virtual bool OnChar(int character);

    // The cursor kind over (x, y) in own coordinates, or kCursorNoPreference.
    virtual int GetCursor(float x, float y);

    // Hands child over (on top of the existing children) and makes this its parent.
    void AddChild(CGUIWindow* child);
    // Deletes child with its subtree; a window that is not a child of this changes nothing.
    void RemoveChild(CGUIWindow* child);
    const TObjVector<CGUIWindow>& GetChildren() const { return children; }
    // Whether window is this container or lies anywhere below it. Compares pointers only, so it
    // is safe to ask about a window that may already be gone.
    bool Holds(const CGUIWindowContainer* window) const;

private:
    TObjVector<CGUIWindow> children;
};

// A rectangular window placed in its parent's coordinates; the rectangle includes all four edges.
class CGUIWindow : public CGUIWindowContainer {
public:
    // Most windows start with an empty rectangle and are laid out by their owner later.
    explicit CGUIWindow(float left = 0, float top = 0, float right = 0, float bottom = 0)
        : left(left), top(top), right(right), bottom(bottom) {}

    bool IsVisible() const { return visible; }
    // Hiding a window ends a capture held by it or by any window inside it: a hidden window
    // gets no pointer events.
    void SetVisible(bool visible);
    CGUIWindowContainer* GetParent() const { return parent; }
    bool Contains(float x, float y) const { return left <= x && x <= right && top <= y && y <= bottom; }

    float left, top, right, bottom;

private:
    friend class CGUIWindowContainer;

    bool visible = true;
    CGUIWindowContainer* parent = nullptr;
};

// The root of a tree: covers the whole back buffer, and its children are placed in back-buffer
// pixels.
class CGUIScreen : public CGUIWindowContainer {
public:
    // The colour the frame is cleared to while this screen is on top, ARGB.
    virtual std::uint32_t GetBackgroundColor() const = 0;

    // Key releases made while a screen is not on top, or while the window has no keyboard focus,
    // never reach it. The screen flow calls OnActivate when it brings a stacked screen back to
    // the top; the application frame calls OnFocusLost on the top screen when the window loses
    // the focus. A screen that tracks held keys forgets them here.
    virtual void OnActivate() {}
    virtual void OnFocusLost() {}
};

// The point p (back-buffer pixels) in the own coordinates of window.
CGUIPoint ScreenToLocal(CGUIPoint p, const CGUIWindowContainer* window);
