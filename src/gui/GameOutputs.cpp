// The simulation's outputs over the process-wide graphics manager and sound system.
#include "gui/GameOutputs.h"

#include "gfx/Gfx.h"
#include "sound/SoundSystem.h"

void CGfxCanvas::BeginTerrain(std::uint32_t count) {
    if (CGfx* gfx = CGfx::Instance()) gfx->sprite.Begin(kTerrainSpriteSet, count, false);
}

void CGfxCanvas::EndSprites() {
    if (CGfx* gfx = CGfx::Instance()) gfx->sprite.Flush();
}

void CGfxCanvas::Sprite(int frame, float x, float y, float side, std::uint32_t colour, float angle) {
    if (CGfx* gfx = CGfx::Instance()) gfx->sprite.Add(frame, x, y, side, colour, angle);
}

void CGfxCanvas::ShadedSprite(int frame, float x, float y, float side, std::uint32_t topLeft, std::uint32_t topRight,
                              std::uint32_t bottomLeft, std::uint32_t bottomRight) {
    if (CGfx* gfx = CGfx::Instance())
        gfx->sprite.AddQuad(frame, x, y, side, topLeft, topRight, bottomLeft, bottomRight, 0.0f);
}

void CGfxCanvas::Rect(float left, float top, float right, float bottom, std::uint32_t colour) {
    if (CGfx* gfx = CGfx::Instance()) gfx->filledRect.Add({left, top, right, bottom}, colour);
}

void CGfxCanvas::Text(float x, float y, const std::string& text, std::uint32_t colour) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    gfx->font.Select(0);
    gfx->font.DrawText(x, y, text, colour);
}

void CSystemSound::Play(int number, int frequency) {
    if (CSoundSystem* sound = CSoundSystem::Instance()) sound->Play(number, frequency);
}

CGfxCanvas& GfxCanvas() {
    static CGfxCanvas canvas;
    return canvas;
}

CSystemSound& SystemSound() {
    static CSystemSound sound;
    return sound;
}
