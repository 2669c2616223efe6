// Shared helpers of the game screen's windows.
#include "gui/GameWindows.h"

#include "gfx/Gfx.h"

void Place(CGUIWindow& window, float left, float top, float right, float bottom) {
    window.left = left;
    window.top = top;
    window.right = right;
    window.bottom = bottom;
}

void FillRect(float left, float top, float right, float bottom, std::uint32_t colour) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    gfx->filledRect.Begin(1);
    gfx->filledRect.Add({left, top, right, bottom}, colour);
    gfx->filledRect.Flush();
}

void DrawPanelBox(float left, float top, float right, float bottom) {
    FillRect(left, top, right, bottom, 0xFF606060);
    if (CGfx* gfx = CGfx::Instance()) gfx->line.DrawFrame(left, top, right, bottom, 0xFFC0C0C0);
}

bool CPassThroughWindow::OnMouseMove(float, float) { return false; }
bool CPassThroughWindow::OnMouseDown(float, float, int) { return false; }
bool CPassThroughWindow::OnMouseUp(float, float, int) { return false; }
bool CPassThroughWindow::OnDoubleClick(float, float, int) { return false; }
bool CPassThroughWindow::OnMouseWheel(float, float, float) { return false; }
