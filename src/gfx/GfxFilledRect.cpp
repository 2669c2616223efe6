// The rectangle batch: four vertices and six indices per rectangle, one draw per Flush.
#include "gfx/GfxFilledRect.h"

#include "support/Text1250.h"

using namespace vexo::literals;

void CGfxFilledRect::Begin(std::uint32_t count) {
    batch.Begin(count);
}

void CGfxFilledRect::Add(const CGfxRect& rect, std::uint32_t c0, std::uint32_t c1, std::uint32_t c2,
                         std::uint32_t c3) {
    CColorVertex* v = batch.AddQuad([this] { Draw(); });
    v[0] = {rect.left, rect.top, 0.0f, 1.0f, c0};
    v[1] = {rect.right, rect.top, 0.0f, 1.0f, c1};
    v[2] = {rect.left, rect.bottom, 0.0f, 1.0f, c2};
    v[3] = {rect.right, rect.bottom, 0.0f, 1.0f, c3};
}

void CGfxFilledRect::Flush() {
    batch.Flush([this] { Draw(); });
}

void CGfxFilledRect::Draw() {
    device->SetTexture(TextureHandle::None);
    device->SetTextureStageState(TextureStageState::ColorOp, static_cast<std::uint32_t>(TextureOp::Modulate));
    device->SetVertexFormat(VertexFormat::XyzrhwDiffuse);
    batch.Draw(*device, std::string("Nie można narysować prostokątów."_pl), __LINE__);
}
