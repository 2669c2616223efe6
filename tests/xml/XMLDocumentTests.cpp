// The document model: the tree the reader builds, the shared name table, the reader presets.
#include "xml/XMLDocument.h"
#include "xml/XMLError.h"
#include "xml/XMLLoad.h"
#include "xml/XMLWriter.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vexo;

TEST(XMLDocument, ReadBuildsTheTreeInDocumentOrder) {
    CXMLDocument doc;
    ParseDocument(
        doc, "<?xml version=\"1.0\"?><!--o--><map a='1' a='2'>t<![CDATA[<c>]]><unit/><?p d?><!--k--></map>",
        XMLReaderOptions{});
    ASSERT_EQ(doc.GetCount(), 3u);
    ASSERT_EQ(doc.GetItem(0)->GetType(), XML_PI);
    EXPECT_EQ(static_cast<CXMLPI*>(doc.GetItem(0))->GetName(), "xml");
    EXPECT_EQ(static_cast<CXMLPI*>(doc.GetItem(0))->text, "version=\"1.0\"");
    EXPECT_EQ(doc.GetItem(1)->GetType(), XML_COMMENT);

    ASSERT_EQ(doc.GetItem(2)->GetType(), XML_ELEMENT);
    const auto* map = static_cast<CXMLElement*>(doc.GetItem(2));
    EXPECT_EQ(map->GetName(), "map");
    // Duplicate attributes are both kept; lookups find the first.
    ASSERT_EQ(map->attributes.GetCount(), 2u);
    EXPECT_EQ(map->attributes.GetItem(1)->value, "2");
    EXPECT_EQ(map->attributes.Find("a")->value, "1");

    const int types[] = {XML_CHARDATA, XML_CDATA, XML_ELEMENT, XML_PI, XML_COMMENT};
    ASSERT_EQ(map->GetCount(), std::size(types));
    for (std::size_t i = 0; i < std::size(types); ++i)
        EXPECT_EQ(map->GetItem(i)->GetType(), types[i]);
    EXPECT_EQ(static_cast<CXMLTextItem*>(map->GetItem(1))->text, "<c>");
    EXPECT_EQ(static_cast<CXMLElement*>(map->GetItem(2))->GetCount(), 0u);
}

TEST(XMLDocument, AFailedReadKeepsWhatWasBuilt) {
    CXMLDocument doc;
    EXPECT_THROW(ParseDocument(doc, "<a><b/><c></a>", XMLReaderOptions{}), CXMLError);
    const CXMLElement* a = doc.FindElement("a");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->Exists("b"));
    EXPECT_TRUE(a->Exists("c"));
}

TEST(XMLDocument, ANameOutlivesTheDocumentThatReadItFirst) {
    auto first = std::make_unique<CXMLDocument>();
    CXMLDocument second;
    ParseDocument(*first, "<xmlt-unit xmlt-x='1'/>", XMLReaderOptions{});
    ParseDocument(second, "<xmlt-unit xmlt-x='2'><xmlt-unit/></xmlt-unit>", XMLReaderOptions{});

    first.reset();
    EXPECT_EQ(second.FindElement("xmlt-unit/xmlt-unit")->GetName(), "xmlt-unit");
    EXPECT_EQ(second.Value("xmlt-unit/@xmlt-x"), "2");
}

TEST(XMLDocument, TheEmptyNameIsAnOrdinaryEntry) {
    CXMLDocument doc;
    CXMLElement* a = doc.AddElement("");
    a->AddElement("");
    EXPECT_EQ(a->GetName(), "");
    CXMLName copy = a->name;
    copy = CXMLName("xmlt-other");
    EXPECT_EQ(copy.Get(), "xmlt-other");
    EXPECT_EQ(a->GetName(), "");
}

TEST(XMLDocument, WritingThroughEitherBaseOfAnElementGivesTheSameText) {
    CXMLDocument doc;
    CXMLElement* e = doc.AddElement("e");
    e->attributes.Add("k", "v");
    e->AddCharData("t");
    std::string asItem, asList;
    CXMLWriter itemWriter(asItem), listWriter(asList);
    static_cast<const CXMLItem*>(e)->Write(itemWriter);
    static_cast<const CXMLItemList*>(e)->Write(listWriter);
    EXPECT_EQ(asItem, "<e k=\"v\">t</e>");
    EXPECT_EQ(asList, asItem);
}

TEST(XMLDocument, PresetsReadEachKindOfFileAsItsClientNeeds) {
    const std::string text = "<?xml version='1.0'?>\r\n<!-- c -->\r\n<map n=' a  b '> a \r\n b </map>";
    struct Case {
        const char* what;
        XMLReaderOptions options;
        bool pi, comment;
        const char* value;
    };
    const Case cases[] = {
        {"settings", SettingsReaderOptions(), true, true, "a b"},
        {"mission", MissionReaderOptions(), false, false, "a b"},
        {"sprites and fonts", DataReaderOptions(), true, false, "a b"},
        {"mission list", MissionListReaderOptions(), true, true, "a \r\n b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CXMLDocument doc;
        ParseDocument(doc, text, c.options);
        ASSERT_EQ(doc.GetCount(), 1u + c.pi + c.comment) << "no character data between the top-level items";
        EXPECT_EQ(doc.GetItem(0)->GetType(), c.pi ? XML_PI : c.comment ? XML_COMMENT : XML_ELEMENT);
        EXPECT_EQ(doc.Value("map"), c.value);
        EXPECT_EQ(doc.Value("map/@n"), std::string(c.value) == "a b" ? "a b" : "a  b");
    }
}
