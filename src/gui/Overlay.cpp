// The fading overlay.
#include "gui/Overlay.h"

#include "gui/GameWindows.h"

#include <algorithm>
#include <cmath>

namespace {

float Fraction(float alpha) { return std::isnan(alpha) ? 0.0f : std::clamp(alpha, 0.0f, 1.0f); }

} // namespace

COverlay::COverlay(std::uint32_t colour, float alphaFrom, float alphaTo)
    : colour(colour), alphaFrom(Fraction(alphaFrom)), alphaTo(Fraction(alphaTo)) {}

std::uint32_t COverlay::CurrentAlpha() const {
    const float f = std::min(elapsed / kFadeSeconds, 1.0f);
    const float alpha = ((1 - f) * alphaFrom + f * alphaTo) * 255;
    return std::uint32_t(std::clamp(alpha, 0.0f, 255.0f));
}

void COverlay::Update(float, float frameElapsed, bool) {
    if (frameElapsed > 0) elapsed += frameElapsed;
    finished = elapsed > kFadeSeconds;
}

void COverlay::Draw(float left, float top, float right, float bottom) {
    FillRect(left, top, right, bottom, CurrentAlpha() << 24 | (colour & 0x00FFFFFFu));
}
