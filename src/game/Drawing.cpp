// How the world draws itself on the canvas it is handed: shaded terrain, units, their life bars
// and information panel, snowballs and bubbles. With no canvas nothing is drawn.
#include "game/GameState.h"
#include "game/Map.h"
#include "game/Snowball.h"
#include "game/Unit.h"
#include "support/Convert.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;
constexpr std::uint32_t kPlainTile = 0xFF7F7F7F;

// How bright a snow depth looks: deep snow is light, bare ground dark.
float SnowBrightness(float snow) { return std::clamp(1.0f - std::exp(-2.0f * snow) + snow / 7.0f, 0.0f, 1.0f); }

std::uint32_t CornerColour(float brightnessSum, bool yellow) {
    const std::uint32_t g = std::uint32_t(int(35.0f * brightnessSum + 96.0f)) & 0xFF;
    const std::uint32_t blue = yellow ? std::uint32_t(int(float(g) * 0.6666667f)) & 0xFF : g;
    return 0xFF000000u | g << 16 | g << 8 | blue;
}

// Sprites of the world turn with the object; frames face up, headings start facing right.
void AddWorldSprite(IGameCanvas& canvas, int frame, float left, float top, float vx, float vy, float side,
                    std::uint32_t colour, float angle) {
    canvas.Sprite(frame, vx + left, vy + top, side, colour, angle - kHalfPi);
}

} // namespace

void CMap::Draw(float left, float top, float right, float bottom) const {
    const CGameState& game = Game();
    IGameCanvas* canvas = game.canvas;
    if (!canvas) return;
    const float w = right - left, h = bottom - top, s = game.tileSize;
    const float hw = w / s / 2, hh = h / s / 2;
    const int c0 = std::max(0, int(game.camX - hw) - 1), c1 = std::min(width - 1, int(game.camX + hw) + 1);
    const int r0 = std::max(0, int(game.camY - hh) - 1), r1 = std::min(height - 1, int(game.camY + hh) + 1);
    if (c0 > c1 || r0 > r1) return;
    canvas->BeginTerrain(std::uint32_t((c1 - c0 + 10) * (r1 - r0 + 10)));
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            float vx, vy;
            WorldToView(float(c), float(r), w, h, vx, vy);
            vx += left;
            vy += top;
            const CMapCell& cell = Cell(c, r);
            if (cell.kind != kGround || cell.snow <= 0.0f) {
                const int frame = cell.kind == kWater ? 1 : cell.kind == kIce ? 2 : cell.kind == kObstacle ? 4 : 3;
                canvas->Sprite(frame, vx, vy, s, kPlainTile, 0.0f);
                continue;
            }
            float v[3][3];
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const bool inside = Inside(c + dx, r + dy);
                    v[dy + 1][dx + 1] = SnowBrightness(inside ? Cell(c + dx, r + dy).snow : cell.snow);
                }
            const auto corner = [&](int dx, int dy) {
                return CornerColour(v[dy][dx] + v[dy][dx + 1] + v[dy + 1][dx] + v[dy + 1][dx + 1], cell.yellow);
            };
            canvas->ShadedSprite(0, vx, vy, s, corner(0, 0), corner(1, 0), corner(0, 1), corner(1, 1));
        }
    }
    canvas->EndSprites();
}

void CUnit::Draw(float left, float top, float right, float bottom) {
    float vx, vy;
    IGameCanvas* canvas = Game().canvas;
    if (!canvas || !ViewCentre(left, top, right, bottom, vx, vy)) return;
    const int frame = buried ? 19 : life > 0.0f ? kind : 12;
    const std::uint32_t colour = team == 0 ? 0xFFFF7F7F : 0xFF7F7FFF;
    AddWorldSprite(*canvas, frame, left, top, vx, vy, GetSize() * Game().tileSize, colour, angle);
}

void CUnit::DrawLifeBar(float left, float top, float right, float bottom) const {
    float vx, vy;
    IGameCanvas* canvas = Game().canvas;
    if (!canvas || !ViewCentre(left, top, right, bottom, vx, vy)) return;
    vx += left;
    vy += top;
    const float s = GetSize() * Game().tileSize;
    canvas->Rect(vx - s / 2, vy - s / 2 - 7, vx + s / 2, vy - s / 2, 0xFF000000);
    const float fill = life > 0.0f ? life / Attribute(kAttrLife) : -life / 10.0f;
    canvas->Rect(vx - s / 2 + 1, vy - s / 2 - 6, vx - s / 2 + 1 + (s - 2) * fill, vy - s / 2 - 1, LifeColour());
}

void CUnit::DrawInfo(float left, float top, float right, float) const {
    IGameCanvas* canvas = Game().canvas;
    if (!canvas) return;
    const float w = right - left;
    const float valueColumn = left + 0.375f * w + 8, secondLabel = left + 0.5f * w + 8;
    const float secondValue = left + 0.875f * w + 8;
    constexpr std::uint32_t kLabel = 0xFFC0C0C0, kValue = 0xFFFFFF00;
    canvas->Text(left + 8, top + 8, GetName(true), 0xFFFFFFFF);
    const char* labels[] = {"Zycie", "Poziom", "Doswiadczenie", "Budowanie"};
    const char* secondLabels[] = {"Obrazenia", "Obrona", "Celnosc", "Szybkosc"};
    for (int i = 0; i < 4; ++i) {
        const float rowTop = top + 32 + 16 * float(i);
        canvas->Text(left + 8, rowTop, labels[i], kLabel);
        canvas->Text(secondLabel, rowTop, secondLabels[i], kLabel);
        canvas->Text(secondValue, rowTop, AttributeText(kAttrDamage + i), kValue);
    }
    canvas->Text(valueColumn, top + 32, vexo::IntToString(int(life)) + " / " + AttributeText(kAttrLife), LifeColour());
    canvas->Text(valueColumn, top + 48, vexo::IntToString(level), kValue);
    canvas->Text(valueColumn, top + 64, vexo::IntToString(Progress()) + " %", kValue);
    canvas->Text(valueColumn, top + 80, AttributeText(kAttrBuilding), kValue);
}

void CSniezka::Draw(float left, float top, float right, float bottom) {
    float vx, vy;
    IGameCanvas* canvas = Game().canvas;
    if (!canvas || !ViewCentre(left, top, right, bottom, vx, vy)) return;
    AddWorldSprite(*canvas, 7, left, top, vx, vy, GetSize() * Game().tileSize, yellow ? 0xFF7F7F60 : kPlainTile, angle);
}

void CBubbles::Draw(float left, float top, float right, float bottom) {
    float vx, vy;
    IGameCanvas* canvas = Game().canvas;
    if (!canvas || !ViewCentre(left, top, right, bottom, vx, vy)) return;
    AddWorldSprite(*canvas, 18, left, top, vx, vy, Game().tileSize, kPlainTile, angle);
}
