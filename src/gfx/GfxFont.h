// CGfxFont: the fonts of Fonts.xml, each known by a numeric id, and the drawing of Windows-1250
// text with the selected one.
#pragma once

#include "gfx/GfxObject.h"
#include "platform/RenderDevice.h"

#include <cstddef>
#include <vector>

// Each font is a glyph atlas of its own, so a few lines of Fonts.xml could otherwise ask for
// gigabytes; the game's own file has a handful of fonts below 40 pixels.
inline constexpr std::size_t kMaxFonts = 64;
inline constexpr int kMaxFontSize = 512; // either sign: Windows sizes by cell or by character

struct CGfxFontEntry {
    int id = 0;
    FontHandle font = FontHandle::None;
};

class CGfxFont : public CGfxObject {
public:
    void Destroy() override;
    void Invalidate() override;
    void Restore() override;
    int WantsFile(bool firstPass, const std::string& name, std::uint32_t size) override;
    void LoadText(bool firstPass, const std::string& name, std::uint32_t size,
                  const std::string& text) override;

    // Makes the first font with that id current.
    void Select(int id);
    // One line, left-aligned, its top-left corner at (x, y) truncated to whole pixels, unclipped.
    void DrawText(float x, float y, const std::string& text, std::uint32_t color);
    // Text laid out in the rectangle with the kText* flags of platform/RenderDevice.h; returns
    // the device's drawn height (0 for an empty string, which draws nothing).
    int DrawTextInRect(float left, float top, float right, float bottom, const std::string& text,
                       std::uint32_t format, std::uint32_t color);

    const std::vector<CGfxFontEntry>& Fonts() const { return fonts; }

private:
    int Draw(const CTextRect& rect, const std::string& text, std::uint32_t format, std::uint32_t color);

    std::vector<CGfxFontEntry> fonts;
    int current = -1; // index into fonts
};
