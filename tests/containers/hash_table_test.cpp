#include "containers/hash_table.h"
#include "util/text.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

struct TThing {
    int id;
};

using ThingRef = std::shared_ptr<TThing>;

Text Key(int i) {
    return Concat(u"key", IntToText(i));
}

ThingRef Thing(int id) {
    return std::make_shared<TThing>(TThing{id});
}

void InsertKeys(THashTable<TThing>& table, int count) {
    for (int i = 0; i < count; ++i) {
        table.Insert(Key(i), Thing(i));
    }
}

std::vector<Text> AllKeys(const THashTable<TThing>& table) {
    std::vector<Text> keys;
    for (const Text& key : table.Keys()) {
        keys.push_back(key);
    }
    return keys;
}

TEST(HashTableTest, NewTableIsEmptyWith256Slots) {
    THashTable<TThing> table;
    EXPECT_EQ(table.SlotCount(), 256);
    EXPECT_TRUE(table.IsEmpty());
    EXPECT_EQ(table.ValueForKey(u"a"), nullptr);
    EXPECT_FALSE(table.Contains(u"a"));
    EXPECT_FALSE(table.Remove(u"a"));
    EXPECT_EQ(table.Dummies(), 0);
    EXPECT_FALSE(table.ObjectEnumerator().HasNext());
    EXPECT_FALSE(table.Keys().HasNext());
    EXPECT_FALSE(table.Values().HasNext());
    THashKeysEnum<TThing> keys = table.Keys();
    EXPECT_EQ(keys.NextObject(), Text());
    EXPECT_TRUE(table.begin() == table.end());
}

TEST(HashTableTest, KeysLandWhereTheHashSays) {
    THashTable<TThing> table;
    table.Insert(u"a", Thing(1));
    table.Insert(u"ab", Thing(2));
    table.Insert(u"road.png", Thing(3));
    EXPECT_EQ(table.SlotIndex(u"a"), 97);
    EXPECT_EQ(table.SlotIndex(u"ab"), 143);
    EXPECT_EQ(table.SlotIndex(u"road.png"), 3);
    EXPECT_EQ(table.SlotIndex(u"absent"), -1);
}

TEST(HashTableTest, GrowsBeforeThe129thInsertion) {
    THashTable<TThing> table;
    InsertKeys(table, 128);
    EXPECT_EQ(table.SlotCount(), 256);
    EXPECT_EQ(table.Count(), 128);
    table.Insert(Key(128), Thing(128));
    EXPECT_EQ(table.SlotCount(), 512);
    EXPECT_EQ(table.Count(), 129);
    for (int i = 0; i <= 128; ++i) {
        ASSERT_NE(table.ValueForKey(Key(i)), nullptr) << i;
        EXPECT_EQ(table.ValueForKey(Key(i))->id, i);
    }

    // Growth is tested before every insertion, even of a key already there.
    THashTable<TThing> full;
    InsertKeys(full, 128);
    full.Insert(Key(0), Thing(1000));
    EXPECT_EQ(full.SlotCount(), 512);
    EXPECT_EQ(full.Count(), 128);
    EXPECT_EQ(full.ValueForKey(Key(0))->id, 1000);

    full.Clear();
    EXPECT_EQ(full.SlotCount(), 256);
    EXPECT_TRUE(full.IsEmpty());
    EXPECT_FALSE(full.Contains(Key(0)));
}

TEST(HashTableTest, InsertLowerCasesAndReplacesTheValue) {
    THashTable<TThing> table;
    ThingRef first = Thing(1);
    ThingRef second = Thing(2);
    table.Insert(u"Road.PNG", first);
    EXPECT_EQ(table.ValueForKey(u"road.png"), first);
    // Lookups take the key as given.
    EXPECT_EQ(table.ValueForKey(u"Road.PNG"), nullptr);
    EXPECT_FALSE(table.Contains(u"Road.PNG"));
    EXPECT_FALSE(table.Remove(u"Road.PNG"));

    table.Insert(u"ROAD.png", second);
    EXPECT_EQ(table.ValueForKey(u"road.png"), second);
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(first.use_count(), 1);
    EXPECT_EQ(AllKeys(table), std::vector<Text>{u"road.png"});
}

TEST(HashTableTest, RemoveLeavesATombstoneUntilTheTableGrows) {
    THashTable<TThing> table;
    ThingRef value = Thing(1);
    table.Insert(u"gone", value);
    table.Insert(u"kept", Thing(2));
    int oldSlot = table.SlotIndex(u"gone");

    EXPECT_TRUE(table.Remove(u"gone"));
    EXPECT_FALSE(table.Contains(u"gone"));
    EXPECT_EQ(table.ValueForKey(u"gone"), nullptr);
    EXPECT_FALSE(table.Remove(u"gone"));
    EXPECT_EQ(value.use_count(), 1);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Dummies(), 1);
    EXPECT_FALSE(table.IsEmpty());
    EXPECT_TRUE(table.Remove(u"kept"));
    EXPECT_TRUE(table.IsEmpty());

    // Reinserted, the key takes a new slot; the tombstone stays.
    table.Insert(u"gone", value);
    EXPECT_NE(table.SlotIndex(u"gone"), oldSlot);
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Dummies(), 2);
    EXPECT_FALSE(table.IsEmpty());

    // Growth drops the tombstones, whose slots still count towards it.
    for (int i = 0; table.SlotCount() == 256; ++i) {
        table.Insert(Key(i), Thing(i));
    }
    EXPECT_EQ(table.Dummies(), 0);
    EXPECT_EQ(table.Count(), 127);
    EXPECT_EQ(table.ValueForKey(u"gone"), value);
}

TEST(HashTableTest, LookupsProbePastTombstones) {
    THashTable<TThing> table;
    InsertKeys(table, 120);
    for (int i = 0; i < 120; i += 2) {
        table.Remove(Key(i));
    }
    for (int i = 0; i < 120; ++i) {
        EXPECT_EQ(table.Contains(Key(i)), i % 2 == 1) << i;
    }
}

TEST(HashTableTest, WalksYieldEachLiveEntryOnceInSlotOrder) {
    THashTable<TThing> table;
    InsertKeys(table, 40);
    for (int i = 0; i < 40; i += 3) {
        table.Remove(Key(i));
    }

    std::vector<Text> keys = AllKeys(table);
    std::set<Text> expected;
    for (int i = 0; i < 40; ++i) {
        if (i % 3 != 0) {
            expected.insert(Key(i));
        }
    }
    EXPECT_EQ(keys.size(), expected.size());
    EXPECT_EQ(std::set<Text>(keys.begin(), keys.end()), expected);
    for (size_t i = 1; i < keys.size(); ++i) {
        EXPECT_LT(table.SlotIndex(keys[i - 1]), table.SlotIndex(keys[i]));
    }

    // Values and entries come in the same order as the keys.
    size_t index = 0;
    for (const ThingRef& value : table.Values()) {
        ASSERT_LT(index, keys.size());
        EXPECT_EQ(value, table.ValueForKey(keys[index++]));
    }
    EXPECT_EQ(index, keys.size());
    index = 0;
    for (const auto& entry : table) {
        ASSERT_LT(index, keys.size());
        EXPECT_EQ(entry->Key(), keys[index++]);
        EXPECT_EQ(entry->Value(), table.ValueForKey(entry->Key()));
    }
    EXPECT_EQ(index, keys.size());
}

TEST(HashTableTest, EmptyKeyIsAnOrdinaryKey) {
    THashTable<TThing> table;
    // "jb" hashes to slot 0, where every probe for the empty key starts.
    table.Insert(u"jb", Thing(1));
    EXPECT_EQ(table.SlotIndex(u"jb"), 0);
    table.Remove(u"jb");
    // With a tombstone on its path the empty key must still be absent.
    EXPECT_FALSE(table.Contains(u""));
    EXPECT_FALSE(table.Remove(u""));
    EXPECT_EQ(table.Dummies(), 1);

    ThingRef value = Thing(2);
    table.Insert(u"", value);
    EXPECT_FALSE(table.IsEmpty());
    EXPECT_EQ(table.ValueForKey(u""), value);
    EXPECT_EQ(AllKeys(table), std::vector<Text>{u""});
    EXPECT_TRUE(table.Remove(u""));
    EXPECT_TRUE(table.IsEmpty());
}

void GrowTo1024Slots(THashTable<TThing>& table, const Text&) {
    for (int i = 1000; table.SlotCount() < 1024; ++i) {
        table.Insert(Key(i), Thing(i));
    }
}

// Every change a walk can meet while it stands on an entry. The walk may then
// miss or repeat entries, but each one it yields must be in the table at that
// moment, and it must end.
TEST(HashTableTest, WalksStaySafeWhileTheTableChanges) {
    using TChange = void (*)(THashTable<TThing> & table, const Text& standing);
    const struct {
        const char* name;
        TChange change;
    } cases[] = {
        {"remove the entry it stands on",
         [](THashTable<TThing>& t, const Text& k) { t.Remove(k); }},
        {"remove every entry",
         [](THashTable<TThing>& t, const Text&) {
             for (int i = 0; i < 100; ++i) {
                 t.Remove(Key(i));
             }
         }},
        {"clear", [](THashTable<TThing>& t, const Text&) { t.Clear(); }},
        {"grow", GrowTo1024Slots},
        {"clear after growing",
         [](THashTable<TThing>& t, const Text& k) {
             GrowTo1024Slots(t, k);
             t.Clear();
         }},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        THashTable<TThing> table;
        InsertKeys(table, 100);
        THashKeysEnum<TThing> keys = table.Keys();
        THashValuesEnum<TThing> values = table.Values();
        THashTableEnum<TThing> entries = table.ObjectEnumerator();
        // A copy of a walk tells where the walk stands.
        Text standing = THashKeysEnum<TThing>(keys).NextObject();
        change(table, standing);

        int steps = 0;
        while (keys.HasNext()) {
            EXPECT_TRUE(table.Contains(keys.NextObject()));
            ASSERT_LT(++steps, 2048);
        }
        while (values.HasNext()) {
            ThingRef value = values.NextObject();
            ASSERT_NE(value, nullptr);
            EXPECT_EQ(table.ValueForKey(Key(value->id)), value);
        }
        while (entries.HasNext()) {
            auto entry = entries.NextObject();
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(table.ValueForKey(entry->Key()), entry->Value());
        }
    }
}

// While a range-for body runs the walk already stands on the next entry,
// which the body may remove along with its own.
TEST(HashTableTest, RangeForMayRemoveTheNextEntry) {
    THashTable<TThing> table;
    InsertKeys(table, 50);
    int seen = 0;
    for (const auto& entry : table) {
        ASSERT_TRUE(table.Contains(entry->Key()));
        ++seen;
        THashKeysEnum<TThing> rest = table.Keys();
        table.Remove(entry->Key());
        if (rest.HasNext()) {
            table.Remove(rest.NextObject());
        }
    }
    EXPECT_EQ(seen, 25);
    EXPECT_TRUE(table.IsEmpty());
}

} // namespace
