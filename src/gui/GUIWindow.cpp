// The window tree's default reactions, ownership and coordinate conversion.
#include "gui/GUIWindow.h"

#include "gui/GUIManager.h"

CGUIWindowContainer::~CGUIWindowContainer() {
    if (CGUIManager* manager = CGUIManager::Instance()) manager->Forget(this);
}

void CGUIWindowContainer::Update(float, float, bool) {
}
void CGUIWindowContainer::Draw(float, float, float, float) {
}
bool CGUIWindowContainer::OnMouseMove(float, float) {
    return true;
}
bool CGUIWindowContainer::OnMouseDown(float, float, int) {
    return true;
}
bool CGUIWindowContainer::OnMouseUp(float, float, int) {
    return true;
}
bool CGUIWindowContainer::OnDoubleClick(float, float, int) {
    return true;
}
bool CGUIWindowContainer::OnMouseWheel(float, float, float) {
    return true;
}
void CGUIWindowContainer::OnMouseEnter(float, float) {
}
void CGUIWindowContainer::OnMouseLeave(float, float) {
}
bool CGUIWindowContainer::OnKeyDown(int) {
    return false;
}
bool CGUIWindowContainer::OnKeyUp(int) {
    return false;
}
bool CGUIWindowContainer::OnChar(int) {
    return false;
}
int CGUIWindowContainer::GetCursor(float, float) {
    return kCursorPointer;
}

void CGUIWindowContainer::AddChild(CGUIWindow* child) {
    if (!child) return;
    children.push_back(child);
    child->parent = this;
}

void CGUIWindowContainer::RemoveChild(CGUIWindow* child) {
    children.Erase(children.IndexOf(child));
}

bool CGUIWindowContainer::Holds(const CGUIWindowContainer* window) const {
    if (window == this) return true;
    for (const CGUIWindow* child : children)
        if (child && child->Holds(window)) return true;
    return false;
}

void CGUIWindow::SetVisible(bool visible) {
    this->visible = visible;
    if (visible) return;
    if (CGUIManager* manager = CGUIManager::Instance())
        if (Holds(manager->GetCapture())) manager->ReleaseCapture();
}

CGUIPoint ScreenToLocal(CGUIPoint p, const CGUIWindowContainer* window) {
    // Only windows have a rectangle; the walk stops at the screen, which sits at (0, 0).
    for (auto* w = dynamic_cast<const CGUIWindow*>(window); w;
         w = dynamic_cast<const CGUIWindow*>(w->GetParent())) {
        p.x -= w->left;
        p.y -= w->top;
    }
    return p;
}
