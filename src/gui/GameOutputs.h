// The simulation's drawing and sound on the graphics manager and the sound system of the process.
// The game screen hands them to the simulation while it lives; tools that run a battle with sound
// hand over the sound alone.
#pragma once

#include "game/GameState.h"

// Draws on CGfx::Instance(); with no graphics manager nothing is drawn.
class CGfxCanvas final : public IGameCanvas {
public:
    void BeginTerrain(std::uint32_t count) override;
    void EndSprites() override;
    void Sprite(int frame, float x, float y, float side, std::uint32_t colour, float angle) override;
    void ShadedSprite(int frame, float x, float y, float side, std::uint32_t topLeft, std::uint32_t topRight,
                      std::uint32_t bottomLeft, std::uint32_t bottomRight) override;
    void Rect(float left, float top, float right, float bottom, std::uint32_t colour) override;
    void Text(float x, float y, const std::string& text, std::uint32_t colour) override;
};

// Plays on CSoundSystem::Instance(); with no sound system nothing plays.
class CSystemSound final : public IGameSound {
public:
    void Play(int number, int frequency) override;
};

// The outputs the game screen hands over, one of each for the process.
CGfxCanvas& GfxCanvas();
CSystemSound& SystemSound();
