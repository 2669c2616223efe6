// The render states the game draws with: blending by source alpha, no depth test, no culling. The
// application sets them after every device creation; tools and benchmarks that draw the game's
// pictures outside the application set the same.
#pragma once

#include "platform/RenderDevice.h"

inline void SetGameRenderStates(CRenderDevice& device) {
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, std::uint32_t(BlendFactor::SrcAlpha));
    device.SetRenderState(RenderState::DestBlend, std::uint32_t(BlendFactor::InvSrcAlpha));
    device.SetRenderState(RenderState::ZEnable, 0);
    device.SetRenderState(RenderState::CullMode, std::uint32_t(CullMode::None));
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetRenderState(RenderState::SpecularEnable, 0);
}
