// Typefaces through fontconfig, glyphs through FreeType, packed into one atlas per font.
#include "platform/FontFace.h"

#include "support/Text1250.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <fontconfig/fontconfig.h>
#include <mutex>
#include <system_error>
#include <utility>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

namespace {

constexpr const char* kFallbackFamily = "DejaVu Sans";
// Beyond this a glyph atlas would outgrow what every GL driver accepts as a texture.
constexpr int kMaxPixelHeight = 256;
// A height of 0 asks for the system's default size, as Windows gives it.
constexpr int kDefaultCellHeight = 16;

// FreeType and fontconfig are started once for the process, on whichever thread asks first (faces
// are made one at a time), and shut down at exit, so their caches do not outlive the
// program's own memory checks.
class CFontLibraries {
public:
    CFontLibraries() {
        if (FT_Init_FreeType(&freeType) != 0) freeType = nullptr;
        fontconfig = FcInit();
    }
    ~CFontLibraries() {
        if (freeType) FT_Done_FreeType(freeType);
        if (fontconfig) FcFini();
    }
    FT_Library freeType = nullptr;
    bool fontconfig = false;
};

CFontLibraries& Libraries() {
    static CFontLibraries libraries;
    return libraries;
}

// The faces CFontLibrariesStart rasterised, each taken once by a font made with its description.
// Fonts wait while a thread makes them: FreeType makes one face at a time.
struct CFacesAhead {
    std::mutex lock;
    std::condition_variable done;
    int making = 0; // threads still making faces
    std::vector<std::pair<CFontDesc, CFontFace>> faces;
};

CFacesAhead& FacesAhead() {
    static CFacesAhead store;
    return store;
}

} // namespace

CFontLibrariesStart::CFontLibrariesStart(std::vector<CFontDesc> ahead) {
    CFacesAhead& store = FacesAhead();
    {
        const std::lock_guard lock(store.lock);
        ++store.making;
    }
    try {
        thread = std::thread([&store, ahead = std::move(ahead)] {
            Libraries();
            for (const CFontDesc& desc : ahead) {
                CFontFace face;
                std::string error; // a face that fails here fails again, with its reason, when asked for
                if (!face.Make(desc, error)) continue;
                const std::lock_guard lock(store.lock);
                store.faces.emplace_back(desc, std::move(face));
            }
            const std::lock_guard lock(store.lock);
            --store.making;
            store.done.notify_all();
        });
    } catch (const std::system_error&) {
        // No thread to be had: the first font starts the libraries itself.
        const std::lock_guard lock(store.lock);
        --store.making;
    }
}

CFontLibrariesStart::~CFontLibrariesStart() {
    if (thread.joinable()) thread.join();
}

namespace {

struct CFaceCloser {
    FT_Face face;
    ~CFaceCloser() {
        if (face) FT_Done_Face(face);
    }
};

// Windows sizes a font by its cell (ascent plus descent) when the height is positive and by the
// em square when it is negative; the OS/2 table holds the ascent and descent Windows uses.
void CellMetrics(FT_Face face, long& ascentUnits, long& descentUnits) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
    } else {
        ascentUnits = face->ascender;
        descentUnits = -face->descender;
    }
    if (ascentUnits + descentUnits <= 0) {
        ascentUnits = face->units_per_EM;
        descentUnits = 0;
    }
}

} // namespace

std::string FindFontFile(const std::string& typeface, int weight) {
    if (!Libraries().fontconfig) return {};
    FcPattern* pattern = FcPatternCreate();
    const std::string family = vexo::Cp1250ToUtf8(typeface);
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kFallbackFamily));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<char*>(file);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return path;
}

namespace {

// The wanted typeface, else the fallback family; nullptr with the reason in error.
FT_Face OpenFace(FT_Library library, const CFontDesc& desc, std::string& error) {
    FT_Face face = nullptr;
    for (const std::string& family : {desc.typeface, std::string(kFallbackFamily)}) {
        const std::string file = FindFontFile(family, desc.weight);
        if (file.empty() || FT_New_Face(library, file.c_str(), 0, &face) != 0) continue;
        if (FT_IS_SCALABLE(face) && FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) return face;
        FT_Done_Face(face);
        error = "the font file " + file + " has no scalable Unicode glyphs";
        return nullptr;
    }
    error = "no usable font file for \"" + vexo::Cp1250ToUtf8(desc.typeface) + "\"";
    return nullptr;
}

// Sizes the face for the wanted height and gives its ascent and line height in pixels.
bool SizeFace(FT_Face face, int height, int& ascent, int& lineHeight) {
    long ascentUnits = 0, descentUnits = 0;
    CellMetrics(face, ascentUnits, descentUnits);
    const int cell = height == 0 ? kDefaultCellHeight : std::abs(height);
    double emPixels = height < 0 ? cell : cell * double(face->units_per_EM) / double(ascentUnits + descentUnits);
    emPixels = std::clamp(emPixels, 1.0, double(kMaxPixelHeight));
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(emPixels * 64.0)), 72, 72) != 0) return false;
    const double scale = emPixels / face->units_per_EM;
    ascent = static_cast<int>(std::lround(ascentUnits * scale));
    lineHeight = std::max(1, ascent + static_cast<int>(std::lround(descentUnits * scale)));
    return true;
}

// Renders every Windows-1250 character into its box and pixels; returns the area the glyphs
// need with a pixel of space each.
long Rasterise(FT_Face face, bool embolden, std::array<CGlyphBox, 256>& glyphs,
               std::array<std::vector<std::uint8_t>, 256>& pixels) {
    long area = 0;
    for (int byte = 0x20; byte < 256; ++byte) {
        const char32_t cp = vexo::cp1250::ToCodePoint(static_cast<unsigned char>(byte));
        if (cp >= 0x80 && cp < 0xA0) continue; // the code page's holes stay blank
        const FT_UInt index = FT_Get_Char_Index(face, cp);
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
        FT_GlyphSlot slot = face->glyph;
        if (embolden) FT_GlyphSlot_Embolden(slot);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
        CGlyphBox& box = glyphs[byte];
        box.width = static_cast<int>(slot->bitmap.width);
        box.height = static_cast<int>(slot->bitmap.rows);
        box.bearingX = slot->bitmap_left;
        box.bearingY = slot->bitmap_top;
        box.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        pixels[byte].resize(std::size_t(box.width) * box.height);
        for (int row = 0; row < box.height; ++row)
            std::copy_n(slot->bitmap.buffer + row * slot->bitmap.pitch, box.width,
                        pixels[byte].begin() + std::ptrdiff_t(row) * box.width);
        area += long(box.width + 1) * (box.height + 1);
    }
    return area;
}

} // namespace

bool CFontFace::Create(const CFontDesc& desc, std::string& error) {
    {
        CFacesAhead& store = FacesAhead();
        std::unique_lock lock(store.lock);
        store.done.wait(lock, [&] { return store.making == 0; });
        const auto ready = std::find_if(store.faces.begin(), store.faces.end(),
                                        [&](const auto& made) { return made.first == desc; });
        if (ready != store.faces.end()) {
            *this = std::move(ready->second);
            store.faces.erase(ready);
            return true;
        }
    }
    return Make(desc, error);
}

bool CFontFace::Make(const CFontDesc& desc, std::string& error) {
    FT_Library library = Libraries().freeType;
    if (!library) {
        error = "FreeType could not start";
        return false;
    }
    CFaceCloser face{OpenFace(library, desc, error)};
    if (!face.face) return false;
    if (!SizeFace(face.face, desc.height, ascent, lineHeight)) {
        error = "the font cannot be sized to height " + std::to_string(desc.height);
        return false;
    }
    // A face without a bold cut of its own is emboldened, as Windows does.
    const bool embolden = desc.weight >= 600 && !(face.face->style_flags & FT_STYLE_FLAG_BOLD);
    CGlyphPixels pixels;
    const long area = Rasterise(face.face, embolden, glyphs, pixels);
    Pack(area, pixels);
    return true;
}

void CFontFace::Pack(long area, const CGlyphPixels& pixels) {
    // Shelf packing into a square-ish atlas with a pixel of space between glyphs, so linear
    // sampling never bleeds a neighbour in.
    atlasWidth = 64;
    while (long(atlasWidth) * atlasWidth < area * 2)
        atlasWidth *= 2;
    int x = 1, y = 1, shelf = 0;
    for (CGlyphBox& box : glyphs) {
        if (box.width == 0) continue;
        if (x + box.width + 1 > atlasWidth) {
            x = 1;
            y += shelf + 1;
            shelf = 0;
        }
        box.atlasX = x;
        box.atlasY = y;
        x += box.width + 1;
        shelf = std::max(shelf, box.height);
    }
    atlasHeight = y + shelf + 1;
    atlas.assign(std::size_t(atlasWidth) * atlasHeight, 0);
    for (int byte = 0; byte < 256; ++byte) {
        const CGlyphBox& box = glyphs[byte];
        for (int row = 0; row < box.height; ++row)
            std::copy_n(pixels[byte].begin() + std::ptrdiff_t(row) * box.width, box.width,
                        atlas.begin() + std::ptrdiff_t(box.atlasY + row) * atlasWidth + box.atlasX);
    }
}
