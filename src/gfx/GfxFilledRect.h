// CGfxFilledRect: a batch of filled, optionally gradient, rectangles drawn with one indexed draw.
#pragma once

#include "gfx/GfxBatch.h"
#include "gfx/GfxObject.h"
#include "platform/RenderDevice.h"

// Left, top, right, bottom in screen pixels.
struct CGfxRect {
    float left, top, right, bottom;
};

class CGfxFilledRect : public CGfxObject {
public:
    // Starts a batch with room for count rectangles (0: grow as needed).
    void Begin(std::uint32_t count);
    // Corner colours: c0 top-left, c1 top-right, c2 bottom-left, c3 bottom-right.
    void Add(const CGfxRect& rect, std::uint32_t c0, std::uint32_t c1, std::uint32_t c2, std::uint32_t c3);
    void Add(const CGfxRect& rect, std::uint32_t color) { Add(rect, color, color, color, color); }
    // Draws the batch and frees it; an empty batch touches no device state.
    void Flush();

private:
    void Draw();

    TGfxQuadBatch<CColorVertex> batch;
};
