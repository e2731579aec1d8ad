#include "support/numbered_table.h"

#include <gtest/gtest.h>

namespace {

using trinumero::NumberedTable;

struct Entry {
    int handle = 0;
};

TEST(NumberedTable, FindOrCreateMakesAnEntryOnceForAnyNumber) {
    NumberedTable<Entry> table;
    for (int number : {-1, 0, 15, 16, 1000}) {
        EXPECT_EQ(table.Find(number), nullptr) << "none yet: " << number;
    }
    table.FindOrCreate(3)->handle = 7;
    EXPECT_EQ(table.Find(3)->handle, 7);
    EXPECT_EQ(table.FindOrCreate(3)->handle, 7) << "asking again keeps the entry";
    table.FindOrCreate(20)->handle = 9;
    EXPECT_EQ(table.Find(20)->handle, 9);
    EXPECT_EQ(table.Find(3)->handle, 7);
    EXPECT_EQ(table.FindOrCreate(-1), nullptr);
}

TEST(NumberedTable, EntriesStayWhereTheyAreWhileTheTableGrows) {
    NumberedTable<Entry> table;
    Entry* held = table.FindOrCreate(0);
    held->handle = 5;
    for (int number = 1; number < 200; number += 7) {
        table.FindOrCreate(number)->handle = number;
    }
    EXPECT_EQ(table.Find(0), held);
    EXPECT_EQ(held->handle, 5);
}

TEST(NumberedTable, FreeForgetsOnlyThatEntry) {
    NumberedTable<Entry> table;
    table.FindOrCreate(1)->handle = 1;
    table.FindOrCreate(2)->handle = 2;
    table.Free(1);
    table.Free(99);
    EXPECT_EQ(table.Find(1), nullptr);
    ASSERT_NE(table.Find(2), nullptr);
    int visited = 0;
    table.ForEach([&](int number, Entry& entry) {
        EXPECT_EQ(number, entry.handle);
        ++visited;
    });
    EXPECT_EQ(visited, 1);
}

}  // namespace
