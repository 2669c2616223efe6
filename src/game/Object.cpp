// The world object base.
#include "game/Object.h"

#include "game/GameState.h"
#include "game/Map.h"

#include <cmath>
#include <numbers>

namespace {
std::uint64_t g_nextSerial = 1;
}

CObject::CObject() : angle(RandHeading()), serial(g_nextSerial++) {}

void CObject::Update(float, float) {}

void CObject::Draw(float, float, float, float) {}

void CObject::Face(float px, float py) { angle = std::atan2(px - x, py - y) - std::numbers::pi_v<float> / 2; }

float CObject::DistanceTo(float px, float py) const { return std::hypot(px - x, py - y); }

bool CObject::ViewCentre(float left, float top, float right, float bottom, float& vx, float& vy) const {
    const float w = right - left, h = bottom - top;
    WorldToView(x, y, w, h, vx, vy);
    const float s = GetSize() * Game().tileSize;
    return vx + s >= 0 && vy + s >= 0 && vx - s < w && vy - s < h;
}
