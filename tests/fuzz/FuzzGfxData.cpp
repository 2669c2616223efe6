// Fuzzes Sprites.xml and Fonts.xml as the graphics manager reads them: any text either loads or
// raises a CError, and whatever loaded can be drawn. And the images they name: any bytes are refused
// or decode to no more pixels than their header announced and the limits allow.
#include "../gfx/ListedSets.h"
#include "../gfx/RecordingDevice.h"

#include "gfx/Gfx.h"
#include "platform/ImageDecode.h"
#include "support/Error.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A small device limit keeps every accepted image quick to decode; the checks are the same.
constexpr int kFuzzMaxSide = 1024;

void DecodeAnyImage(const std::string& bytes) {
    CImageHeader header;
    const bool readable = ReadImageHeader(bytes, header);
    std::vector<std::uint32_t> argb;
    int width = 0, height = 0;
    const RenderResult result =
        DecodeImage(bytes.data(), std::uint32_t(bytes.size()), 0xFF00FF00, kFuzzMaxSide, argb, width, height);
    if (RenderFailed(result)) return;
    const bool withinLimits = readable && width <= kFuzzMaxSide && height <= kFuzzMaxSide &&
                              std::uint64_t(width) * std::uint64_t(height) <= kMaxImagePixels &&
                              argb.size() == std::size_t(width) * std::size_t(height);
    if (!withinLimits) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the file (0 Sprites.xml, 1 Fonts.xml, 2 an image); the rest is its content.
    if (data[0] % 3 == 2) {
        DecodeAnyImage(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
        return 0;
    }
    const std::string name = data[0] % 3 == 1 ? "Fonts.xml" : "Sprites.xml";
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    CRecordingDevice device;
    CGfx gfx;
    try {
        gfx.Create(&device);
        gfx.BeginLoading(true);
        if (gfx.WantsFile(true, name, std::uint32_t(text.size())) == kFileAsText)
            gfx.LoadText(true, name, std::uint32_t(text.size()), text);
        gfx.EndLoading(true);
        gfx.BeginLoading(false);
        const std::uint8_t image[1] = {0};
        std::vector<CGfxSpriteSet> sets;
        if (name == "Sprites.xml") sets = ListedSets(gfx.sprite, text);
        for (const CGfxSpriteSet& set : sets)
            if (gfx.WantsFile(false, set.file, 1) == kFileAsData) gfx.LoadData(false, set.file, 1, image);
        gfx.EndLoading(false);
        for (const CGfxSpriteSet& set : sets) {
            gfx.sprite.Begin(set.id, 4, true);
            for (int frame = -2; frame < 70; frame += 9)
                gfx.sprite.Add(frame, 10, 10, -1.5f, 0xFF7F7F7F, 0.3f);
            gfx.sprite.Flush();
        }
        for (const CGfxFontEntry& font : gfx.font.Fonts()) {
            gfx.font.Select(font.id);
            gfx.font.DrawTextInRect(0, 0, 100, 100, "x", kTextCenter, 0xFFFFFFFF);
        }
    } catch (const vexo::CError&) {
    }
    gfx.Destroy();
    return 0;
}
