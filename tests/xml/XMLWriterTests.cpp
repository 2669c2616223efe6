// The writer: the settings file byte for byte, escaping, layout fields and misuse.
#include "support/TestFiles.h"
#include "xml/XMLDocument.h"
#include "xml/XMLError.h"
#include "xml/XMLLoad.h"
#include "xml/XMLWriter.h"

#include <gtest/gtest.h>

using namespace vexo;
using tundrel_test::ErrorOf;

namespace {

std::string WriteDocument(const CXMLDocument& doc, const std::string& indent, const std::string& newline) {
    std::string out;
    CXMLWriter writer(out);
    writer.indent = indent;
    writer.newline = newline;
    doc.Write(writer);
    writer.Flush();
    return out;
}

void BuildSettings(CXMLDocument& doc) {
    doc.AddXmlDeclaration();
    CXMLElement* settings = doc.AddElement("settings");
    settings->SetValue("window-size/@width", "640");
    settings->SetValue("window-size/@height", "480");
    settings->SetValue("fullscreen", "0");
    settings->SetValue("maximized", "1");
    settings->SetValue("fullscreen-settings/adapter", "0");
    settings->SetValue("fullscreen-settings/display-mode", "12");
    settings->AddElement("windowed-settings");
}

const char kSettingsText[] = "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?>\r\n"
                             "<settings>\r\n"
                             "  <window-size width=\"640\" height=\"480\"/>\r\n"
                             "  <fullscreen>\r\n"
                             "    0\r\n"
                             "  </fullscreen>\r\n"
                             "  <maximized>\r\n"
                             "    1\r\n"
                             "  </maximized>\r\n"
                             "  <fullscreen-settings>\r\n"
                             "    <adapter>\r\n"
                             "      0\r\n"
                             "    </adapter>\r\n"
                             "    <display-mode>\r\n"
                             "      12\r\n"
                             "    </display-mode>\r\n"
                             "  </fullscreen-settings>\r\n"
                             "  <windowed-settings/>\r\n"
                             "</settings>\r\n";

} // namespace

TEST(XMLWriter, WritesTheSettingsFileByteForByte) {
    CXMLDocument doc;
    BuildSettings(doc);
    EXPECT_EQ(WriteDocument(doc, "  ", "\r\n"), kSettingsText);
}

TEST(XMLWriter, SettingsTextReadsBackToTheSameValues) {
    CXMLDocument written;
    BuildSettings(written);
    CXMLDocument read;
    ParseDocument(read, WriteDocument(written, "  ", "\r\n"), SettingsReaderOptions());
    EXPECT_EQ(read.Value("settings/window-size/@height"), "480");
    EXPECT_EQ(read.Value("settings/fullscreen-settings/display-mode"), "12");
    EXPECT_EQ(WriteDocument(read, "  ", "\r\n"), kSettingsText);
}

TEST(XMLWriter, DefaultsGiveOneLine) {
    CXMLDocument doc;
    BuildSettings(doc);
    EXPECT_EQ(WriteDocument(doc, "", ""),
              "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?><settings>"
              "<window-size width=\"640\" height=\"480\"/><fullscreen>0</fullscreen><maximized>1</maximized>"
              "<fullscreen-settings><adapter>0</adapter><display-mode>12</display-mode></fullscreen-settings>"
              "<windowed-settings/></settings>");
    // Line ends without indentation.
    CXMLDocument small;
    small.SetValue("a/b", "x");
    EXPECT_EQ(WriteDocument(small, "", "\n"), "<a>\n<b>\nx\n</b>\n</a>\n");
}

TEST(XMLWriter, EscapesValuesAndText) {
    std::string out;
    CXMLWriter writer(out);
    writer.StartElement("a");
    writer.WriteAttribute("d", "'\"&<>", true);
    writer.WriteAttribute("s", "'\"&<>", false);
    writer.WriteText("x]]>&<>");
    writer.WriteCDATA("]]>&");
    writer.WriteComment("--&");
    writer.EndElement(true);
    EXPECT_EQ(
        out,
        "<a d=\"'&quot;&amp;&lt;>\" s='&apos;\"&amp;&lt;>'>x]]&gt;&amp;&lt;><![CDATA[]]>&]]><!----&--></a>");
}

TEST(XMLWriter, LayoutFieldsGoWhereTheyBelong) {
    std::string out;
    CXMLWriter writer(out);
    writer.piSeparator = "  ";
    writer.attributeSeparator = "\t";
    writer.beforeEquals = "_";
    writer.afterEquals = "-";
    writer.beforeTagEnd = " ";
    writer.WritePI("p", "d");
    writer.StartElement("a");
    writer.WriteAttribute("k", "v", true);
    writer.StartElement("b");
    writer.EndElement(true);
    writer.StartElement("c");
    writer.EndElement(false);
    writer.EndElement(true);
    EXPECT_EQ(out, "<?p  d?><a\tk_=-\"v\" ><b /><c ></c ></a >");
}

TEST(XMLWriter, ContinuationIndentAndNewlineStyleShapeMultiLineValues) {
    const auto write = [](int continuation, int style) {
        std::string out;
        CXMLWriter writer(out);
        writer.indent = "  ";
        writer.newline = "\n";
        writer.newlineStyle = style;
        writer.continuationIndent = continuation;
        writer.StartElement("a");
        writer.WriteText("x\ny");
        writer.Flush();
        return out;
    };
    EXPECT_EQ(write(0, 0), "<a>\n  x\ny\n</a>\n");
    EXPECT_EQ(write(1, 0), "<a>\n  x\n  y\n</a>\n");
    EXPECT_EQ(write(2, 0), "<a>\n  x\n    y\n</a>\n");
    // The value's line ends become CR LF first; the LF in each still takes the continuation.
    EXPECT_EQ(write(1, 1), "<a>\n  x\r\n  y\n</a>\n");
}

TEST(XMLWriter, FlushClosesEverythingInReverseOrder) {
    std::string out = "<!-- kept -->";
    CXMLWriter writer(out);
    writer.StartElement("a");
    writer.StartElement("b");
    writer.WriteText("t");
    writer.StartElement("c");
    writer.Flush();
    EXPECT_EQ(out, "<!-- kept --><a><b>t<c/></b></a>");
    EXPECT_TRUE(writer.openElements.empty());
}

TEST(XMLWriter, MisuseRaisesWithThePositionAtTheEndOfTheOutput) {
    std::string out;
    CXMLWriter writer(out);
    writer.newline = "\r\n";
    writer.StartElement("a");
    writer.WriteText("t");
    const auto late = ErrorOf<CXMLError>([&] { writer.WriteAttribute("late", "1", true); });
    ASSERT_TRUE(late) << "an attribute after content must raise";
    EXPECT_EQ(late->kind, XML_ERROR_ATTRIBUTE_OUTSIDE_TAG);
    EXPECT_EQ(late->position, out.size());
    EXPECT_EQ(late->textLine, 3u);
    EXPECT_EQ(late->textColumn, 1u);
    writer.EndElement(true);
    const auto unopened = ErrorOf<CXMLError>([&] { writer.EndElement(true); });
    ASSERT_TRUE(unopened) << "closing with nothing open must raise";
    EXPECT_EQ(unopened->kind, XML_ERROR_NO_OPEN_ELEMENT);
    EXPECT_EQ(unopened->position, out.size());
}
