// The writer: the settings layout byte for byte, and escaping.
#include "xml/XMLDocument.h"
#include "xml/XMLLoad.h"
#include "xml/XMLWriter.h"

#include <gtest/gtest.h>

using namespace vexo;

namespace {

std::string WriteDocument(const CXMLDocument& doc) {
    std::string out;
    CXMLWriter writer(out);
    writer.indent = "  ";
    writer.newline = "\r\n";
    doc.Write(writer);
    writer.Flush();
    return out;
}

// A small file in the settings file's layout: two-space indents, CR LF, values on lines of their own.
const char kSmallText[] = "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?>\r\n"
                          "<settings>\r\n  <window-size width=\"640\"/>\r\n  <fullscreen-settings>\r\n"
                          "    <adapter>\r\n      0\r\n    </adapter>\r\n  </fullscreen-settings>\r\n"
                          "  <windowed-settings/>\r\n</settings>\r\n";

} // namespace

TEST(XMLWriter, WritesTheSettingsLayoutByteForByteAndReadsItBack) {
    CXMLDocument written;
    written.AddXmlDeclaration();
    CXMLElement* settings = written.AddElement("settings");
    settings->SetValue("window-size/@width", "640");
    settings->SetValue("fullscreen-settings/adapter", "0");
    settings->AddElement("windowed-settings");
    EXPECT_EQ(WriteDocument(written), kSmallText);
    CXMLDocument read;
    ParseDocument(read, kSmallText, SettingsReaderOptions());
    EXPECT_EQ(read.Value("settings/fullscreen-settings/adapter"), "0");
    EXPECT_EQ(WriteDocument(read), kSmallText);
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

