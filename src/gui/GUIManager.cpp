// The dispatcher: the screen stack, hover and capture, and the walks through a window tree that
// route the mouse, the keys, the cursor query, drawing and updating.
#include "gui/GUIManager.h"

#include <stdexcept>
#include <vector>

CGUIManager* CGUIManager::instance = nullptr;

namespace {

// Handlers may add or delete windows while a walk runs (an update that removes a finished
// overlay, a click that closes a panel). Each walk therefore goes over the children present when
// it reached the container, and skips any that have left it by the time their turn comes.
std::vector<CGUIWindow*> Snapshot(const CGUIWindowContainer& c) {
    const auto& kids = c.GetChildren();
    return {kids.begin(), kids.end()};
}

bool StillChild(const CGUIWindowContainer& c, const CGUIWindow* child) {
    return child && c.GetChildren().IndexOf(child) >= 0;
}

bool StillVisibleChild(const CGUIWindowContainer& c, const CGUIWindow* child) {
    return StillChild(c, child) && child->IsVisible();
}

// The deepest visible window under (x, y) is asked first; if it declines, the siblings below it
// and then its parent are asked. Returns the window that accepted, or nullptr.
template <class Op> CGUIWindowContainer* Route(CGUIWindowContainer& c, float x, float y, const Op& op) {
    const std::vector<CGUIWindow*> kids = Snapshot(c);
    for (auto child = kids.rbegin(); child != kids.rend(); ++child)
        if (StillVisibleChild(c, *child) && (*child)->Contains(x, y))
            if (CGUIWindowContainer* r = Route(**child, x - (*child)->left, y - (*child)->top, op)) return r;
    return op(c, x, y) ? &c : nullptr;
}

// Keys: the container first, then its visible children from the top-most down.
template <class Op> CGUIWindowContainer* RouteKey(CGUIWindowContainer& c, const Op& op) {
    if (op(c)) return &c;
    const std::vector<CGUIWindow*> kids = Snapshot(c);
    for (auto child = kids.rbegin(); child != kids.rend(); ++child)
        if (StillVisibleChild(c, *child))
            if (CGUIWindowContainer* r = RouteKey(**child, op)) return r;
    return nullptr;
}

int CursorOf(CGUIWindowContainer& c, float x, float y) {
    const std::vector<CGUIWindow*> kids = Snapshot(c);
    for (auto child = kids.rbegin(); child != kids.rend(); ++child) {
        if (StillVisibleChild(c, *child) && (*child)->Contains(x, y)) {
            int r = CursorOf(**child, x - (*child)->left, y - (*child)->top);
            if (r != kCursorNoPreference) return r;
        }
    }
    return c.GetCursor(x, y);
}

void DrawTree(CGUIWindow& w, float ox, float oy);

// Children draw first to last, so later siblings cover earlier ones; nothing clips.
void DrawChildren(CGUIWindowContainer& c, float ox, float oy) {
    for (CGUIWindow* child : Snapshot(c))
        if (StillVisibleChild(c, child)) DrawTree(*child, ox, oy);
}

void DrawTree(CGUIWindow& w, float ox, float oy) {
    w.Draw(ox + w.left, oy + w.top, ox + w.right, oy + w.bottom);
    DrawChildren(w, ox + w.left, oy + w.top);
}

// Hidden windows are updated too: a hidden window may decide to show itself again.
void UpdateTree(CGUIWindowContainer& c, float time, float elapsed, bool active) {
    c.Update(time, elapsed, active);
    const std::vector<CGUIWindow*> kids = Snapshot(c);
    for (auto child = kids.rbegin(); child != kids.rend(); ++child)
        if (StillChild(c, *child)) UpdateTree(**child, time, elapsed, active);
}

} // namespace

CGUIManager::CGUIManager() {
    if (instance) throw std::logic_error("CGUIManager: a second dispatcher was built while the first lives");
    instance = this;
}

CGUIManager::~CGUIManager() {
    // The screens go after this body; their windows then find no dispatcher to notify.
    instance = nullptr;
}

bool CGUIManager::IsInTree(const CGUIWindowContainer* window) const {
    if (!window) return false;
    for (const CGUIScreen* screen : screens)
        if (screen && screen->Holds(window)) return true;
    return false;
}

CGUIWindowContainer* CGUIManager::Live(CGUIWindowContainer* window) const {
    return IsInTree(window) ? window : nullptr;
}

void CGUIManager::Forget(const CGUIWindowContainer* window) {
    if (hover == window) hover = nullptr;
    if (capture == window) capture = nullptr;
}

// While a capture is held, the pointer event goes to the capture window in its own coordinates
// (if it is still in a tree) and to no one else. Says whether a capture was held.
template <class Op> bool CGUIManager::ToCapture(float x, float y, const Op& op) {
    if (!capture) return false;
    if (CGUIWindowContainer* w = Live(capture)) {
        CGUIPoint p = ScreenToLocal({x, y}, w);
        op(*w, p.x, p.y);
    }
    return true;
}

// A handler may delete the window that accepted, so the result is checked before anyone keeps it.
template <class Op> CGUIWindowContainer* CGUIManager::RouteThroughTop(float x, float y, const Op& op) {
    CGUIScreen* top = Top();
    return top ? Live(Route(*top, x, y, op)) : nullptr;
}

void CGUIManager::MouseMove(float x, float y) {
    auto op = [](CGUIWindowContainer& c, float lx, float ly) { return c.OnMouseMove(lx, ly); };
    if (ToCapture(x, y, op)) return;
    CGUIWindowContainer* target = RouteThroughTop(x, y, op);
    if (target == hover) return;
    if (CGUIWindowContainer* old = Live(hover)) old->OnMouseLeave(x, y);
    if (CGUIWindowContainer* now = Live(target)) now->OnMouseEnter(x, y);
    hover = Live(target);
}

void CGUIManager::MouseDown(float x, float y, int button) {
    auto op = [button](CGUIWindowContainer& c, float lx, float ly) { return c.OnMouseDown(lx, ly, button); };
    if (ToCapture(x, y, op)) return;
    capture = RouteThroughTop(x, y, op);
    captureButton = button;
}

void CGUIManager::MouseUp(float x, float y, int button) {
    auto op = [button](CGUIWindowContainer& c, float lx, float ly) { return c.OnMouseUp(lx, ly, button); };
    if (!ToCapture(x, y, op)) {
        RouteThroughTop(x, y, op);
        return;
    }
    // Only the button that took the capture ends it; then the hover catches up with the
    // pointer, which may have moved over other windows meanwhile.
    if (button == captureButton) {
        capture = nullptr;
        MouseMove(x, y);
    }
}

void CGUIManager::DoubleClick(float x, float y, int button) {
    auto op = [button](CGUIWindowContainer& c, float lx, float ly) {
        return c.OnDoubleClick(lx, ly, button);
    };
    if (!ToCapture(x, y, op)) RouteThroughTop(x, y, op);
}

void CGUIManager::Wheel(float x, float y, float amount) {
    auto op = [amount](CGUIWindowContainer& c, float lx, float ly) { return c.OnMouseWheel(lx, ly, amount); };
    if (!ToCapture(x, y, op)) RouteThroughTop(x, y, op);
}

void CGUIManager::KeyDown(int key) {
    if (CGUIScreen* top = Top()) RouteKey(*top, [key](CGUIWindowContainer& c) { return c.OnKeyDown(key); });
}

void CGUIManager::KeyUp(int key) {
    if (CGUIScreen* top = Top()) RouteKey(*top, [key](CGUIWindowContainer& c) { return c.OnKeyUp(key); });
}

void CGUIManager::Char(int character) {
    if (CGUIScreen* top = Top())
        RouteKey(*top, [character](CGUIWindowContainer& c) { return c.OnChar(character); });
}

int CGUIManager::GetCursor(float x, float y) {
    CGUIScreen* top = Top();
    return top ? CursorOf(*top, x, y) : kCursorPointer;
}

std::uint32_t CGUIManager::GetBackgroundColor() const {
    const CGUIScreen* top = Top();
    return top ? top->GetBackgroundColor() : 0xFF000000u;
}

void CGUIManager::Update(float time, float elapsed, bool active) {
    if (CGUIScreen* top = Top()) UpdateTree(*top, time, elapsed, active);
}

void CGUIManager::Draw(float width, float height) {
    CGUIScreen* top = Top();
    if (!top) return;
    top->Draw(0, 0, width, height);
    DrawChildren(*top, 0, 0);
}
