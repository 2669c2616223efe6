// CGfx: the process-wide graphics manager. It owns the four drawing objects, passes the device's
// lifecycle on to them, runs the game data loading protocol and keeps the screen size.
#pragma once

#include "gfx/GfxFilledRect.h"
#include "gfx/GfxFont.h"
#include "gfx/GfxLine.h"
#include "gfx/GfxObject.h"
#include "gfx/GfxSprite.h"
#include "platform/ImageDecode.h"

#include <array>
#include <memory>

class CGfx : public CGfxObject {
public:
    // The one instance is created at the top of main; the game, the GUI and the application
    // reach it through Instance() while it lives.
    CGfx();
    ~CGfx() override;
    static CGfx* Instance();

    void Create(CRenderDevice* device) override;
    void Destroy() override;
    void Restore() override;
    void Invalidate() override;
    void BeginLoading(bool firstPass) override;
    void EndLoading(bool firstPass) override;
    int WantsFile(bool firstPass, const std::string& name, std::uint32_t size) override;
    void LoadData(bool firstPass, const std::string& name, std::uint32_t size,
                  const std::uint8_t* bytes) override;
    void LoadText(bool firstPass, const std::string& name, std::uint32_t size,
                  const std::string& text) override;

    // Both loading passes over the game data source at path ("GameData": an archive or a folder).
    void LoadGameData(const std::string& path);
    // Reads the game data source at path on a thread of its own and decodes the images in it, so
    // that the first LoadGameData finds its sprites' pixels ready. Started before the window is
    // opened; it records no error (the passes meet the same ones and record them).
    static std::unique_ptr<CImagesAhead> DecodeImagesAhead(const std::string& path);

    // Written by the application after each device creation or reset.
    void SetScreenSize(std::uint32_t width, std::uint32_t height);

    CGfxFont font;
    CGfxLine line;
    CGfxFilledRect filledRect;
    CGfxSprite sprite;

    std::uint32_t screenWidth = 0;
    std::uint32_t screenHeight = 0;
    float screenWidthF = 0.0f;
    float screenHeightF = 0.0f;

private:
    // In the fixed order: font set, line, filled rectangles, sprite sets.
    std::array<CGfxObject*, 4> objects;
    CGfxObject* loader = nullptr;
};
