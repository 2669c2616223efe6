// CGfxLine: one-pixel polylines and rectangle outlines through the device's line drawer.
#pragma once

#include "gfx/GfxObject.h"
#include "platform/RenderDevice.h"

struct CGfxPoint {
    float x, y;
};

class CGfxLine : public CGfxObject {
public:
    void Create(CRenderDevice* device) override;
    void Destroy() override;
    void Invalidate() override;
    void Restore() override;

    // Connected segments through count points, in screen pixels, in one ARGB colour.
    void DrawPolyline(const CGfxPoint* points, std::uint32_t count, std::uint32_t color);
    // The outline of a rectangle as one closed polyline of five points.
    void DrawFrame(float left, float top, float right, float bottom, std::uint32_t color);

private:
    LineHandle line = LineHandle::None;
};
