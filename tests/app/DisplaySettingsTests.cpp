// Settings.xml over scripted displays: its exact text, round trips, values the system does not
// offer and missing parts.
#include "HookApp.h"
#include "ScriptedDisplays.h"
#include "app/SettingsDisplayConfig.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace platform;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    std::string Path() const { return dir.File("Settings.xml"); }
    void Write(const std::string& text) { vexo::WriteStringToFile(Path(), text); }
    std::string Read() const {
        std::string text;
        vexo::ReadFileToString(Path(), text);
        return text;
    }
    CDisplaySettings Best() {
        CDisplaySettings best;
        enumeration.FindBestFullScreen(best);
        enumeration.FindBestWindowed(best);
        return best;
    }
    CDisplaySettings Chosen(const std::string& file, CWindowSettings& window) {
        Write(file);
        CSettingsDisplayConfig reader(displays, Path());
        const bool loaded = reader.Load(window);
        CDisplaySettings settings;
        EXPECT_TRUE(reader.ChooseInitial(host, window, loaded, settings));
        return settings;
    }

    tundrel_test::CapturedErrorLog errors;
    tundrel_test::TempDir dir;
    CScriptedDisplays displays;
    CD3DEnumeration enumeration = [this] {
        CD3DEnumeration enumerated;
        enumerated.Enumerate(displays);
        return enumerated;
    }();
    CTestFrameHost host;
    CSettingsDisplayConfig config{displays, Path()};
};

std::string Element(const char* name, const char* value, const char* indent) {
    return std::string(indent) + "<" + name + ">\r\n" + indent + "  " + value + "\r\n" + indent + "</" +
           name + ">\r\n";
}

std::string Block(const char* name, const char* combo, const char* mode) {
    return std::string("  <") + name + ">\r\n" + Element("adapter", "0", "    ") +
           Element("device", "0", "    ") + Element("combo", combo, "    ") +
           Element("display-mode", mode, "    ") + Element("depth-stencil-buffer-format", "80", "    ") +
           "    <multisample type=\"0\" quality=\"0\"/>\r\n" +
           Element("vertex-processing-type", "3", "    ") +
           Element("presentation-interval", "2147483648", "    ") + "  </" + name + ">\r\n";
}

TEST_F(SettingsFileTest, RunEndedInA640By480WindowWritesTheFileExactly) {
    CHookApp app(host, config);
    ASSERT_TRUE(app.Create({})) << errors.Contents();
    host.ResizeClient(640, 480);
    for (std::uint32_t message : {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_CLOSE}) app.SendMessage(message);
    const std::string expected = "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?>\r\n"
                                 "<settings>\r\n"
                                 "  <window-size width=\"640\" height=\"480\"/>\r\n" +
                                 Element("fullscreen", "0", "  ") + Element("maximized", "0", "  ") +
                                 Block("fullscreen-settings", "2", "5") +
                                 Block("windowed-settings", "3", "5") + "</settings>\r\n";
    EXPECT_EQ(Read(), expected);
}

TEST_F(SettingsFileTest, EveryValueSurvivesARestart) {
    CDisplaySettings stored = Best();
    stored.windowed = false;
    stored.fullScreenMode = Mode(800, 600, 60, kFormatR5G6B5);
    stored.fullScreenDevice = {0, kDeviceHal, kFormatR5G6B5, kFormatR5G6B5, kFormatD24S8, kMultisampleNonMaskable,
                               1, kSoftwareVertexProcessing, kIntervalFour};
    stored.windowedDevice = {0, kDeviceHal, kFormatX8R8G8B8, kFormatA8R8G8B8, kFormatD24X4S4,
                             4, 0, kHardwareVertexProcessing, kIntervalImmediate};
    const CWindowSettings window{1024, 700, true, true};
    CSettingsFile(Path()).Save(enumeration, window, stored);

    CWindowSettings read{500, 375, false, false};
    const CDisplaySettings settings = Chosen(Read(), read);
    EXPECT_EQ(std::tie(read.width, read.height, read.fullScreen, read.maximized),
              std::tie(window.width, window.height, window.fullScreen, window.maximized));
    EXPECT_FALSE(settings.windowed);
    EXPECT_EQ(settings.fullScreenMode, stored.fullScreenMode);
    EXPECT_EQ(settings.fullScreenDevice, stored.fullScreenDevice);
    EXPECT_EQ(settings.windowedMode, stored.windowedMode);
    EXPECT_EQ(settings.windowedDevice, stored.windowedDevice);
    EXPECT_EQ(settings.windowedDevice.presentInterval, 2147483648u) << "the immediate interval in 32 bits";
    EXPECT_TRUE(errors.Contents().empty()) << errors.Contents();
}

TEST_F(SettingsFileTest, ValuesTheSystemDoesNotOfferKeepTheBestModes) {
    const CDisplaySettings best = Best();
    CWindowSettings window{500, 375, true, false};
    // Adapter 5 of one; a windowed combination for full screen; D32, 8 samples, mixed processing
    // and interval two in a window are not offered; sizes outside 320 to 16384.
    const CDisplaySettings settings = Chosen("<settings><window-size width='100' height='20000'/>"
                                             "<fullscreen>0</fullscreen>"
                                             "<fullscreen-settings><adapter>5</adapter><combo>1</combo>"
                                             "<display-mode>0</display-mode></fullscreen-settings>"
                                             "<windowed-settings><adapter>5</adapter><combo>3</combo>"
                                             "<depth-stencil-buffer-format>71</depth-stencil-buffer-format>"
                                             "<multisample type='8' quality='7'/>"
                                             "<vertex-processing-type>1</vertex-processing-type>"
                                             "<presentation-interval>2</presentation-interval>"
                                             "</windowed-settings></settings>",
                                             window);
    EXPECT_EQ(std::tuple(window.width, window.height, window.fullScreen), std::tuple(500, 375, false));
    EXPECT_TRUE(settings.windowed);
    EXPECT_EQ(settings.fullScreenDevice, best.fullScreenDevice);
    EXPECT_EQ(settings.fullScreenMode, best.fullScreenMode);
    EXPECT_EQ(settings.windowedDevice, best.windowedDevice);
    for (const char* fellBack :
         {"window-size/@width", "window-size/@height", "fullscreen-settings", "windowed-settings"})
        EXPECT_NE(errors.Contents().find(fellBack), std::string::npos) << fellBack;

    // A mode of another format than the combination's keeps the best mode; an index past the
    // list takes the first; a quality past the type's count keeps the best quality.
    const CDisplaySettings other = Chosen("<settings><fullscreen-settings><combo>2</combo>"
                                          "<display-mode>1</display-mode>"
                                          "<multisample type='1' quality='2'/></fullscreen-settings>"
                                          "<windowed-settings><combo>3</combo><display-mode>99</display-mode>"
                                          "</windowed-settings></settings>",
                                          window);
    EXPECT_EQ(other.fullScreenMode, best.fullScreenMode);
    EXPECT_EQ(other.fullScreenDevice.multisampleType, kMultisampleNonMaskable);
    EXPECT_EQ(other.fullScreenDevice.multisampleQuality, 0u);
    EXPECT_EQ(other.windowedMode, best.windowedMode) << "a window keeps the desktop's mode";
    const CDisplaySettings first = Chosen("<settings><fullscreen-settings><combo>2</combo>"
                                          "<display-mode>99</display-mode></fullscreen-settings></settings>",
                                          window);
    EXPECT_EQ(first.fullScreenMode, Mode(640, 480, 60));
}

TEST_F(SettingsFileTest, MissingPartsKeepDefaultsAndBestModes) {
    const CDisplaySettings best = Best();
    CWindowSettings window{500, 375, true, false};
    CDisplaySettings settings =
        Chosen("<settings><window-size width='800'/>"
               "<fullscreen-settings><combo>0</combo></fullscreen-settings></settings>",
               window);
    EXPECT_EQ(window.width, 800);
    EXPECT_EQ(window.height, 375);
    EXPECT_FALSE(settings.windowed) << "fullscreen absent keeps start-in-full-screen";
    EXPECT_EQ(settings.fullScreenDevice.backBufferFormat, kFormatA8R8G8B8);
    EXPECT_EQ(settings.windowedDevice, best.windowedDevice) << "the windowed block is missing";

    // Another root, or no file: nothing is read.
    Write("<display/>");
    EXPECT_FALSE(CSettingsFile(Path()).Load(window));
    EXPECT_FALSE(CSettingsFile(dir.File("none.xml")).Load(window));
    EXPECT_EQ(window.width, 800);
}

} // namespace
