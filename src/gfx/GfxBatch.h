// TGfxQuadBatch: what the rectangle and sprite batches share — four vertices and six indices per
// quad, the split of batches that outgrow 16-bit indices, and the one indexed draw.
#pragma once

#include "gfx/GfxArray.h"
#include "platform/RenderDevice.h"
#include "support/Error.h"

template <typename Vertex> class TGfxQuadBatch {
public:
    // Forgets what a Flush that raised may have left behind, then sizes the batch for count quads.
    void Begin(std::uint32_t count) {
        Restart();
        if (count != 0) {
            vertices.Reserve(4 * count);
            indices.Reserve(6 * count);
        }
    }

    // The four corners of one more quad (P0 P1 P2 P3), drawn as triangles (b, b+1, b+2) and
    // (b+1, b+2, b+3). When 16-bit indices cannot reach another quad, draw() takes what is there
    // first and the batch goes on from index 0.
    template <typename DrawFn> Vertex* AddQuad(DrawFn&& draw) {
        if (vertices.Count() >= 4 * kMaxQuadsPerDraw) {
            draw();
            Restart();
        }
        Vertex* at = vertices.Append(4);
        std::uint16_t* index = indices.Append(6);
        const std::uint16_t b = baseIndex;
        const int pattern[6] = {0, 1, 2, 1, 2, 3};
        for (int k = 0; k < 6; ++k)
            index[k] = static_cast<std::uint16_t>(b + pattern[k]);
        baseIndex = static_cast<std::uint16_t>(b + 4);
        return at;
    }

    // Draws a batch that holds quads and frees it; an empty batch does nothing at all.
    template <typename DrawFn> void Flush(DrawFn&& draw) {
        if (vertices.Count() == 0) return;
        draw();
        vertices.Free();
        indices.Free();
    }

    // The indexed draw of the whole batch; a failure raises message with the device's code.
    void Draw(CRenderDevice& device, const std::string& message, int line) const {
        const RenderResult result = device.DrawIndexedTriangleList(
            0, vertices.Count(), indices.Count() / 3, indices.Data(), vertices.Data(), sizeof(Vertex));
        if (RenderFailed(result))
            throw vexo::CDirectXError(message, static_cast<std::uint32_t>(result), "Gfx", line);
    }

private:
    void Restart() {
        vertices.Clear();
        indices.Clear();
        baseIndex = 0;
    }

    TGfxArray<Vertex> vertices;
    TGfxArray<std::uint16_t> indices;
    std::uint16_t baseIndex = 0;
};
