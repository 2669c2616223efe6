// TObjVector: ownership, order and the operations the screen stack relies on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/ObjVector.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct CNamed {
    CNamed(std::vector<std::string>& deaths, std::string name) : deaths(deaths), name(std::move(name)) {}
    virtual ~CNamed() { deaths.push_back(name); }
    std::vector<std::string>& deaths;
    std::string name;
};

struct CDerived : CNamed {
    using CNamed::CNamed;
    ~CDerived() override { deaths.push_back("derived " + name); }
};

std::vector<std::string> Names(const TObjVector<CNamed>& v) {
    std::vector<std::string> out;
    for (const CNamed* item : v)
        out.push_back(item ? item->name : "null");
    return out;
}

class ObjVectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c", "d"}) {
            auto* item = new CNamed(deaths, name);
            items.push_back(item);
            v.push_back(item);
        }
    }
    std::vector<std::string> deaths;
    std::vector<CNamed*> items;
    TObjVector<CNamed> v;
};

TEST_F(ObjVectorTest, EraseDeletesOneElementAndKeepsTheOthersInOrder) {
    v.Erase(1);
    EXPECT_THAT(deaths, ElementsAre("b"));
    EXPECT_THAT(Names(v), ElementsAre("a", "c", "d"));
    v.Erase(2);
    EXPECT_THAT(Names(v), ElementsAre("a", "c"));
}

// The screen flow erases with Erase(IndexOf(screen)); a screen that is not on the stack must not
// take another element with it.
TEST_F(ObjVectorTest, AStrangerOrAnIndexOutOfRangeChangesNothing) {
    CNamed stranger(deaths, "x");
    EXPECT_EQ(v.IndexOf(&stranger), -1);
    EXPECT_EQ(v.IndexOf(items[3]), 3);
    v.Erase(v.IndexOf(&stranger));
    v.Erase(4);
    v.MoveToTop(v.IndexOf(nullptr));
    v.MoveToTop(17);
    EXPECT_THAT(deaths, IsEmpty());
    EXPECT_THAT(Names(v), ElementsAre("a", "b", "c", "d"));
}

TEST_F(ObjVectorTest, MoveToTopReordersWithoutDeleting) {
    v.MoveToTop(0);
    v.MoveToTop(v.IndexOf(items[2]));
    EXPECT_THAT(Names(v), ElementsAre("b", "d", "a", "c"));
    EXPECT_THAT(deaths, IsEmpty());
    EXPECT_EQ(v.back(), items[2]);
}

TEST(ObjVector, DestructorDeletesInIndexOrderThroughTheVirtualDestructorAndSkipsNulls) {
    std::vector<std::string> deaths;
    {
        TObjVector<CNamed> v;
        v.push_back(new CNamed(deaths, "a"));
        v.push_back(nullptr);
        v.push_back(new CDerived(deaths, "b"));
        v.push_back(new CNamed(deaths, "c"));
        v.Erase(1);
        EXPECT_THAT(deaths, IsEmpty());
    }
    EXPECT_THAT(deaths, ElementsAre("a", "derived b", "b", "c"));
}

TEST(ObjVector, AnElementBeingDeletedNoLongerSeesItselfInTheVector) {
    struct CWatcher {
        TObjVector<CWatcher>* owner;
        std::vector<int>* seen;
        ~CWatcher() { seen->push_back(owner->IndexOf(this)); }
    };
    std::vector<int> seen;
    auto v = std::make_unique<TObjVector<CWatcher>>();
    v->push_back(new CWatcher{v.get(), &seen});
    v->push_back(new CWatcher{v.get(), &seen});
    v->Erase(0);
    v.reset();
    EXPECT_THAT(seen, ElementsAre(-1, -1));
}

} // namespace
