// The rectangle batch: four vertices and six indices per rectangle, one draw per Flush.
#include "gfx/GfxFilledRect.h"

#include "gfx/GfxBatch.h"
#include "support/Text1250.h"

using namespace vexo::literals;

void CGfxFilledRect::Begin(std::uint32_t count) {
    // A Flush that raised leaves its vertices behind; they must not reappear in this batch.
    vertices.Clear();
    indices.Clear();
    baseIndex = 0;
    if (count != 0) {
        vertices.Reserve(4 * count);
        indices.Reserve(6 * count);
    }
}

void CGfxFilledRect::Add(const GfxRect& rect, std::uint32_t c0, std::uint32_t c1, std::uint32_t c2,
                         std::uint32_t c3) {
    if (gfx_batch::IsFull(vertices)) {
        Draw();
        vertices.Clear();
        indices.Clear();
        baseIndex = 0;
    }
    ColorVertex* v = vertices.Append(4);
    v[0] = {rect.left, rect.top, 0.0f, 1.0f, c0};
    v[1] = {rect.right, rect.top, 0.0f, 1.0f, c1};
    v[2] = {rect.left, rect.bottom, 0.0f, 1.0f, c2};
    v[3] = {rect.right, rect.bottom, 0.0f, 1.0f, c3};
    gfx_batch::AppendQuadIndices(indices, baseIndex);
}

void CGfxFilledRect::Flush() {
    if (vertices.Count() == 0) return;
    Draw();
    vertices.Free();
    indices.Free();
}

void CGfxFilledRect::Draw() {
    device->SetTexture(TextureHandle::None);
    device->SetTextureStageState(TextureStageState::ColorOp, static_cast<std::uint32_t>(TextureOp::Modulate));
    device->SetVertexFormat(VertexFormat::XyzrhwDiffuse);
    gfx_batch::DrawTriangles(*device, vertices, indices, std::string("Nie można narysować prostokątów."_pl), __LINE__);
}
