// The mission selection screen: scanning Maps, the sorted list, the descriptions read from the
// mission files, and the layout and look of the screen.
#include "gui/NewGameScreen.h"

#include "gfx/Gfx.h"
#include "gui/GameGUI.h"
#include "gui/GameWindows.h"
#include "gui/Menu.h"
#include "sound/SoundSystem.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/Text1250.h"
#include "xml/XMLLoad.h"

#include <cmath>
#include <utility>

using namespace vexo::literals;

namespace {

constexpr const char* kMapsFolder = "Maps";
constexpr std::string_view kExtension = ".tlm";
constexpr const char* kRandomMapName = "[Mapa losowa]";
constexpr int kSelectSound = 1;
constexpr std::uint32_t kBoxColour = 0xFFE0E0E0;
constexpr std::uint32_t kBoxOutline = 0xFFC0C0C0;

bool HasMissionExtension(const std::string& file) {
    return file.size() >= kExtension.size() &&
           vexo::CompareNoCase(std::string_view(file).substr(file.size() - kExtension.size()), kExtension) ==
               0;
}

std::string MissionPath(const std::string& file) {
    return std::string(kMapsFolder) + "\\" + file;
}

void DrawBox(float left, float top, float right, float bottom) {
    FillRect(left, top, right, bottom, kBoxColour);
    if (CGfx* gfx = CGfx::Instance()) gfx->line.DrawFrame(left, top, right, bottom, kBoxOutline);
}

// Bubble passes over everything after the random map, until one swaps nothing; a stable order,
// so names equal but for case keep the order the folder gave them. The player reads the list in
// the Polish alphabet: "Łąka" between "Las" and "Mróz", not after "Zima".
void SortMissions(std::vector<CMissionList::CEntry>& entries) {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 1; i + 1 < entries.size(); ++i)
            if (vexo::ComparePolishNoCase(entries[i].name, entries[i + 1].name) > 0) {
                std::swap(entries[i], entries[i + 1]);
                swapped = true;
            }
    }
}

} // namespace

CMissionList::CMissionList() {
    entries.push_back({kRandomMapName, ""});
    std::vector<vexo::CDirectoryEntry> files;
    if (vexo::ListDirectory(kMapsFolder, files))
        for (const vexo::CDirectoryEntry& file : files)
            if (file.isRegularFile && HasMissionExtension(file.name)) {
                const std::string base = file.name.substr(0, file.name.size() - kExtension.size());
                entries.push_back({vexo::Utf8ToCp1250(base), file.name});
            }
    SortMissions(entries);
}

std::string CMissionList::GetSelectedFile() const {
    return selected >= 1 ? MissionPath(entries[std::size_t(selected)].file) : std::string();
}

bool CMissionList::OnMouseDown(float, float y, int) {
    // Integer division of the truncated offset: the 8 pixels above the first row give row 0 too.
    // Worked out in floats, so a far-away point of a captured press cannot overflow an int.
    const float row = std::trunc(std::trunc(y - kMargin) / kRowHeight);
    if (row >= 0 && row < float(entries.size())) {
        selected = int(row);
        if (CSoundSystem* sound = CSoundSystem::Instance()) sound->Play(kSelectSound, 0);
    }
    return true;
}

void CMissionList::Draw(float left, float top, float right, float bottom) {
    DrawBox(left, top, right, bottom);
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    gfx->font.Select(0);
    float y = top + kMargin;
    for (std::size_t k = 0; k < entries.size(); ++k, y += kRowHeight) {
        if (y + kRowHeight > bottom - kRowHeight) {
            gfx->font.DrawTextInRect(left + kMargin, y, right - kMargin, y + kRowHeight,
                                     "Nie zmiescilo sie...", kTextSingleLine, 0xFFFF0000);
            return;
        }
        const bool isSelected = int(k) == selected;
        const std::uint32_t colour =
            k == 0 ? (isSelected ? 0xFF006000 : 0xFF00C000) : (isSelected ? 0xFF000000 : 0xFF7F7F7F);
        // A file named only ".tlm" is a row with nothing to write in it.
        if (!entries[k].name.empty())
            gfx->font.DrawTextInRect(left + kMargin, y, right - kMargin, y + kRowHeight, entries[k].name,
                                     kTextSingleLine, colour);
    }
}

void CMissionText::Draw(float left, float top, float right, float bottom) {
    DrawBox(left, top, right, bottom);
    CGfx* gfx = CGfx::Instance();
    if (!gfx || text.empty()) return;
    gfx->font.Select(0);
    gfx->font.DrawTextInRect(left + 8, top + 8, right - 8, bottom - 8, text, kTextWordBreak, 0xFF000000);
}

CNewGameScreen::CNewGameScreen() {
    back = new CMenuButton("< Wroc");
    AddChild(back);
    play = new CMenuButton("Graj >");
    play->SetEnabled(false);
    AddChild(play);
    list = new CMissionList;
    AddChild(list);
    text = new CMissionText;
    AddChild(text);
}

bool CNewGameScreen::WasClicked(int i) {
    if (i == kBack) return back->WasClicked();
    if (i == kPlay) return play->WasClicked();
    return false;
}

void CNewGameScreen::Update(float, float, bool) {
    const float w = ScreenWidth(), h = ScreenHeight();
    Place(*back, 8, h - 32, 108, h - 8);
    Place(*play, w - 108, h - 32, w - 8, h - 8);
    Place(*list, 8, 40, w / 2 - 4, h - 40);
    Place(*text, w / 2 + 4, 40, w - 8, h - 40);
    play->SetEnabled(list->GetSelected() > -1);
    if (list->GetSelected() != shown) ShowDescription(list->GetSelected());
}

void CNewGameScreen::ShowDescription(int entry) {
    shown = entry;
    if (entry == 0) {
        text->SetText("Utworzona zostanie losowa mapa z obiektami rozmieszczonymi przypadkowo.");
        return;
    }
    const std::string path = list->GetSelectedFile();
    try {
        std::string content;
        if (!vexo::ReadFileToString(path, content))
            throw vexo::CWin32APIError(
                std::string("Nie można wczytać opisu misji z pliku \""_pl) + path + "\".", "GUI", __LINE__);
        vexo::CXMLDocument document;
        vexo::ParseDocument(document, content, vexo::MissionListReaderOptions());
        text->SetText(document.Value("map/text", "Brak opisu..."));
    } catch (...) {
        // The error has written its record; the player still sees the list and may pick again.
        text->SetText("Blad podczas wczytywania mapy!");
    }
}

void CNewGameScreen::Draw(float left, float top, float right, float) {
    CGfx* gfx = CGfx::Instance();
    if (!gfx) return;
    gfx->font.Select(0);
    gfx->font.DrawTextInRect(left, top + 8, right, top + 32, "Wybierz misje",
                             kTextCenter | kTextVCenter | kTextSingleLine | kTextNoClip, 0xFF0000FF);
}
