// Fonts: Fonts.xml, the device's fonts, and text drawn with the selected one.
#include "gfx/GfxFont.h"

#include "gfx/GfxXml.h"
#include "support/Convert.h"
#include "support/Error.h"
#include "support/Text1250.h"

using namespace vexo::literals;

void CGfxFont::Destroy() {
    for (const CGfxFontEntry& entry : fonts)
        device->ReleaseFont(entry.font);
    fonts.clear();
    current = -1;
}

void CGfxFont::Invalidate() {
    for (const CGfxFontEntry& entry : fonts)
        device->FontOnLostDevice(entry.font);
}

void CGfxFont::Restore() {
    for (const CGfxFontEntry& entry : fonts)
        device->FontOnResetDevice(entry.font);
}

int CGfxFont::WantsFile(bool firstPass, const std::string& name, std::uint32_t) {
    return firstPass && name == "Fonts.xml" ? kFileAsText : kFileNotWanted;
}

void CGfxFont::LoadText(bool, const std::string&, std::uint32_t, const std::string& text) {
    vexo::CXMLDocument doc;
    const vexo::CXMLElement& root = gfx_xml::ReadRoot(
        doc, text, "fonts",
        std::string("Nie znaleziono elementu głównego \"fonts\" w pliku \"Fonts.xml\"."_pl), __LINE__);
    const std::vector<const vexo::CXMLElement*> elements = gfx_xml::Children(root, "font");
    if (elements.size() > kMaxFonts)
        throw vexo::CError(std::string("Plik \"Fonts.xml\" opisuje za dużo czcionek ("_pl) +
                               std::to_string(elements.size()) + std::string(", najwyżej "_pl) +
                               std::to_string(kMaxFonts) + ").",
                           "Gfx", __LINE__);
    for (const vexo::CXMLElement* element : elements) {
        CFontDesc desc;
        desc.height = vexo::ToInt(element->Value("size", "0"));
        desc.weight = vexo::ParseBool(element->Value("bold", "")) ? 700 : 400;
        desc.typeface = element->Value("name", "");
        CGfxFontEntry entry;
        entry.id = vexo::ToInt(element->Value("id", "0"));
        if (desc.height < -kMaxFontSize || desc.height > kMaxFontSize)
            throw vexo::CError(std::string("Czcionka o identyfikatorze "_pl) + vexo::IntToString(entry.id) +
                                   std::string(" ma niepoprawny rozmiar ("_pl) +
                                   vexo::IntToString(desc.height) +
                                   std::string(") w pliku \"Fonts.xml\"."_pl),
                               "Gfx", __LINE__);
        const RenderResult result = device->CreateFont(desc, entry.font);
        if (RenderFailed(result))
            throw vexo::CDirectXError(std::string("Nie można utworzyć czcionki na etapie 2/2."_pl),
                                      static_cast<std::uint32_t>(result), "Gfx", __LINE__);
        fonts.push_back(entry);
    }
}

void CGfxFont::Select(int id) {
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        if (fonts[i].id == id) {
            current = static_cast<int>(i);
            return;
        }
    }
    throw vexo::CError(std::string("Czcionka o identyfikatorze "_pl) + vexo::IntToString(id) +
                           std::string(" nie istnieje."_pl),
                       "Gfx", __LINE__);
}

void CGfxFont::DrawText(float x, float y, const std::string& text, std::uint32_t color) {
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    Draw({left, top, left, top}, text, kTextSingleLine | kTextNoClip, color);
}

int CGfxFont::DrawTextInRect(float left, float top, float right, float bottom, const std::string& text,
                             std::uint32_t format, std::uint32_t color) {
    return Draw(
        {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)},
        text, format, color);
}

int CGfxFont::Draw(const CTextRect& rect, const std::string& text, std::uint32_t format, std::uint32_t color) {
    // Nothing to show is not a failure: an empty hint or console line simply leaves no mark.
    if (text.empty()) return 0;
    if (current < 0)
        throw vexo::CError(std::string("Nie wybrano czcionki przed rysowaniem tekstu."_pl), "Gfx", __LINE__);
    const int height = device->DrawText(fonts[static_cast<std::size_t>(current)].font, text.c_str(), -1, rect,
                                        format, color);
    if (height == 0)
        throw vexo::CError(std::string("Nie można wyświetlić tekstu \""_pl) + text + "\".", "Gfx", __LINE__);
    return height;
}
