// CGfxSprite: the sprite sets of Sprites.xml (square images cut into square frames) and the batch
// that draws their frames as screen-aligned or rotated quads.
#pragma once

#include "gfx/GfxBatch.h"
#include "gfx/GfxObject.h"
#include "platform/RenderDevice.h"

#include <vector>

// Terrain tiles have a set of their own: unit frames 0 to 2 of set 2 would otherwise collide with
// terrain frames 0 to 4.
inline constexpr int kTerrainSpriteSet = 1;
// Units, snowballs, the interface and the mouse cursor.
inline constexpr int kUnitSpriteSet = 2;
// The title picture of the menus.
inline constexpr int kTitleSpriteSet = 100;

struct CGfxSpriteSet {
    int id = 0;
    std::string file;           // the image's entry name in the game data, matched exactly
    int imageSize = 0;          // the side of the square image in pixels
    int frameSize = 0;          // the side of one square frame in pixels
    std::uint32_t colorKey = 0; // ARGB value made transparent; 0 for none
    TextureHandle texture = TextureHandle::None;
};

class CGfxSprite : public CGfxObject {
public:
    void Destroy() override;
    int WantsFile(bool firstPass, const std::string& name, std::uint32_t size) override;
    void LoadData(bool firstPass, const std::string& name, std::uint32_t size,
                  const std::uint8_t* bytes) override;
    void LoadText(bool firstPass, const std::string& name, std::uint32_t size,
                  const std::string& text) override;
    void EndLoading(bool firstPass) override;

    // Starts a batch of frames of the first set with that id, with room for count quads (0: grow
    // as needed); filter chooses linear sampling over nearest texels.
    void Begin(int setId, std::uint32_t count, bool filter);
    // A frame centred on (x, y). size > 0 is the side in pixels, 0 the frame's own size, < 0 a
    // scale factor of the frame's size. angle is in radians; positive turns counter-clockwise.
    void Add(int frame, float x, float y, float size, std::uint32_t color, float angle);
    // Corner colours: c0 top-left, c1 top-right, c2 bottom-left, c3 bottom-right (before turning).
    void AddQuad(int frame, float x, float y, float size, std::uint32_t c0, std::uint32_t c1,
                 std::uint32_t c2, std::uint32_t c3, float angle);
    // Draws the batch and frees it; an empty batch touches no device state.
    void Flush();

    // The first set with that id, or nullptr.
    const CGfxSpriteSet* FindSet(int setId) const;

private:
    void Draw();

    std::vector<CGfxSpriteSet> sets;
    int current = -1; // index into sets; an index survives the list growing
    bool filter = false;
    TGfxQuadBatch<CTexturedVertex> batch;
};
