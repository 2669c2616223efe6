// What the rectangle and sprite batches share: the quad's six indices, the split of batches that
// outgrow 16-bit indices, and the one indexed draw.
#pragma once

#include "gfx/GfxArray.h"
#include "platform/RenderDevice.h"
#include "support/Error.h"

namespace gfx_batch {

// Two triangles (b, b+1, b+2) and (b+1, b+2, b+3) over the quad's corners P0 P1 P2 P3.
inline void AppendQuadIndices(TGfxArray<std::uint16_t>& indices, std::uint16_t& baseIndex) {
    std::uint16_t* at = indices.Append(6);
    const std::uint16_t b = baseIndex;
    at[0] = b;
    at[1] = static_cast<std::uint16_t>(b + 1);
    at[2] = static_cast<std::uint16_t>(b + 2);
    at[3] = static_cast<std::uint16_t>(b + 1);
    at[4] = static_cast<std::uint16_t>(b + 2);
    at[5] = static_cast<std::uint16_t>(b + 3);
    baseIndex = static_cast<std::uint16_t>(b + 4);
}

// True when one more quad would no longer be reachable by 16-bit indices.
template <typename Vertex> bool IsFull(const TGfxArray<Vertex>& vertices) {
    return vertices.Count() >= 4 * kMaxQuadsPerDraw;
}

// The indexed draw of a whole batch; a failure raises message with the device's code.
template <typename Vertex>
void DrawTriangles(CRenderDevice& device, const TGfxArray<Vertex>& vertices, const TGfxArray<std::uint16_t>& indices,
                   const std::string& message, int line) {
    const RenderResult result = device.DrawIndexedTriangleList(0, vertices.Count(), indices.Count() / 3,
                                                               indices.Data(), vertices.Data(), sizeof(Vertex));
    if (RenderFailed(result)) throw vexo::CDirectXError(message, static_cast<std::uint32_t>(result), "Gfx", line);
}

} // namespace gfx_batch
