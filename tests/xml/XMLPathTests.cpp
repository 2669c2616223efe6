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

TEST(XMLPathSet, SetValueCreatesMissingElementsAndReplacesValuesInPlace) {
    CXMLDocument doc;
    doc.SetValue("settings/fullscreen", "1");
    CXMLElement* fullscreen = doc.FindElement("settings/fullscreen");
    ASSERT_EQ(fullscreen->GetCount(), 1u);

    doc.SetValue("settings/fullscreen", "0");
    EXPECT_EQ(doc.FindElement("settings/fullscreen"), fullscreen);
    ASSERT_EQ(fullscreen->GetCount(), 1u);
    EXPECT_EQ(doc.Value("settings/fullscreen"), "0");

    doc.SetValue("settings/window-size/@width", "800");
    doc.SetValue("settings/window-size/@height", "600");
    const CXMLElement* size = doc.FindElement("settings/window-size");
    ASSERT_EQ(size->attributes.GetCount(), 2u);
    EXPECT_EQ(size->attributes.GetItem(0)->value, "800");
    EXPECT_EQ(doc.FindElement("settings")->GetCount(), 2u) << "new elements are appended after the others";

    // An empty path on an element replaces all its children, elements included.
    CXMLElement* settings = doc.FindElement("settings");
    settings->SetValue("", "text");
    ASSERT_EQ(settings->GetCount(), 1u);
    EXPECT_EQ(doc.Value("settings"), "text");
}
