// The settings dialog: how each change refills the lists, and its outlines.
#include "ScriptedDisplays.h"
#include "app/SettingsDialog.h"
#include "gfx/Gfx.h"
#include "gfx/RecordingDevice.h"
#include "platform/DisplayModes.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class DialogModelTest : public ::testing::Test {
protected:
    DialogModelTest() { enumeration.Enumerate(displays); }
    CSettingsDialogModel Open() {
        CDisplaySettings settings;
        enumeration.FindBestFullScreen(settings);
        enumeration.FindBestWindowed(settings);
        settings.windowed = true;
        return CSettingsDialogModel(enumeration, settings, 800, 600);
    }
    static std::string Shown(const CSettingsDialogModel& model, EDialogList list) {
        const CChoiceList& choices = model.List(list);
        return choices.selected < 0 ? "" : choices.texts[std::size_t(choices.selected)];
    }
    static void Pick(CSettingsDialogModel& model, EDialogList list, const std::string& text) {
        const std::vector<std::string>& texts = model.List(list).texts;
        const auto found = std::find(texts.begin(), texts.end(), text);
        ASSERT_NE(found, texts.end()) << text;
        model.Select(list, int(found - texts.begin()));
    }

    CScriptedDisplays displays;
    CD3DEnumeration enumeration;
};

TEST_F(DialogModelTest, ChangesRefillTheDependentListsKeepingWhatIsStillListed) {
    CSettingsDialogModel model = Open();
    // A window shows the desktop's format and the window's own size, fixed.
    EXPECT_EQ(model.List(EDialogList::Resolution).texts, std::vector<std::string>{"800 x 600"});
    for (EDialogList fixed : {EDialogList::AdapterFormat, EDialogList::Resolution, EDialogList::RefreshRate})
        EXPECT_TRUE(!model.List(fixed).enabled && model.List(fixed).texts.size() == 1) << int(fixed);
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
    const auto outlinedIn = [&](const CGfxRect& r, bool atTheCorner) {
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
    dialog.Handle({WM_CLOSE}); // closing the window is Cancel
    EXPECT_TRUE(dialog.IsFinished() && !dialog.IsAccepted());
}

} // namespace
