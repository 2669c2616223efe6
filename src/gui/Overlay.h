// COverlay: a full-screen colour that fades between two alphas over two seconds; the game screen
// fades a mission in with it and out at its end.
#pragma once

#include "gui/GameWindows.h"

#include <cstdint>

class COverlay : public CPassThroughWindow {
public:
    static constexpr float kFadeSeconds = 2.0f;

    // Only the RGB part of colour is used; the alphas are fractions, held to 0 ... 1.
    COverlay(std::uint32_t colour, float alphaFrom, float alphaTo);

    // Past the fade: its owner removes it on its next update.
    bool Finished() const { return finished; }
    // The alpha byte the next Draw fills with.
    std::uint32_t CurrentAlpha() const;

    // Counts time even while the application is inactive, so a fade always ends.
    void Update(float time, float elapsed, bool active) override;
    void Draw(float left, float top, float right, float bottom) override;

private:
    std::uint32_t colour;
    float alphaFrom;
    float alphaTo;
    float elapsed = 0.0f;
    bool finished = false;
};
