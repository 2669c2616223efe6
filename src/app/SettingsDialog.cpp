// The settings dialog's layout, drawing, input and its modal loop.
#include "app/SettingsDialog.h"

#include "gfx/Gfx.h"
#include "platform/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace platform;

namespace {

constexpr float kWidth = 480.0f;
constexpr float kHeight = 408.0f;
constexpr float kTitleHeight = 26.0f;
constexpr float kRowHeight = 26.0f;
constexpr float kBoxHeight = 21.0f;
constexpr float kMargin = 12.0f;
constexpr float kLabelWidth = 186.0f;
constexpr float kItemHeight = 19.0f;
constexpr float kButtonWidth = 88.0f;
constexpr float kButtonHeight = 24.0f;
// The rows of the lists; the radio buttons sit in row 2.
constexpr int kRadioRow = 2;

constexpr std::uint32_t kFace = 0xFFD4D0C8;
constexpr std::uint32_t kShade = 0xFF808080;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kText = 0xFF000000;
constexpr std::uint32_t kGreyText = 0xFF8A8A8A;
constexpr std::uint32_t kSelection = 0xFF0A246A;
constexpr std::uint32_t kBackdrop = 0xFF3A4A5A;
constexpr std::uint32_t kTextLine = kTextLeft | kTextVCenter | kTextSingleLine;

struct CListRow {
    EDialogList list;
    const char* label;
    int row;
};
constexpr std::array<CListRow, kDialogListCount> kRows = {{
    {EDialogList::Adapter, "Display Adapter:", 0},
    {EDialogList::Device, "Render Device:", 1},
    {EDialogList::AdapterFormat, "Adapter Format:", 3},
    {EDialogList::Resolution, "Resolution:", 4},
    {EDialogList::RefreshRate, "Refresh Rate:", 5},
    {EDialogList::BackBufferFormat, "Back Buffer Format:", 6},
    {EDialogList::DepthStencilFormat, "Depth/Stencil Buffer Format:", 7},
    {EDialogList::MultisampleType, "Multisample Type:", 8},
    {EDialogList::MultisampleQuality, "Multisample Quality:", 9},
    {EDialogList::VertexProcessing, "Vertex Processing:", 10},
    {EDialogList::PresentInterval, "Present Interval:", 11},
}};

bool Inside(const CGfxRect& r, float x, float y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

const CListRow& RowOf(EDialogList list) {
    return kRows[std::size_t(list)];
}

// Text can only be drawn with a font of the game data; without one the dialog still works.
bool SelectFont(CGfx& gfx) {
    if (gfx.font.Fonts().empty()) return false;
    gfx.font.Select(gfx.font.Fonts().front().id);
    return true;
}

void Text(CGfx& gfx, const CGfxRect& r, const std::string& text, std::uint32_t color,
          std::uint32_t format = kTextLine) {
    gfx.font.DrawTextInRect(r.left, r.top, r.right, r.bottom, text, format, color);
}

void Frame(CGfx& gfx, const CGfxRect& r, std::uint32_t color) {
    gfx.line.DrawFrame(r.left, r.top, r.right - 1.0f, r.bottom - 1.0f, color);
}

CGfxRect Inset(const CGfxRect& r, float by) {
    return {r.left + by, r.top, r.right - by, r.bottom};
}

// What the frame must still see once the dialog closes: how the window changed meanwhile, and
// where the pointer ended up.
void KeepForFrame(const CMessage& message, std::vector<CMessage>& kept) {
    switch (message.message) {
    case WM_MOUSEMOVE:
        std::erase_if(kept, [](const CMessage& m) { return m.message == WM_MOUSEMOVE; });
        kept.push_back(message);
        break;
    case WM_SIZE:
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
    case WM_KILLFOCUS: kept.push_back(message); break;
    default: break;
    }
}

} // namespace

void CSettingsDialog::SetScreenSize(float width, float height) {
    left = std::max(0.0f, float(int((width - kWidth) / 2.0f)));
    top = std::max(0.0f, float(int((height - kHeight) / 2.0f)));
    screenWidth = width;
    screenHeight = height;
}

CGfxRect CSettingsDialog::ListBox(EDialogList list) const {
    const float y = top + kTitleHeight + kMargin + float(RowOf(list).row) * kRowHeight;
    return {left + kMargin + kLabelWidth, y, left + kWidth - kMargin, y + kBoxHeight};
}

CGfxRect CSettingsDialog::RadioBox(bool windowed) const {
    const float y = top + kTitleHeight + kMargin + float(kRadioRow) * kRowHeight;
    const float x = left + kMargin + kLabelWidth + (windowed ? 0.0f : 130.0f);
    return {x, y, x + 120.0f, y + kBoxHeight};
}

CGfxRect CSettingsDialog::ButtonBox(bool ok) const {
    const float right = left + kWidth - kMargin - (ok ? kButtonWidth + 8.0f : 0.0f);
    const float bottom = top + kHeight - kMargin;
    return {right - kButtonWidth, bottom - kButtonHeight, right, bottom};
}

int CSettingsDialog::VisibleRows() const {
    if (!openList) return 0;
    const int count = int(model.List(*openList).texts.size());
    const CGfxRect box = ListBox(*openList);
    const float room = std::max(screenHeight - box.bottom, box.top) - 2.0f;
    return std::clamp(int(room / kItemHeight), 1, std::max(count, 1));
}

// Below the list's box where it fits, else above it.
CGfxRect CSettingsDialog::DropDownBox() const {
    const CGfxRect box = ListBox(*openList);
    const float height = float(VisibleRows()) * kItemHeight + 2.0f;
    if (box.bottom + height <= screenHeight || box.top < height)
        return {box.left, box.bottom, box.right, box.bottom + height};
    return {box.left, box.top - height, box.right, box.top};
}

std::optional<CGfxRect> CSettingsDialog::DropDownRow(int index) const {
    if (!openList || index < firstVisible || index >= firstVisible + VisibleRows()) return std::nullopt;
    const CGfxRect box = DropDownBox();
    const float y = box.top + 1.0f + float(index - firstVisible) * kItemHeight;
    return CGfxRect{box.left + 1.0f, y, box.right - 1.0f, y + kItemHeight};
}

void CSettingsDialog::Handle(const CMessage& message) {
    const float x = float(SignedLoWord(std::uintptr_t(message.lParam)));
    const float y = float(SignedHiWord(std::uintptr_t(message.lParam)));
    switch (message.message) {
    case WM_LBUTTONDOWN:
        Click(x, y);
        break;
    case WM_MOUSEMOVE:
        hovered = -1;
        for (int i = firstVisible; openList && i < firstVisible + VisibleRows(); ++i)
            if (const auto row = DropDownRow(i); row && Inside(*row, x, y)) hovered = i;
        break;
    case WM_MOUSEWHEEL:
        if (openList) {
            const int count = int(model.List(*openList).texts.size());
            const int step = SignedHiWord(message.wParam) > 0 ? -3 : 3;
            firstVisible = std::clamp(firstVisible + step, 0, std::max(0, count - VisibleRows()));
        }
        break;
    case WM_KEYDOWN:
        if (message.wParam == WPARAM(VK_RETURN))
            result = true;
        else if (message.wParam == WPARAM(VK_ESCAPE) && openList)
            openList.reset();
        else if (message.wParam == WPARAM(VK_ESCAPE))
            result = false;
        break;
    case WM_CLOSE:
    case WM_QUIT:
        result = false;
        break;
    default:
        break;
    }
}

void CSettingsDialog::Click(float x, float y) {
    if (openList) {
        // A click on an entry picks it; any click closes the list, as a drop-down does.
        const EDialogList list = *openList;
        for (int i = firstVisible; i < firstVisible + VisibleRows(); ++i)
            if (const auto row = DropDownRow(i); row && Inside(*row, x, y)) {
                openList.reset();
                model.Select(list, i);
                return;
            }
        openList.reset();
        return;
    }
    for (const CListRow& row : kRows) {
        const CChoiceList& list = model.List(row.list);
        if (!Inside(ListBox(row.list), x, y) || !list.enabled || list.texts.empty()) continue;
        openList = row.list;
        hovered = list.selected;
        firstVisible = std::clamp(list.selected - VisibleRows() / 2, 0,
                                  std::max(0, int(list.texts.size()) - VisibleRows()));
        return;
    }
    if (Inside(RadioBox(true), x, y))
        model.SetWindowed(true);
    else if (Inside(RadioBox(false), x, y))
        model.SetWindowed(false);
    else if (Inside(ButtonBox(true), x, y))
        result = true;
    else if (Inside(ButtonBox(false), x, y))
        result = false;
}

void CSettingsDialog::Draw(CGfx& gfx) {
    const CGfxRect panel{left, top, left + kWidth, top + kHeight};
    gfx.filledRect.Begin(0);
    gfx.filledRect.Add({0.0f, 0.0f, screenWidth, screenHeight}, kBackdrop);
    gfx.filledRect.Add(panel, kFace);
    gfx.filledRect.Add({panel.left, panel.top, panel.right, panel.top + kTitleHeight}, 0xFF0A246A, 0xFFA6CAF0,
                       0xFF0A246A, 0xFFA6CAF0);
    for (const CListRow& row : kRows)
        gfx.filledRect.Add(ListBox(row.list), model.List(row.list).enabled ? kWhite : kFace);
    for (bool windowed : {true, false}) {
        const CGfxRect radio = RadioBox(windowed);
        const CGfxRect dot{radio.left + 4.0f, radio.top + 5.0f, radio.left + 15.0f, radio.top + 16.0f};
        gfx.filledRect.Add(dot, kWhite);
        if (model.IsWindowed() == windowed)
            gfx.filledRect.Add({dot.left + 3.0f, dot.top + 3.0f, dot.right - 3.0f, dot.bottom - 3.0f}, kText);
    }
    gfx.filledRect.Flush();

    Frame(gfx, panel, kShade);
    for (const CListRow& row : kRows) {
        const CGfxRect box = ListBox(row.list);
        Frame(gfx, box, kShade);
        Frame(gfx, {box.right - kBoxHeight, box.top, box.right, box.bottom}, kShade);
    }
    for (bool windowed : {true, false}) {
        const CGfxRect radio = RadioBox(windowed);
        Frame(gfx, {radio.left + 4.0f, radio.top + 5.0f, radio.left + 15.0f, radio.top + 16.0f}, kShade);
    }
    for (bool ok : {true, false})
        Frame(gfx, ButtonBox(ok), kText);

    if (SelectFont(gfx)) {
        Text(gfx, Inset({panel.left, panel.top, panel.right, panel.top + kTitleHeight}, 8.0f),
             "Direct3D Settings", kWhite);
        for (const CListRow& row : kRows) {
            const CGfxRect box = ListBox(row.list);
            const CChoiceList& list = model.List(row.list);
            Text(gfx, {left + kMargin, box.top, box.left - 4.0f, box.bottom}, row.label, kText);
            if (list.selected >= 0)
                Text(gfx, Inset({box.left, box.top, box.right - kBoxHeight, box.bottom}, 4.0f),
                     list.texts[std::size_t(list.selected)], list.enabled ? kText : kGreyText);
            Text(gfx, {box.right - kBoxHeight, box.top, box.right, box.bottom}, "v",
                 list.enabled ? kText : kGreyText, kTextCenter | kTextVCenter | kTextSingleLine);
        }
        Text(gfx, Inset(RadioBox(true), 20.0f), "Windowed", model.CanUseWindow() ? kText : kGreyText);
        Text(gfx, Inset(RadioBox(false), 20.0f), "Fullscreen", model.CanUseFullScreen() ? kText : kGreyText);
        Text(gfx, ButtonBox(true), "OK", kText, kTextCenter | kTextVCenter | kTextSingleLine);
        Text(gfx, ButtonBox(false), "Cancel", kText, kTextCenter | kTextVCenter | kTextSingleLine);
    }
    if (openList) DrawDropDown(gfx);
}

void CSettingsDialog::DrawDropDown(CGfx& gfx) {
    const CChoiceList& list = model.List(*openList);
    const CGfxRect box = DropDownBox();
    const int shown = std::min(VisibleRows(), int(list.texts.size()) - firstVisible);
    gfx.filledRect.Begin(0);
    gfx.filledRect.Add(box, kWhite);
    const int marked = hovered >= 0 ? hovered : list.selected;
    if (const auto row = DropDownRow(marked)) gfx.filledRect.Add(*row, kSelection);
    gfx.filledRect.Flush();
    Frame(gfx, box, kText);
    if (!SelectFont(gfx)) return;
    for (int i = firstVisible; i < firstVisible + shown; ++i)
        if (const auto row = DropDownRow(i))
            Text(gfx, Inset(*row, 4.0f), list.texts[std::size_t(i)], i == marked ? kWhite : kText);
}

void CSettingsDialog::FollowBackBuffer(CRenderDevice& device) {
    std::uint32_t width = 0, height = 0;
    device.GetBackBufferSize(width, height);
    SetScreenSize(float(width), float(height));
}

bool CSettingsDialog::Run(CFrameHost& host, CGfx& gfx) {
    CRenderDevice* device = gfx.GetDevice();
    if (!device) return false;
    std::vector<CMessage> forFrame;
    FollowBackBuffer(*device);
    while (!IsFinished()) {
        // Clicks meet the dialog where it was last drawn.
        CMessage message;
        while (!IsFinished() && host.PeekMessage(message)) {
            Handle(message);
            KeepForFrame(message, forFrame);
        }
        if (IsFinished()) break;
        // Laid out in the back buffer it is drawn in, at the size the window really has now.
        FollowBackBuffer(*device);
        device->Clear(kBackdrop);
        if (!RenderFailed(device->BeginScene())) {
            Draw(gfx);
            device->EndScene();
        }
        device->Present();
        // A dialog waits for the player; there is no frame to run meanwhile.
        host.Sleep(15);
    }
    host.PutBackMessages(forFrame);
    return IsAccepted();
}
