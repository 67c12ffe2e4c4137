#include "containers/list.h"

#include <gtest/gtest.h>

#include <memory>
#include <ranges>
#include <vector>

namespace {

struct TThing {
    int id;
};

using ThingRef = std::shared_ptr<TThing>;

// The game walks lists with range-for and may hand them to range algorithms.
static_assert(std::ranges::input_range<TList<TThing>>);

std::vector<ThingRef> MakeThings(int count) {
    std::vector<ThingRef> things;
    for (int i = 0; i < count; ++i) {
        things.push_back(std::make_shared<TThing>(TThing{i}));
    }
    return things;
}

void AddAll(TList<TThing>& list, const std::vector<ThingRef>& things) {
    for (const ThingRef& thing : things) {
        list.AddLast(thing);
    }
}

// The ids a full walk yields, -1 for each null.
std::vector<int> WalkIds(const TList<TThing>& list) {
    std::vector<int> ids;
    for (TListEnum<TThing> walk = list.ObjectEnumerator(); walk.HasNext();) {
        ThingRef thing = walk.NextObject();
        ids.push_back(thing ? thing->id : -1);
    }
    return ids;
}

TEST(ListTest, NewListIsEmpty) {
    std::shared_ptr<TList<TThing>> list = MakeEmptyList<TThing>();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_TRUE(list->IsEmpty());
    EXPECT_EQ(list->First(), nullptr);
    EXPECT_EQ(list->Last(), nullptr);
    EXPECT_EQ(list->FirstLink(), nullptr);
    EXPECT_EQ(list->RemoveFirst(), nullptr);
    TListEnum<TThing> walk = list->ObjectEnumerator();
    EXPECT_FALSE(walk.HasNext());
    EXPECT_EQ(walk.NextObject(), nullptr);
    EXPECT_FALSE(walk.HasNext());
    EXPECT_TRUE(list->begin() == list->end());
}

TEST(ListTest, AddLastKeepsOrderAndAddFirstGoesInFront) {
    std::vector<ThingRef> things = MakeThings(4);
    TList<TThing> list;
    list.AddLast(things[1]);
    list.AddLast(things[2]);
    list.AddLast(things[3]);
    list.AddFirst(things[0]);
    EXPECT_EQ(WalkIds(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.ToArray(), things);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.First(), things[0]);
    EXPECT_EQ(list.Last(), things[3]);
    EXPECT_EQ(list.ValueAtIndex(2), things[2]);
    EXPECT_EQ(list.ValueAtIndex(4), nullptr);
    EXPECT_EQ(list.ValueAtIndex(-1), nullptr);

    list.Reverse();
    EXPECT_EQ(WalkIds(list), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(list.LastLink()->PrevLink()->Value(), things[1]);
    EXPECT_EQ(list.RemoveFirst(), things[3]);
    EXPECT_EQ(list.RemoveLast(), things[0]);
    EXPECT_EQ(WalkIds(list), (std::vector<int>{2, 1}));
}

TEST(ListTest, InsertNextToLinksAndRemoveLinks) {
    std::vector<ThingRef> things = MakeThings(4);
    TList<TThing> list;
    auto first = list.AddLast(things[0]);
    auto last = list.AddLast(things[3]);
    auto second = list.InsertAfterLink(things[1], first);
    list.InsertBeforeLink(things[2], last);
    EXPECT_EQ(WalkIds(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(first->PrevLink(), nullptr);
    EXPECT_EQ(last->NextLink(), nullptr);
    EXPECT_EQ(first->NextLink(), second);
    EXPECT_EQ(second->PrevLink(), first);

    // A removed link keeps leading to its former successor, but nothing can be
    // spliced in next to it.
    second->Remove();
    EXPECT_EQ(second->Value(), nullptr);
    EXPECT_EQ(second->NextLink()->Value(), things[2]);
    EXPECT_EQ(list.InsertBeforeLink(things[1], second), nullptr);
    EXPECT_EQ(list.InsertAfterLink(things[1], second), nullptr);
    EXPECT_EQ(list.InsertAfterLink(things[1], nullptr), nullptr);
    EXPECT_EQ(WalkIds(list), (std::vector<int>{0, 2, 3}));

    // Removing it again must not cut out what has been inserted in its place.
    list.InsertAfterLink(things[1], first);
    second->Remove();
    EXPECT_EQ(WalkIds(list), (std::vector<int>{0, 1, 2, 3}));
}

TEST(ListTest, FindsAndRemovesByIdentity) {
    ThingRef a = std::make_shared<TThing>(TThing{1});
    ThingRef twin = std::make_shared<TThing>(TThing{1});
    ThingRef b = std::make_shared<TThing>(TThing{2});
    TList<TThing> list;
    auto firstA = list.AddLast(a);
    list.AddLast(b);
    list.AddLast(a);

    EXPECT_EQ(list.FindLink(a), firstA);
    EXPECT_TRUE(list.Contains(b));
    EXPECT_FALSE(list.Contains(twin));
    EXPECT_FALSE(list.Remove(twin));
    EXPECT_EQ(list.Count(), 3);

    EXPECT_TRUE(list.Remove(a));
    EXPECT_EQ(list.ToArray(), (std::vector<ThingRef>{b, a}));
    EXPECT_TRUE(list.Remove(a));
    EXPECT_FALSE(list.Remove(a));
    EXPECT_EQ(list.ToArray(), (std::vector<ThingRef>{b}));

    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.First(), nullptr);
}

// Moving elements to another list mid-walk, as particles move to a free list.
TEST(ListTest, WalkSurvivesRemovingTheCurrentElement) {
    std::vector<ThingRef> things = MakeThings(5);
    TList<TThing> list;
    TList<TThing> other;
    AddAll(list, things);
    std::vector<int> seen;
    for (const ThingRef& thing : list) {
        seen.push_back(thing->id);
        if (thing->id != 3) {
            list.Remove(thing);
            other.AddLast(thing);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(WalkIds(list), (std::vector<int>{3}));
    EXPECT_EQ(WalkIds(other), (std::vector<int>{0, 1, 2, 4}));
}

TEST(ListTest, ElementRemovedAheadOfTheWalkYieldsNullOnce) {
    std::vector<ThingRef> things = MakeThings(5);
    TList<TThing> list;
    AddAll(list, things);
    // Element 1 removes 2 and 3 while the walk already stands on 2: 2 still
    // leads to 3, which was linked when 2 left, and each yields one null.
    std::vector<int> seen;
    for (TListEnum<TThing> walk = list.ObjectEnumerator(); walk.HasNext();) {
        ThingRef thing = walk.NextObject();
        seen.push_back(thing ? thing->id : -1);
        if (thing == things[1]) {
            list.Remove(things[2]);
            list.Remove(things[3]);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, -1, -1, 4}));

    // The same through range-for.
    list.Clear();
    AddAll(list, things);
    seen.clear();
    for (const ThingRef& thing : list) {
        seen.push_back(thing ? thing->id : -1);
        if (thing == things[3]) {
            list.Remove(things[4]);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, -1}));
}

TEST(ListTest, WalkReachesValuesAddedBeforeItsEnd) {
    std::vector<ThingRef> things = MakeThings(4);
    TList<TThing> list;
    list.AddLast(things[0]);
    list.AddLast(things[1]);
    std::vector<int> seen;
    for (TListEnum<TThing> walk = list.ObjectEnumerator(); walk.HasNext();) {
        ThingRef thing = walk.NextObject();
        seen.push_back(thing->id);
        if (thing == things[0]) {
            list.AddLast(things[2]);
        }
        if (thing == things[2]) {
            // The walk has returned the last element: too late for this one.
            list.AddLast(things[3]);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.Count(), 4);
}

TEST(ListTest, ListReleasesValuesAndLinks) {
    std::vector<std::weak_ptr<TThing>> values;
    std::vector<std::weak_ptr<TLink<TThing>>> links;
    std::shared_ptr<TLink<TThing>> heldLink;
    {
        std::shared_ptr<TList<TThing>> list = MakeEmptyList<TThing>();
        for (ThingRef& thing : MakeThings(4)) {
            values.push_back(thing);
            links.push_back(list->AddLast(thing));
        }
        list->Remove(values[1].lock());
        heldLink = list->FirstLink();
    }
    // A link held past the list's end keeps no value alive, only the chain of
    // its former successors.
    for (const auto& value : values) {
        EXPECT_TRUE(value.expired());
    }
    EXPECT_FALSE(links[3].expired());
    heldLink.reset();
    for (const auto& link : links) {
        EXPECT_TRUE(link.expired());
    }
}

TEST(ListTest, WalkOverRemovedLinksReleasesThemWhenDone) {
    std::vector<std::weak_ptr<TLink<TThing>>> links;
    auto list = MakeEmptyList<TThing>();
    std::vector<ThingRef> things = MakeThings(3);
    AddAll(*list, things);
    for (auto link = list->FirstLink(); link; link = link->NextLink()) {
        links.push_back(link);
    }
    {
        TListEnum<TThing> walk = list->ObjectEnumerator();
        list->Clear();
        EXPECT_FALSE(links[0].expired());
        EXPECT_TRUE(walk.HasNext());
        EXPECT_EQ(walk.NextObject(), nullptr);
        list.reset();
        // The walk outlives its list and still ends.
        int steps = 0;
        while (walk.HasNext()) {
            EXPECT_EQ(walk.NextObject(), nullptr);
            ++steps;
        }
        EXPECT_EQ(steps, 2);
    }
    for (const auto& link : links) {
        EXPECT_TRUE(link.expired());
    }
    EXPECT_EQ(things[0].use_count(), 1);
}

TEST(ListTest, LongChainOfRemovedLinksIsFreedWithoutDeepRecursion) {
    constexpr int count = 300000;
    auto thing = std::make_shared<TThing>(TThing{0});
    std::weak_ptr<TLink<TThing>> lastLink;
    {
        TList<TThing> list;
        for (int i = 0; i < count; ++i) {
            lastLink = list.AddLast(thing);
        }
        TListEnum<TThing> walk = list.ObjectEnumerator();
        list.Clear();
    }
    EXPECT_TRUE(lastLink.expired());
    EXPECT_EQ(thing.use_count(), 1);
}

} // namespace
