// Path queries on documents and elements: first match only, "@" below elements, defaults.
#include "xml/XMLDocument.h"
#include "xml/XMLLoad.h"

#include <gtest/gtest.h>

using namespace vexo;

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
