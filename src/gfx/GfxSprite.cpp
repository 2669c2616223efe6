// Sprite sets: Sprites.xml, the images as textures, and the quad batch that draws their frames.
#include "gfx/GfxSprite.h"

#include "gfx/GfxXml.h"
#include "support/Convert.h"
#include "support/Error.h"
#include "support/Text1250.h"

#include <cmath>

using namespace vexo::literals;

namespace {

// Frames outside these limits would divide by zero or read past the image when cut.
void CheckFrameSize(const CGfxSpriteSet& set) {
    if (set.frameSize > 0 && set.frameSize <= set.imageSize) return;
    throw vexo::CError(std::string("Sprite o identyfikatorze "_pl) + vexo::IntToString(set.id) +
                           std::string(" ma niepoprawny rozmiar klatki ("_pl) +
                           vexo::IntToString(set.frameSize) + std::string(") przy rozmiarze obrazu "_pl) +
                           vexo::IntToString(set.imageSize) + std::string(" w pliku \"Sprites.xml\"."_pl),
                       "Gfx", __LINE__);
}

// The earlier set that took the image of set's file, or nullptr. Only the first set naming a file
// gets its image; a later one is left without, though the file is there.
const CGfxSpriteSet* EarlierHolder(const std::vector<CGfxSpriteSet>& sets, const CGfxSpriteSet& set) {
    for (const CGfxSpriteSet& other : sets) {
        if (&other == &set) return nullptr;
        if (other.file == set.file) return other.texture != TextureHandle::None ? &other : nullptr;
    }
    return nullptr;
}

// Reported apart from missing files: "cannot load" would send the mod author looking for a file
// that is there.
void CheckSharedFiles(const std::vector<CGfxSpriteSet>& sets) {
    for (const CGfxSpriteSet& set : sets) {
        const CGfxSpriteSet* first = set.texture == TextureHandle::None ? EarlierHolder(sets, set) : nullptr;
        if (!first) continue;
        throw vexo::CError(std::string("Zestawy spritów o identyfikatorach "_pl) +
                               vexo::IntToString(first->id) + " i " + vexo::IntToString(set.id) +
                               std::string(" wskazują ten sam plik \""_pl) + set.file +
                               std::string("\"; obraz dostaje tylko pierwszy z nich."_pl),
                           "Gfx", __LINE__);
    }
}

} // namespace

void CGfxSprite::Destroy() {
    for (CGfxSpriteSet& set : sets)
        if (set.texture != TextureHandle::None) device->ReleaseTexture(set.texture);
    sets.clear();
    current = -1;
}

int CGfxSprite::WantsFile(bool firstPass, const std::string& name, std::uint32_t) {
    if (firstPass) return name == "Sprites.xml" ? kFileAsText : kFileNotWanted;
    for (const CGfxSpriteSet& set : sets)
        if (set.file == name) return kFileAsData;
    return kFileNotWanted;
}

void CGfxSprite::LoadText(bool, const std::string&, std::uint32_t, const std::string& text) {
    vexo::CXMLDocument doc;
    const vexo::CXMLElement& root = gfx_xml::ReadRoot(
        doc, text, "sprites",
        std::string("Nie znaleziono elementu głównego \"sprites\" w pliku \"Sprites.xml\"."_pl), __LINE__);
    for (const vexo::CXMLElement* element : gfx_xml::Children(root, "sprite")) {
        CGfxSpriteSet set;
        set.id = vexo::ToInt(element->Value("id", "0"));
        set.file = element->Value("file", "");
        set.imageSize = vexo::ToInt(element->Value("size", "0"));
        set.frameSize = vexo::ToInt(element->Value("sprite-size", "0"));
        set.colorKey = vexo::HexToUInt(element->Value("color-key", "0"));
        CheckFrameSize(set);
        sets.push_back(std::move(set));
    }
}

void CGfxSprite::LoadData(bool, const std::string& name, std::uint32_t size, const std::uint8_t* bytes) {
    for (CGfxSpriteSet& set : sets) {
        if (set.file != name) continue;
        TextureHandle texture = TextureHandle::None;
        const RenderResult result = device->CreateTextureFromMemory(bytes, size, set.colorKey, texture);
        if (RenderFailed(result))
            throw vexo::CDirectXError(std::string("Nie można wczytać sprita z pliku \""_pl) + name + "\".",
                                      static_cast<std::uint32_t>(result), "Gfx", __LINE__);
        // An archive may hold the same entry twice; the later copy replaces the earlier texture.
        if (set.texture != TextureHandle::None) device->ReleaseTexture(set.texture);
        set.texture = texture;
        return;
    }
}

void CGfxSprite::EndLoading(bool firstPass) {
    if (firstPass) return;
    std::string missing;
    for (const CGfxSpriteSet& set : sets)
        if (set.texture == TextureHandle::None && !EarlierHolder(sets, set))
            missing += " \"" + set.file + "\"";
    // The text ends in a space and every file brings its own, so two stand before the first.
    if (!missing.empty())
        throw vexo::CError(std::string("Nie można załadować spritów z plików: "_pl) + missing + ".", "Gfx",
                           __LINE__);
    CheckSharedFiles(sets);
}

const CGfxSpriteSet* CGfxSprite::FindSet(int setId) const {
    for (const CGfxSpriteSet& set : sets)
        if (set.id == setId) return &set;
    return nullptr;
}

void CGfxSprite::Begin(int setId, std::uint32_t count, bool filter) {
    const CGfxSpriteSet* set = FindSet(setId);
    if (!set)
        throw vexo::CError(std::string("Sprite o identyfikatorze "_pl) + vexo::IntToString(setId) +
                               std::string(" nie istnieje."_pl),
                           "Gfx", __LINE__);
    current = static_cast<int>(set - sets.data());
    this->filter = filter;
    batch.Begin(count);
}

void CGfxSprite::Add(int frame, float x, float y, float size, std::uint32_t color, float angle) {
    AddQuad(frame, x, y, size, color, color, color, color, angle);
}

void CGfxSprite::AddQuad(int frame, float x, float y, float size, std::uint32_t c0, std::uint32_t c1,
                         std::uint32_t c2, std::uint32_t c3, float angle) {
    // A quad needs a set to be cut from; without Begin there is none to measure it by.
    if (current < 0)
        throw vexo::CError(std::string("Nie wybrano zestawu spritów przed rysowaniem."_pl), "Gfx", __LINE__);
    const CGfxSpriteSet& set = sets[static_cast<std::size_t>(current)];
    const int imageSize = set.imageSize;
    const int frameSize = set.frameSize;

    // Sampled one texel inside the frame on every side, so linear filtering never picks up the
    // neighbouring frame.
    float uL = 0.0f, uR = 1.0f, vT = 0.0f, vB = 1.0f;
    if (imageSize != frameSize) {
        // In 64 bits: a far-off frame number of a huge image must not overflow.
        const std::int64_t f = frameSize;
        const std::int64_t perRow = imageSize / frameSize;
        const std::int64_t row = frame / perRow;
        const std::int64_t column = frame % perRow;
        const float s = static_cast<float>(imageSize);
        uL = static_cast<float>(column * f + 1) / s;
        uR = static_cast<float>((column + 1) * f - 1) / s;
        vT = static_cast<float>(row * f + 1) / s;
        vB = static_cast<float>((row + 1) * f - 1) / s;
    }

    const float side = size > 0.0f ? size : size == 0.0f ? static_cast<float>(frameSize) : -size * frameSize;

    float px[4], py[4];
    if (angle == 0.0f) {
        const float h = side / 2.0f;
        px[0] = px[2] = x - h;
        px[1] = px[3] = x + h;
        py[0] = py[1] = y - h;
        py[2] = py[3] = y + h;
    } else {
        // 5π/4, 7π/4, 3π/4 and π/4: the corner directions of the unturned quad.
        static constexpr float kCornerAngle[4] = {3.926991f, 5.4977875f, 2.3561945f, 0.7853982f};
        const float r = std::sqrt(2.0f) * side / 2.0f;
        for (int k = 0; k < 4; ++k) {
            const float theta = kCornerAngle[k] - angle;
            px[k] = x + r * std::cos(theta);
            py[k] = y + r * std::sin(theta);
        }
    }

    CTexturedVertex* v = batch.AddQuad([this] { Draw(); });
    v[0] = {px[0], py[0], 0.0f, 1.0f, c0, uL, vT};
    v[1] = {px[1], py[1], 0.0f, 1.0f, c1, uR, vT};
    v[2] = {px[2], py[2], 0.0f, 1.0f, c2, uL, vB};
    v[3] = {px[3], py[3], 0.0f, 1.0f, c3, uR, vB};
}

void CGfxSprite::Flush() {
    batch.Flush([this] { Draw(); });
}

void CGfxSprite::Draw() {
    using TSS = TextureStageState;
    const auto value = [](auto e) { return static_cast<std::uint32_t>(e); };
    device->SetTexture(sets[static_cast<std::size_t>(current)].texture);
    device->SetTextureStageState(TSS::TexCoordIndex, 0);
    device->SetTextureStageState(TSS::ColorOp, value(TextureOp::Modulate2X));
    device->SetTextureStageState(TSS::ColorArg1, value(TextureArg::Texture));
    device->SetTextureStageState(TSS::ColorArg2, value(TextureArg::Diffuse));
    device->SetTextureStageState(TSS::AlphaOp, value(TextureOp::Modulate));
    device->SetTextureStageState(TSS::AlphaArg1, value(TextureArg::Texture));
    device->SetTextureStageState(TSS::AlphaArg2, value(TextureArg::Diffuse));
    device->SetSamplerFilter(filter ? TextureFilter::Linear : TextureFilter::None);
    device->SetVertexFormat(VertexFormat::XyzrhwDiffuseTex1);
    batch.Draw(*device, std::string("Nie można narysować spritów."_pl), __LINE__);
}
