// The document model: the tree the reader builds, the shared name table, path queries (first match
// only, "@" below elements, defaults) and the writer's escaping.
#include "xml/XMLDocument.h"
#include "xml/XMLError.h"
#include "xml/XMLLoad.h"
#include "xml/XMLWriter.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vexo;

TEST(XMLDocument, ReadBuildsTheTreeInDocumentOrder) {
    CXMLDocument doc;
    ParseDocument(doc,
                  "<?xml version=\"1.0\"?><!DOCTYPE map><!--o--><map a='1' a = '&#x4A;&#x6b;&lt;'>"
                  "t<![CDATA[<c>]]><unit/><?p d?><!--k--></map>",
                  CXMLReaderOptions{});
    ASSERT_EQ(doc.GetCount(), 3u);
    ASSERT_EQ(doc.GetItem(0)->GetType(), XML_PI);
    EXPECT_EQ(doc.GetItem(1)->GetType(), XML_COMMENT);

    ASSERT_EQ(doc.GetItem(2)->GetType(), XML_ELEMENT);
    const auto* map = static_cast<CXMLElement*>(doc.GetItem(2));
    // Duplicate attributes are both kept; lookups find the first.
    ASSERT_EQ(map->attributes.GetCount(), 2u);
    EXPECT_EQ(map->attributes.GetItem(1)->value, "Jk<");
    EXPECT_EQ(map->attributes.Find("a")->value, "1");

    const int types[] = {XML_CHARDATA, XML_CDATA, XML_ELEMENT, XML_PI, XML_COMMENT};
    ASSERT_EQ(map->GetCount(), std::size(types));
    for (std::size_t i = 0; i < std::size(types); ++i) EXPECT_EQ(map->GetItem(i)->GetType(), types[i]);
    EXPECT_EQ(static_cast<CXMLTextItem*>(map->GetItem(1))->text, "<c>");
}

TEST(XMLDocument, ANameOutlivesTheDocumentThatReadItFirst) {
    auto first = std::make_unique<CXMLDocument>();
    CXMLDocument second;
    ParseDocument(*first, "<xmlt-unit xmlt-x='1'/>", CXMLReaderOptions{});
    ParseDocument(second, "<xmlt-unit xmlt-x='2'><xmlt-unit/></xmlt-unit>", CXMLReaderOptions{});

    first.reset();
    EXPECT_EQ(second.FindElement("xmlt-unit/xmlt-unit")->GetName(), "xmlt-unit");
    EXPECT_EQ(second.Value("xmlt-unit/@xmlt-x"), "2");

    // "aA" and "aQ" share a slot of the table's cache of recent names; each keeps its own.
    CXMLDocument shared;
    ParseDocument(shared, "<aA aQ='3'/>", CXMLReaderOptions{});
    EXPECT_EQ(shared.Value("aA/@aQ"), "3");
}

namespace {

class XMLPath : public ::testing::Test {
protected:
    void SetUp() override {
        ParseDocument(doc,
                      "<map><rect left='1' top=''/><objects>"
                      "<unit type='boy'/><unit type='girl'/></objects>"
                      "<text>a<!--c--><![CDATA[b]]><x>no</x>c</text><empty></empty>"
                      "<unit a/b='slash'/></map>",
                      SettingsReaderOptions());
        map = doc.FindElement("map");
        ASSERT_NE(map, nullptr);
    }
    CXMLDocument doc;
    CXMLElement* map = nullptr;
};

} // namespace

TEST_F(XMLPath, GetValueFollowsTheFirstMatchAndFallsBackToTheDefault) {
    EXPECT_EQ(doc.Value("map/objects/unit/@type", "?"), "boy");
    EXPECT_EQ(doc.Value("map/rect/@top", "?"), "") << "a present empty attribute is not the default";
    EXPECT_EQ(doc.Value("map/rect/@width", "?"), "?");
    EXPECT_EQ(doc.Value("map/empty", "?"), "") << "a present empty element is not the default";
    EXPECT_EQ(doc.Value("MAP/rect/@left", "?"), "?") << "names are case-sensitive";
    EXPECT_EQ(doc.Value("@map", "?"), "?") << "at document level @ is an element step";
    // Character data and CDATA joined; comments and child elements left out.
    EXPECT_EQ(doc.Value("map/text", "?"), "abc");
    // Everything after "@" is the attribute name, slashes included.
    EXPECT_EQ(map->Value("unit/@a/b", "?"), "slash");
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
    out.clear();
    writer.StartElement("b");
    writer.Flush(); // closes what is open, an empty element as a short tag
    EXPECT_EQ(out, "<b/>");
}

