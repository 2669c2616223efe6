// Lines and rectangle outlines through the device's line drawer.
#include "gfx/GfxLine.h"

#include "support/Error.h"
#include "support/Text1250.h"

using namespace vexo::literals;

void CGfxLine::Create(CRenderDevice* device) {
    CGfxObject::Create(device);
    const RenderResult result = device->CreateLine(line);
    if (RenderFailed(result))
        throw vexo::CDirectXError(std::string("Nie można utworzyć obiektu do rysowania linii."_pl),
                                  static_cast<std::uint32_t>(result), "Gfx", __LINE__);
}

void CGfxLine::Destroy() {
    if (line != LineHandle::None && device) device->ReleaseLine(line);
    line = LineHandle::None;
}

void CGfxLine::Invalidate() {
    if (line != LineHandle::None) device->LineOnLostDevice(line);
}

void CGfxLine::Restore() {
    if (line != LineHandle::None) device->LineOnResetDevice(line);
}

void CGfxLine::DrawPolyline(const CGfxPoint* points, std::uint32_t count, std::uint32_t color) {
    static_assert(sizeof(CGfxPoint) == 2 * sizeof(float));
    const RenderResult result =
        line == LineHandle::None ? kRenderInvalidCall : device->DrawPolyline(line, &points->x, count, color);
    if (RenderFailed(result))
        throw vexo::CDirectXError(std::string("Nie można narysować linii."_pl),
                                  static_cast<std::uint32_t>(result), "Gfx", __LINE__);
}

void CGfxLine::DrawFrame(float left, float top, float right, float bottom, std::uint32_t color) {
    const CGfxPoint points[5] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    DrawPolyline(points, 5, color);
}
