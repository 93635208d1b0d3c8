// One NPC and its 20-line definition file.
#include <gtest/gtest.h>

#include <climits>

#include "test_support.h"
#include "world/actor.h"

namespace {
std::string lines(std::initializer_list<const char*> values) {
    std::string bytes;
    for (const char* v : values) bytes += std::string(v) + "\n";
    return bytes;
}
}  // namespace

TEST(Actor, NewActorWritesItsStartValues) {
    TempDir dir;
    ASSERT_TRUE(Actor().serializeTo(dir / "0.def"));
    EXPECT_EQ(readFile(dir / "0.def"),
              lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "-1", "0", "I'm unset", "Still unset",
                     "Unset Actor", "0", "0", "0", "0"}));
}

TEST(Actor, FileLinesFollowTheirOwnOrder) {
    Actor actor;
    actor.x = 100.75f;
    actor.y = -47.2f;
    int* numbers[] = {&actor.hp, &actor.hpMax, &actor.mp, &actor.mpMax, &actor.experience,
                      &actor.spareStat, &actor.strength, &actor.dexterity, &actor.intelligence};
    for (int i = 0; i < 9; ++i) *numbers[i] = i + 1;
    actor.spareValue = 99;
    actor.responseFlagId = 12;
    actor.isHostile = actor.isWandering = true;
    actor.firstConvo = " hello there ";
    actor.secondConvo = "";
    actor.name = "Old Tom";
    actor.sprite = 17;
    actor.direction = -2;
    EXPECT_EQ(actor.serialize(), lines({"100", "-47", "1", "2", "3", "4", "5", "6", "7", "8", "9", "12", "1",
                                        " hello there ", "", "Old Tom", "1", "17", "-2", "99"}));

    TempDir dir;
    ASSERT_TRUE(actor.serializeTo(dir / "a.def"));
    Actor back;
    back.frame = 2;
    back.auxInt = 5;
    ASSERT_EQ(back.serializeFrom(dir / "a.def"), 0);
    EXPECT_EQ(back.x, 100.0f);
    EXPECT_EQ(back.y, -47.0f);
    EXPECT_EQ(back.serialize(), readFile(dir / "a.def"));  // every member in the file came back
    EXPECT_EQ(back.frame, 2);  // not in the file
    EXPECT_EQ(back.auxInt, 5);
}

TEST(Actor, FlagsAboveZeroAndShortOrBrokenFiles) {
    Actor flags;
    flags.parse(lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "2", "a", "b", "c", "-1"}));
    EXPECT_TRUE(flags.isHostile);
    EXPECT_FALSE(flags.isWandering);

    Actor actor;
    actor.parse("12\r\n34\r\n");  // CR LF lines read alike
    EXPECT_EQ(actor.x, 12.0f);
    EXPECT_EQ(actor.y, 34.0f);
    EXPECT_EQ(actor.responseFlagId, 0);
    EXPECT_EQ(actor.name, "");

    Actor cut;
    cut.parse("5\n" + std::string(401, '1') + "\n7\n");
    EXPECT_EQ(cut.y, static_cast<float>(INT_MAX));
    EXPECT_EQ(cut.hp, 0);
    EXPECT_EQ(cut.firstConvo, "");
}

