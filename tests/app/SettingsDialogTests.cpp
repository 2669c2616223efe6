// The settings dialog: how each change refills the lists, the player's clicks and keys, its modal
// loop inside the frame.
#include "HookApp.h"
#include "ScriptedDisplays.h"
#include "app/SettingsDialog.h"
#include "app/SettingsDisplayConfig.h"
#include "gfx/Gfx.h"
#include "platform/DisplayModes.h"
#include "platform/VirtualKeys.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <optional>
#include <utility>

using namespace platform;

namespace {

SDisplaySettings BestSettings(const CD3DEnumeration& enumeration) {
    SDisplaySettings settings;
    enumeration.FindBestFullScreen(settings);
    enumeration.FindBestWindowed(settings);
    return settings;
}

class DialogModelTest : public ::testing::Test {
protected:
    DialogModelTest() { enumeration.Enumerate(displays); }
    CSettingsDialogModel Open(bool windowed = true) {
        SDisplaySettings settings = BestSettings(enumeration);
        settings.windowed = windowed;
        return CSettingsDialogModel(enumeration, settings, 800, 600);
    }
    static std::string Shown(const CSettingsDialogModel& model, EDialogList list) {
        const SChoiceList& choices = model.List(list);
        return choices.selected < 0 ? "" : choices.texts[std::size_t(choices.selected)];
    }
    static int IndexOf(const CSettingsDialogModel& model, EDialogList list, const std::string& text) {
        const std::vector<std::string>& texts = model.List(list).texts;
        return int(std::find(texts.begin(), texts.end(), text) - texts.begin());
    }
    static void Pick(CSettingsDialogModel& model, EDialogList list, const std::string& text) {
        ASSERT_LT(std::size_t(IndexOf(model, list, text)), model.List(list).texts.size()) << text;
        model.Select(list, IndexOf(model, list, text));
    }

    CScriptedDisplays displays;
    CD3DEnumeration enumeration;
};

TEST_F(DialogModelTest, ChangesRefillTheDependentListsKeepingWhatIsStillListed) {
    CSettingsDialogModel model = Open();
    // A window shows the desktop's format and the window's own size, fixed.
    EXPECT_EQ(model.List(EDialogList::Resolution).texts, std::vector<std::string>{"800 x 600"});
    for (EDialogList fixed : {EDialogList::AdapterFormat, EDialogList::Resolution, EDialogList::RefreshRate})
        EXPECT_FALSE(model.List(fixed).enabled);
    model.SetWindowed(false);
    EXPECT_EQ(model.List(EDialogList::Resolution).texts,
              (std::vector<std::string>{"640 x 480", "800 x 600", "1024 x 768", "1280 x 1024"}));
    EXPECT_EQ(Shown(model, EDialogList::Resolution), "1280 x 1024");
    Pick(model, EDialogList::RefreshRate, "75 Hz");
    Pick(model, EDialogList::PresentInterval, "D3DPRESENT_INTERVAL_FOUR");

    // 800 x 600 has 60 Hz only; the 16-bit format still lists 800 x 600 and keeps it.
    Pick(model, EDialogList::Resolution, "800 x 600");
    EXPECT_EQ(Shown(model, EDialogList::RefreshRate), "60 Hz");
    Pick(model, EDialogList::MultisampleType, "D3DMULTISAMPLE_NONMASKABLE");
    EXPECT_EQ(model.List(EDialogList::MultisampleQuality).texts, (std::vector<std::string>{"0", "1"}));
    Pick(model, EDialogList::MultisampleQuality, "1");
    Pick(model, EDialogList::AdapterFormat, "D3DFMT_R5G6B5");
    EXPECT_EQ(model.List(EDialogList::Resolution).texts,
              (std::vector<std::string>{"640 x 480", "800 x 600"}));
    EXPECT_EQ(Shown(model, EDialogList::Resolution), "800 x 600");
    EXPECT_EQ(model.List(EDialogList::BackBufferFormat).texts, std::vector<std::string>{"D3DFMT_R5G6B5"});
    EXPECT_EQ(Shown(model, EDialogList::MultisampleQuality), "1");
    EXPECT_EQ(Shown(model, EDialogList::PresentInterval), "D3DPRESENT_INTERVAL_FOUR");

    EXPECT_EQ(model.Result().fullScreenMode, Mode(800, 600, 60, kFormatR5G6B5));
    EXPECT_EQ(model.Result().fullScreenDevice.multisampleQuality, 1u);

    // Back in a window interval four is not offered.
    model.SetWindowed(true);
    EXPECT_EQ(Shown(model, EDialogList::PresentInterval), "D3DPRESENT_INTERVAL_IMMEDIATE");
    EXPECT_TRUE(model.Result().windowed);
    EXPECT_EQ(model.Result().fullScreenMode, Mode(800, 600, 60, kFormatR5G6B5)) << "the other case stays";
}

TEST_F(DialogModelTest, CaseTheDeviceCannotShowIsRefused) {
    displays.reports[0].desktop = Mode(1280, 1024, 60, kFormatR5G6B5);
    displays.reports[0].modes = {Mode(1280, 1024, 60), Mode(1024, 768, 60)};
    enumeration.Enumerate(displays);
    CSettingsDialogModel model = Open(true);
    EXPECT_FALSE(model.CanUseWindow());
    EXPECT_FALSE(model.IsWindowed()) << "opened on the only case there is";
    model.SetWindowed(true);
    EXPECT_FALSE(model.IsWindowed());
    // Picking an entry that is not there, or in a disabled list, changes nothing.
    const SDisplaySettings before = model.Result();
    model.Select(EDialogList::Resolution, 7);
    model.Select(EDialogList::Resolution, -1);
    EXPECT_EQ(model.Result().fullScreenMode, before.fullScreenMode);
}

SMessage Click(const GfxRect& r) {
    return {WM_LBUTTONDOWN, 0, MakeLParam(int(r.left + r.right) / 2, int(r.top + r.bottom) / 2)};
}
SMessage Key(int key) {
    return {WM_KEYDOWN, WPARAM(key), 1};
}

// Both radio buttons get their box outlined, and both OK and Cancel their outline, whatever is
// chosen.
TEST_F(DialogModelTest, EveryRadioButtonAndButtonIsOutlined) {
    CSettingsDialogModel model = Open();
    CSettingsDialog dialog(model);
    dialog.SetScreenSize(800.0f, 600.0f);
    CRecordingDevice device;
    CGfx gfx;
    gfx.Create(&device);
    dialog.Draw(gfx);
    const auto outlinedIn = [&](const GfxRect& r, bool atTheCorner) {
        int count = 0;
        for (const auto& line : device.polylines) {
            float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
            for (std::size_t i = 0; i + 1 < line.points.size(); i += 2) {
                left = std::min(left, line.points[i]), right = std::max(right, line.points[i]);
                top = std::min(top, line.points[i + 1]), bottom = std::max(bottom, line.points[i + 1]);
            }
            const bool inside = left >= r.left && top >= r.top && right <= r.right && bottom <= r.bottom;
            count += inside && (!atTheCorner || (left == r.left && top == r.top));
        }
        return count;
    };
    for (bool which : {true, false}) {
        EXPECT_GE(outlinedIn(dialog.RadioBox(which), false), 1) << which;
        EXPECT_GE(outlinedIn(dialog.ButtonBox(which), true), 1) << which;
    }
    gfx.Destroy();
}

// A fixed list does not open; the radio button makes the lists editable; Escape closes an open
// list first, then cancels; a click beside a list closes it; Enter and OK accept, closing the
// window and Cancel do not.
TEST_F(DialogModelTest, PlayerClicksListsRadioButtonsAndButtons) {
    CSettingsDialogModel model = Open();
    CSettingsDialog dialog(model);
    dialog.SetScreenSize(800.0f, 600.0f);
    dialog.Handle(Click(dialog.ListBox(EDialogList::Resolution)));
    EXPECT_FALSE(dialog.DropDownRow(0));
    dialog.Handle(Click(dialog.RadioBox(false)));
    dialog.Handle(Click(dialog.ListBox(EDialogList::Resolution)));
    ASSERT_TRUE(dialog.DropDownRow(0));
    dialog.Handle(Click(*dialog.DropDownRow(0)));
    EXPECT_EQ(model.Result().fullScreenMode, Mode(640, 480, 60));
    dialog.Handle(Click(dialog.ListBox(EDialogList::RefreshRate)));
    dialog.Handle(Key(VK_ESCAPE));
    EXPECT_FALSE(dialog.DropDownRow(0));
    EXPECT_FALSE(dialog.IsFinished());
    dialog.Handle(Click(dialog.ListBox(EDialogList::Adapter)));
    dialog.Handle({WM_LBUTTONDOWN, 0, MakeLParam(1, 1)});
    EXPECT_FALSE(dialog.DropDownRow(0));
    dialog.Handle(Key(VK_ESCAPE));
    EXPECT_TRUE(dialog.IsFinished());
    EXPECT_FALSE(dialog.IsAccepted());
    for (const SMessage& ending : {Key(VK_RETURN), Click(dialog.ButtonBox(true)), SMessage{WM_CLOSE, 0, 0},
                                   Click(dialog.ButtonBox(false))}) {
        CSettingsDialog ended(model);
        ended.SetScreenSize(800.0f, 600.0f);
        ended.Handle(ending);
        EXPECT_TRUE(ended.IsFinished());
        EXPECT_EQ(ended.IsAccepted(), ending.message == WM_KEYDOWN || ending.lParam == Click(dialog.ButtonBox(true)).lParam);
    }
}

// The frame with the game's display configuration, the dialog drawing on the recording device.
class SettingsDialogLoop : public ::testing::Test {
protected:
    void Start(bool fullScreen) {
        gfx.Create(&host.device);
        app.emplace(host, config, fullScreen);
        ASSERT_TRUE(app->Create({}));
        enumeration.Enumerate(displays); // as the configuration sees the same displays
        model.emplace(enumeration, SDisplaySettings{}, 800, 600);
        layout.emplace(*model);
        layout->SetScreenSize(800.0f, 600.0f);
    }
    void TearDown() override {
        app.reset();
        gfx.Destroy();
    }

    tundrel_test::CapturedErrorLog errors;
    tundrel_test::TempDir dir;
    CScriptedDisplays displays;
    CTestFrameHost host;
    CSettingsDisplayConfig config{displays, dir.File("Settings.xml")};
    CD3DEnumeration enumeration;
    CGfx gfx;
    std::optional<CHookApp> app;
    // Where the dialog's controls lie in an 800 by 600 window.
    std::optional<CSettingsDialogModel> model;
    std::optional<CSettingsDialog> layout;
};

// The frame opens the dialog for command 40002 and re-creates the device with what was chosen.
TEST_F(SettingsDialogLoop, CommandOpensTheDialogAndAppliesTheChoice) {
    Start(false);
    // The player clicks, the dialog draws while it waits, then Enter.
    host.messages = {Click(layout->RadioBox(false))};
    const auto close = host.whenIdle;
    host.whenIdle = [waited = false](SMessage& message) mutable {
        if (!std::exchange(waited, true)) return false;
        message = Key(VK_RETURN);
        return true;
    };
    host.device.calls.clear();
    app->SendMessage(WM_COMMAND, kCommandChangeDevice);
    EXPECT_FALSE(app->IsWindowed());
    EXPECT_EQ(app->GetPresentParameters().backBufferWidth, 1280u);
    EXPECT_TRUE(app->IsActive());
    EXPECT_NE(std::find(host.device.calls.begin(), host.device.calls.end(), "Present"),
              host.device.calls.end())
        << "the dialog was drawn";

    // Closing the window while the dialog is open cancels it; nothing changes.
    host.whenIdle = close;
    host.log.clear();
    host.messages = {Click(layout->RadioBox(true)), {WM_CLOSE, 0, 0}};
    app->SendMessage(WM_COMMAND, kCommandChangeDevice);
    EXPECT_TRUE(Steps(host.log, {"CreateDevice"}).empty());
}

// Opened from full screen on a window system that applies sizes late: the dialog is laid out at
// the size the window really has whenever it draws, and what happened to the window and the
// pointer meanwhile reaches the frame once the dialog ends, with OK or with Cancel.
TEST_F(SettingsDialogLoop, FollowsTheRealWindowAndPassesItsChangesOn) {
    Start(true);
    host.lateWindowSystem = true;
    const SMessage pointer{WM_MOUSEMOVE, 0, MakeLParam(20, 30)};
    // Each time the dialog waits, the window system does the next thing; OK is clicked where the
    // dialog lies in an 800 by 600 window.
    std::vector<std::function<std::vector<SMessage>()>> script = {
        [] { return std::vector<SMessage>{}; },
        [&] {
            host.fullScreen = false;
            host.ResizeClient(800, 600);
            return std::vector<SMessage>{{WM_ENTERSIZEMOVE, 0, 0}, {WM_EXITSIZEMOVE, 0, 0}, pointer};
        },
        [] { return std::vector<SMessage>{}; },
        [&] { return std::vector<SMessage>{Click(layout->ButtonBox(true))}; },
    };
    std::size_t step = 0;
    host.whenIdle = [&](SMessage& message) {
        if (step >= script.size()) {
            message = Key(VK_ESCAPE);
            return true;
        }
        const std::vector<SMessage> next = script[step++]();
        host.messages.assign(next.begin(), next.end());
        return !next.empty() && host.PeekMessage(message);
    };
    app->SendMessage(WM_COMMAND, kCommandChangeDevice);
    EXPECT_EQ(step, script.size());
    EXPECT_FALSE(Steps(host.log, {"CreateDevice"}).empty()) << "OK was where an 800 by 600 window shows it";
    const std::vector<std::uint32_t> passedOn = [&] {
        std::vector<std::uint32_t> kinds;
        for (const SMessage& m : host.messages) kinds.push_back(m.message);
        return kinds;
    }();
    EXPECT_EQ(passedOn, (std::vector<std::uint32_t>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_MOUSEMOVE}));
    EXPECT_EQ(app->BackBufferWidth(), 800u);

    // Maximized while the dialog is open, then Cancel: the frame takes the maximized size and
    // keeps the window's own size for the next start.
    host.lateWindowSystem = false;
    host.messages.clear();
    script = {[&] {
        host.ResizeClient(1280, 1000);
        return std::vector<SMessage>{{WM_SIZE, SIZE_MAXIMIZED, MakeLParam(1280, 1000)}, Key(VK_ESCAPE)};
    }};
    step = 0;
    app->SendMessage(WM_COMMAND, kCommandChangeDevice);
    SMessage message;
    while (!host.messages.empty() && host.PeekMessage(message))
        app->SendMessage(message.message, message.wParam, message.lParam);
    EXPECT_TRUE(app->IsMaximized());
    EXPECT_EQ(app->BackBufferWidth(), 1280u);
    EXPECT_EQ(app->GetWindowSettings().width, 800);
}

} // namespace
