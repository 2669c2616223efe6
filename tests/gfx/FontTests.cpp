// Fonts: Fonts.xml, font creation and its failure, selection, and what reaches the device when
// text is drawn.
#include "gfx/RecordingDevice.h"

#include "gfx/GfxFont.h"
#include "support/TestFiles.h"
#include "support/Text1250.h"

#include <gtest/gtest.h>

using namespace vexo::literals;
using tundrel_test::ErrorOf;
using tundrel_test::MessageOf;

namespace {

std::string Font(const std::string& id, const std::string& name, const std::string& size, const char* bold) {
    std::string xml = "<font><id>" + id + "</id><name>" + name + "</name><size>" + size + "</size>";
    if (bold) xml += std::string("<bold>") + bold + "</bold>";
    return xml + "</font>";
}

class FontTest : public ::testing::Test {
protected:
    void SetUp() override { font.Create(&device); }
    void Load(const std::string& fonts) {
        font.LoadText(true, "Fonts.xml", 0, "<?xml version=\"1.0\"?><fonts><!-- x -->" + fonts + "</fonts>");
    }
    CRecordingDevice device;
    CGfxFont font;
};

TEST_F(FontTest, WantsOnlyItsDescriptionInTheFirstPass) {
    EXPECT_EQ(font.WantsFile(true, "Fonts.xml", 1), kFileAsText);
    EXPECT_EQ(font.WantsFile(false, "Fonts.xml", 1), kFileNotWanted);
    EXPECT_EQ(font.WantsFile(true, "Sprites.xml", 1), kFileNotWanted);
}

TEST_F(FontTest, CreatesEveryFontWithItsHeightWeightAndTypeface) {
    Load(Font("0", "DejaVu Sans", "12", nullptr) + Font("1", "Arial", "20", "True") +
         Font("2", "x", "8", "1") + Font("3", "y", "9", "yes") + Font("4", "z", "10", "FALSE") + "<other/>" +
         "<font/>");
    ASSERT_EQ(font.Fonts().size(), 6u);
    const int weights[6] = {400, 700, 700, 700, 400, 400};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(device.fonts.at(font.Fonts()[i].font).weight, weights[i]) << i;
    EXPECT_EQ(device.fonts.at(font.Fonts()[1].font).height, 20);
    EXPECT_EQ(device.fonts.at(font.Fonts()[1].font).typeface, "Arial");
    EXPECT_EQ(font.Fonts()[5].id, 0);
    EXPECT_EQ(device.fonts.at(font.Fonts()[5].font).height, 0);
}

TEST_F(FontTest, FailedCreationRaisesAndKeepsTheFontsBeforeIt) {
    Load(Font("0", "a", "12", nullptr));
    device.fontResult = kRenderOutOfMemory;
    const auto error = ErrorOf<vexo::CDirectXError>([&] { Load(Font("1", "b", "12", nullptr)); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Nie można utworzyć czcionki na etapie 2/2."_pl);
    EXPECT_EQ(error->code, std::uint32_t(kRenderOutOfMemory));
    EXPECT_EQ(font.Fonts().size(), 1u);
}

TEST_F(FontTest, SizesAndCountsThatWouldExhaustMemoryAreRefusedBeforeAnyFontIsMade) {
    Load(Font("0", "a", "512", nullptr) + Font("1", "a", "-512", nullptr));
    EXPECT_EQ(font.Fonts().size(), 2u);
    for (const char* size : {"513", "-513", "-2147483648", "100000"}) {
        EXPECT_EQ(MessageOf([&] { Load(Font("7", "a", size, nullptr)); }),
                  std::string("Czcionka o identyfikatorze 7 ma niepoprawny rozmiar ("_pl) + size +
                      ") w pliku \"Fonts.xml\".");
    }
    std::string many;
    for (std::size_t i = 0; i <= kMaxFonts; ++i)
        many += Font("1", "a", "12", nullptr);
    EXPECT_EQ(MessageOf([&] { Load(many); }),
              "Plik \"Fonts.xml\" opisuje za dużo czcionek (65, najwyżej 64)."_pl);
    EXPECT_EQ(font.Fonts().size(), 2u);
}

TEST_F(FontTest, MissingRootIsReported) {
    EXPECT_EQ(MessageOf([&] { font.LoadText(true, "Fonts.xml", 0, "<sprites/>"); }),
              "Nie znaleziono elementu głównego \"fonts\" w pliku \"Fonts.xml\"."_pl);
}

TEST_F(FontTest, SelectTakesTheFirstFontWithTheIdAndNamesAMissingOne) {
    Load(Font("3", "first", "10", nullptr) + Font("3", "second", "10", nullptr));
    font.Select(3);
    font.DrawText(0, 0, "a", 0xFFFFFFFF);
    EXPECT_EQ(device.texts.at(0).font, font.Fonts()[0].font);
    EXPECT_EQ(MessageOf([&] { font.Select(5); }), "Czcionka o identyfikatorze 5 nie istnieje."_pl);
}

TEST_F(FontTest, DrawTextIsOneUnclippedLineAtTheTruncatedPoint) {
    Load(Font("0", "a", "12", nullptr));
    font.Select(0);
    font.DrawText(10.9f, 20.2f, "FPS: 60", 0xFF00FF00);
    const auto& text = device.texts.at(0);
    EXPECT_EQ(text.text, "FPS: 60");
    EXPECT_EQ(text.rect.left, 10);
    EXPECT_EQ(text.rect.top, 20);
    EXPECT_EQ(text.rect.right, 10);
    EXPECT_EQ(text.rect.bottom, 20);
    EXPECT_EQ(text.format, kTextSingleLine | kTextNoClip);
    EXPECT_EQ(text.color, 0xFF00FF00u);

    const std::string polish(" ząb"_pl);
    EXPECT_EQ(
        font.DrawTextInRect(1.5f, 2.5f, 300.9f, 40.1f, polish, kTextCenter | kTextWordBreak, 0x80FFFFFF), 16);
    const auto& boxed = device.texts.at(1);
    EXPECT_EQ(boxed.text, polish);
    EXPECT_EQ(boxed.rect.left, 1);
    EXPECT_EQ(boxed.rect.right, 300);
    EXPECT_EQ(boxed.rect.bottom, 40);
    EXPECT_EQ(boxed.format, kTextCenter | kTextWordBreak);
}

TEST_F(FontTest, EmptyStringDrawsNothingAndAFailedDrawNamesTheText) {
    Load(Font("0", "a", "12", nullptr));
    font.Select(0);
    EXPECT_EQ(font.DrawTextInRect(0, 0, 10, 10, "", 0, 0), 0);
    font.DrawText(0, 0, "", 0);
    EXPECT_TRUE(device.texts.empty());

    device.textHeight = 0;
    EXPECT_EQ(MessageOf([&] { font.DrawText(0, 0, "Gra", 0); }), "Nie można wyświetlić tekstu \"Gra\"."_pl);
}

TEST_F(FontTest, DrawingBeforeAnySelectRaisesInsteadOfCrashing) {
    Load(Font("0", "a", "12", nullptr));
    EXPECT_THROW(font.DrawText(0, 0, "x", 0), vexo::CError);
}

TEST_F(FontTest, LifecycleReachesEveryFont) {
    Load(Font("0", "a", "12", nullptr) + Font("1", "b", "12", nullptr));
    font.Select(1);
    font.Invalidate();
    font.Restore();
    EXPECT_EQ(device.Count("FontOnLostDevice"), 2u);
    EXPECT_EQ(device.Count("FontOnResetDevice"), 2u);
    font.Destroy();
    EXPECT_TRUE(device.fonts.empty());
    EXPECT_TRUE(font.Fonts().empty());
    EXPECT_THROW(font.Select(1), vexo::CError);
}

} // namespace
