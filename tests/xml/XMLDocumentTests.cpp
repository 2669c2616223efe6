// The document model: the tree the reader builds, the shared name table.
#include "xml/XMLDocument.h"
#include "xml/XMLError.h"
#include "xml/XMLLoad.h"

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
    EXPECT_EQ(doc.GetItem(1)->GetType(), XML_COMMENT);

    ASSERT_EQ(doc.GetItem(2)->GetType(), XML_ELEMENT);
    const auto* map = static_cast<CXMLElement*>(doc.GetItem(2));
    // Duplicate attributes are both kept; lookups find the first.
    ASSERT_EQ(map->attributes.GetCount(), 2u);
    EXPECT_EQ(map->attributes.GetItem(1)->value, "2");
    EXPECT_EQ(map->attributes.Find("a")->value, "1");

    const int types[] = {XML_CHARDATA, XML_CDATA, XML_ELEMENT, XML_PI, XML_COMMENT};
    ASSERT_EQ(map->GetCount(), std::size(types));
    for (std::size_t i = 0; i < std::size(types); ++i) EXPECT_EQ(map->GetItem(i)->GetType(), types[i]);
    EXPECT_EQ(static_cast<CXMLTextItem*>(map->GetItem(1))->text, "<c>");
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
