// TObjVector, the screen stack's owner: a stranger's index never takes another element with it,
// and an element being deleted no longer finds itself in the vector.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/ObjVector.h"

namespace {

struct CWatcher {
    TObjVector<CWatcher>* owner;
    std::vector<int>* seen;
    ~CWatcher() {
        if (owner) seen->push_back(owner->IndexOf(this));
    }
};

TEST(ObjVector, StrangersAndIndicesOutOfRangeChangeNothingAndTheDyingAreGone) {
    std::vector<int> seen;
    auto v = std::make_unique<TObjVector<CWatcher>>();
    for (int i = 0; i < 3; ++i) v->push_back(new CWatcher{v.get(), &seen});
    CWatcher* last = v->back();
    CWatcher stranger{nullptr, &seen};
    for (int i : {v->IndexOf(&stranger), 3}) v->Erase(i);
    for (int i : {v->IndexOf(nullptr), 17}) v->MoveToTop(i);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(v->IndexOf(last), 2);
    v->MoveToTop(0);
    EXPECT_EQ(v->IndexOf(last), 1);
    v->Erase(0);
    v.reset();
    EXPECT_THAT(seen, ::testing::ElementsAre(-1, -1, -1));
}

} // namespace
