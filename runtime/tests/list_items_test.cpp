#include "runtime/list_items.h"

#include <gtest/gtest.h>

using WindowRuntime::ListItems;

TEST(ListItems, InsertsAtThePositionOrAtTheEnd) {
    ListItems items(2);
    EXPECT_EQ(items.Insert(0, 10), 0);
    EXPECT_EQ(items.Insert(5, 30), 1);   // past the end: appended
    EXPECT_EQ(items.Insert(-1, 40), 2);  // negative: appended
    EXPECT_EQ(items.Insert(1, 20), 1);   // in between: the rest move down
    ASSERT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Data(0), 10);
    EXPECT_EQ(items.Data(1), 20);
    EXPECT_EQ(items.Data(2), 30);
    EXPECT_EQ(items.Data(3), 40);
    EXPECT_EQ(items.Text(1, 0), "");  // a new item has empty texts
}

TEST(ListItems, ItemsAndColumnsItLacksStoreNothingAndReadEmpty) {
    ListItems items(2);
    items.Insert(0, 7);
    EXPECT_TRUE(items.SetText(0, 1, "射击"));
    EXPECT_FALSE(items.SetText(0, 2, "x"));
    EXPECT_FALSE(items.SetText(1, 0, "x"));
    EXPECT_FALSE(items.SetText(-1, 0, "x"));
    EXPECT_EQ(items.Text(0, 1), "射击");
    EXPECT_EQ(items.Text(0, 5), "");
    EXPECT_EQ(items.Text(3, 0), "");
    EXPECT_EQ(items.Data(1), 0);
    EXPECT_EQ(items.Data(-1), 0);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.Text(0, 1), "");
}

TEST(ListItems, FindsTheNextNameByItsBeginningWrappingRound) {
    ListItems items(1);
    const char* names[] = {"Apex", "DOTA 2", "dark souls", "英雄联盟", "Diablo"};
    for (const char* name : names) items.SetText(items.Insert(-1, 0), 0, name);
    struct Case {
        const char* prefix;
        int start;
        int expected;
    } cases[] = {
        {"d", 0, 1},      {"d", 2, 2},
        {"D", 3, 4},      {"d", 5, 1},  // start past the end: from 0
        {"dota", 0, 1},   {"英雄", 0, 3},
        {"zelda", 0, -1}, {"apex legends", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(items.FindPrefix(c.prefix, c.start), c.expected)
            << c.prefix << " from " << c.start;
    EXPECT_EQ(ListItems(1).FindPrefix("a", 0), -1);
}
