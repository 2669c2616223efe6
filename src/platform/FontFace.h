// CFontFace: one typeface at one size and weight, found through fontconfig, rasterised by
// FreeType into a glyph atlas that holds every Windows-1250 character, so drawing text never
// uploads a texture.
#pragma once

#include "platform/RenderDevice.h"

#include <array>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// Starts FreeType and fontconfig (reading the system's font configuration and caches) on a thread
// of its own while the caller goes on opening the window, and rasterises there the faces it is
// given: the first font made with one of those descriptions takes its face ready. The first font
// made waits for the thread if it is not done. Built once, early in start-up; the thread is joined
// when the object goes.
class CFontLibrariesStart {
public:
    explicit CFontLibrariesStart(std::vector<CFontDesc> ahead = {});
    CFontLibrariesStart(const CFontLibrariesStart&) = delete;
    CFontLibrariesStart& operator=(const CFontLibrariesStart&) = delete;
    ~CFontLibrariesStart();

private:
    std::thread thread;
};

struct CGlyphBox {
    int atlasX = 0, atlasY = 0; // top-left of the glyph's pixels in the atlas
    int width = 0, height = 0;  // 0 for glyphs without ink (space)
    int bearingX = 0;           // from the pen to the glyph's left edge
    int bearingY = 0;           // from the baseline up to the glyph's top edge
    int advance = 0;            // pen movement in whole pixels
};

class CFontFace {
public:
    // Rasterises the face; false with the reason in error when no usable face is found.
    bool Create(const CFontDesc& desc, std::string& error);

    const CGlyphBox& Glyph(unsigned char byte) const { return glyphs[byte]; }
    int Ascent() const { return ascent; }
    int LineHeight() const { return lineHeight; }
    // One byte per pixel of coverage, atlasWidth × atlasHeight, top row first.
    const std::vector<std::uint8_t>& Atlas() const { return atlas; }
    int AtlasWidth() const { return atlasWidth; }
    int AtlasHeight() const { return atlasHeight; }

private:
    friend class CFontLibrariesStart;
    bool Make(const CFontDesc& desc, std::string& error);
    // Each glyph's coverage, width × height, top row first.
    using CGlyphPixels = std::array<std::vector<std::uint8_t>, 256>;
    // Places the glyphs on shelves of an atlas about twice their area and copies them in.
    void Pack(long area, const CGlyphPixels& pixels);

    std::array<CGlyphBox, 256> glyphs{};
    int ascent = 0;
    int lineHeight = 0;
    std::vector<std::uint8_t> atlas;
    int atlasWidth = 0;
    int atlasHeight = 0;
};

// The font file fontconfig offers for a typeface name and weight; when the name is unknown the
// setup script's DejaVu Sans stands in. Empty when fontconfig finds nothing at all.
std::string FindFontFile(const std::string& typeface, int weight);
