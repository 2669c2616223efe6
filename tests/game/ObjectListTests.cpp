// The object list: the update walk with removals, serial-checked references, point and overlap
// queries.
#include "GameTestWorld.h"

namespace {

// Dies on its n-th update and counts how often it was updated.
class CountingObject : public CObject {
public:
    CountingObject(int dieOn, std::vector<int>& log, int id) : dieOn(dieOn), log(log), id(id) {}
    float GetSize() const override { return 0.5f; }
    void Update(float, float) override {
        log.push_back(id);
        if (++updates == dieOn) dead = true;
    }
    int dieOn;
    int updates = 0;
    std::vector<int>& log;
    int id;
};

class ObjectListTest : public GameWorldTest {};

TEST_F(ObjectListTest, RemovalDuringTheWalkStillUpdatesTheFollowers) {
    std::vector<int> log;
    Objects().Add(std::make_unique<CountingObject>(0, log, 1));
    CObject* middle = Objects().Add(std::make_unique<CountingObject>(1, log, 2));
    Objects().Add(std::make_unique<CountingObject>(1, log, 3));
    Objects().UpdateAll(0.0f, 0.01f);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Objects().Size(), 1u);
    EXPECT_FALSE(Objects().Contains(middle));
    Objects().UpdateAll(0.0f, 0.01f);
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 1}));
}

TEST_F(ObjectListTest, ReferencesDoNotMistakeANewObjectAtAReusedAddress) {
    CUnit* first = AddUnit(kBoy, 0, 5.0f, 5.0f);
    const TObjectRef<CUnit> ref(first);
    Game().Select(first);
    EXPECT_EQ(ref.Get(), first);
    first->dead = true;
    first->x = -50.0f; // keep the stale copy's position meaningless
    Objects().UpdateAll(0.0f, 0.0f);
    EXPECT_EQ(ref.Get(), nullptr);
    // Allocate until the allocator hands back the same address, or give up after many tries.
    std::vector<CUnit*> made;
    for (int i = 0; i < 64; ++i) {
        CUnit* unit = AddUnit(kBoy, 0, 5.0f, 5.0f);
        made.push_back(unit);
        if (static_cast<void*>(unit) == static_cast<void*>(first)) break;
    }
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_EQ(Game().Selected(), nullptr);
    EXPECT_TRUE(Objects().Contains(made.back(), made.back()->Serial()));
}

TEST_F(ObjectListTest, PointAndOverlapQueries) {
    CUnit* a = AddUnit(kChild, 0, 5.0f, 5.0f); // square 4.6 .. 5.4
    CUnit* b = AddUnit(kBoy, 1, 5.2f, 5.0f);
    EXPECT_EQ(Objects().UnitAt(5.1f, 5.0f), a); // first in list order
    EXPECT_EQ(Objects().UnitAt(4.6f, 5.4f), a); // edges included
    EXPECT_EQ(Objects().UnitAt(5.6f, 5.0f), b);
    EXPECT_EQ(Objects().UnitAt(7.0f, 5.0f), nullptr);

    // Squares of half a tile, at positions exact in binary: touching edges do not overlap.
    std::vector<int> log;
    b->x = 10.0f;
    a->x = 5.0f;
    a->y = 1.0f;
    CObject* left = Objects().Add(std::make_unique<CountingObject>(0, log, 1));
    CObject* right = Objects().Add(std::make_unique<CountingObject>(0, log, 2));
    CObject* probe = Objects().Add(std::make_unique<CountingObject>(0, log, 3));
    left->x = 5.0f;
    right->x = 5.75f;
    probe->x = 5.5f;
    left->y = right->y = probe->y = 5.0f;
    EXPECT_EQ(Objects().FirstOverlapping(*probe), right);
    right->x = 6.0f;
    EXPECT_EQ(Objects().FirstOverlapping(*probe), nullptr);
    probe->y = 5.4f;
    right->x = 5.6f;
    EXPECT_EQ(Objects().FirstOverlapping(*probe), right);
}

} // namespace
