// One item and its 12-line definition file.
#include <gtest/gtest.h>

#include "test_support.h"
#include "world/item.h"

TEST(Item, NewItemRoundTripsWithEmptyShortNameAndZeroRange) {
    TempDir dir;
    Item item;
    ASSERT_TRUE(item.serializeTo(dir / "0.def"));
    EXPECT_EQ(readFile(dir / "0.def"), "0\n0\n0\n0\n0\n0\n0\nUnset Item\nUnset Item Description\n\n0\n0\n");
    Item back;
    back.shortName = "x";
    ASSERT_EQ(back.serializeFrom(dir / "0.def"), 0);
    EXPECT_EQ(back.serialize(), item.serialize());
    EXPECT_EQ(back.shortName, "");
}

TEST(Item, RangeIsWrittenAndReadOnlyForRangedWeapons) {
    TempDir dir;
    Item bow;
    bow.type = ITEM_TYPE_RANGED;
    bow.range = 6;
    bow.owner = 4; bow.price = 30; bow.maxEffect = 9; bow.icon = 3;
    bow.name = "Long bow"; bow.shortName = "bow"; bow.description = " yew, strung ";
    bow.x = 100.9f;
    bow.y = -0.5f;
    EXPECT_EQ(bow.serialize(), "8\n9\n30\n4\n100\n0\n0\nLong bow\n yew, strung \nbow\n3\n6\n");
    Item sword;
    sword.type = 3;
    sword.range = 6;
    ASSERT_TRUE(bow.serializeTo(dir / "bow.def"));
    ASSERT_TRUE(sword.serializeTo(dir / "sword.def"));
    EXPECT_EQ(readFile(dir / "sword.def"), "3\n0\n0\n0\n0\n0\n0\nUnset Item\nUnset Item Description\n\n0\n0\n");

    Item back;
    back.range = 11;
    CaptureOutput capture;
    ASSERT_EQ(back.serializeFrom(dir / "sword.def"), 0);
    EXPECT_EQ(back.range, 11);  // line 12 is not read
    ASSERT_EQ(back.serializeFrom(dir / "bow.def"), 0);
    EXPECT_EQ(capture.out(), "Weapon is a long-range item, checking range\n");
    EXPECT_EQ(back.serialize(), bow.serialize());
}

TEST(Item, ReadingRules) {
    Item item;
    item.range = 4;
    CaptureOutput capture;
    item.parse("8\n0\n0\n-4\n0\n0\n2\nn\nd\ns\n7\n");  // ranged, but no line 12
    EXPECT_EQ(item.owner, 4);
    EXPECT_TRUE(item.auxFlag);
    EXPECT_EQ(item.range, 0);
    EXPECT_EQ(item.serialize().substr(0, 14), "8\n0\n0\n4\n0\n0\n1\n");

    item.parse("1\n0\n0\n-2147483648\n0\n0\n-1\n");  // seven lines only
    EXPECT_EQ(item.owner, 2147483647);
    EXPECT_FALSE(item.auxFlag);
    EXPECT_EQ(item.name, "");
    EXPECT_EQ(item.description, "");
    EXPECT_EQ(item.shortName, "");
    EXPECT_EQ(item.icon, 0);
}

