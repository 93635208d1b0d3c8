// One value per line, and the NPC (20 lines) and item (12 lines) definition files made of them.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "test_support.h"
#include "world/actor.h"
#include "world/defline.h"
#include "world/item.h"

namespace {
std::string lines(std::initializer_list<const char*> values) {
    std::string bytes;
    for (const char* v : values) bytes += std::string(v) + "\n";
    return bytes;
}
}  // namespace

TEST(ParseInt, ConvertsLikeAtoiButSaturates) {
    const std::pair<const char*, int> cases[] = {
        {"-5", -5}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"  42", 42}, {"\t\r\n+7 8", 7}, {"- 5", 0}, {"--5", 0},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"-00000000000000000000012", -12}};
    for (auto [text, value] : cases) EXPECT_EQ(parseInt(text), value) << text;
}

TEST(DefLine, StringsKeepTheirSpacesButNotCrLfAndOnlyFourHundredCharactersFit) {
    const std::string fits(400, 'x');
    std::istringstream in("  inner  spaces \n \n\nwin\r\na\rb\n" + fits + "\n" + fits + "\r\nlast\r");
    // With no line feed after it, the last CR is text.
    const std::vector<std::string> expected = {"  inner  spaces ", " ", "", "win", "a\rb", fits, fits, "last\r"};
    for (const std::string& line : expected) EXPECT_EQ(readStringFromFile(in), line);

    std::istringstream tooLong(std::string(400, '7') + "8\nname\n5\n");  // fails the stream
    EXPECT_EQ(readStringFromFile(tooLong), std::string(400, '7'));
    EXPECT_EQ(readStringFromFile(tooLong), "");
    EXPECT_EQ(readNumberFromFile(tooLong), 0);

    std::ostringstream written;  // but is written whole
    writeStringToFile(std::string(450, 'z'), written);
    EXPECT_EQ(written.str(), std::string(450, 'z') + "\n");
}

TEST(Actor, FileLinesFollowTheirOwnOrderAndReadBack) {
    EXPECT_EQ(Actor().serialize(), lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "-1", "0", "I'm unset",
                                          "Still unset", "Unset Actor", "0", "0", "0", "0"}));
    Actor actor;
    actor.x = 100.75f;
    actor.y = -47.2f;
    int* numbers[] = {&actor.hp, &actor.hpMax, &actor.mp, &actor.mpMax, &actor.experience,
                      &actor.spareStat, &actor.strength, &actor.dexterity, &actor.intelligence};
    for (int i = 0; i < 9; ++i) *numbers[i] = i + 1;
    actor.spareValue = INT_MIN;
    actor.responseFlagId = 12;
    actor.isWandering = true;
    actor.firstConvo = " hello there ";
    actor.secondConvo = std::string("cut\0here", 8);  // written up to the NUL
    actor.name = "Old Tom";
    actor.sprite = 17;
    actor.direction = -2;
    TempDir dir;
    Messages said;
    ASSERT_TRUE(actor.serializeTo(dir / "a.def", said));
    EXPECT_EQ(readFile(dir / "a.def"), lines({"100", "-47", "1", "2", "3", "4", "5", "6", "7", "8", "9", "12", "0",
                                              " hello there ", "cut", "Old Tom", "1", "17", "-2", "-2147483648"}));

    Actor back;
    back.frame = 2;
    back.auxInt = 5;
    ASSERT_EQ(back.serializeFrom(dir / "a.def", said), ReadStatus::Read);
    EXPECT_EQ(back.serialize(), readFile(dir / "a.def"));  // every member in the file came back
    EXPECT_EQ(back.frame, 2);  // not in the file
    EXPECT_EQ(back.auxInt, 5);
}

TEST(Actor, FlagsAboveZeroAndShortOrBrokenFiles) {
    const std::string rest =  // lines 3 to 20 of a file that ends after line 2
        lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "", "", "", "0", "0", "0", "0"});
    const std::pair<std::string, std::string> cases[] = {
        {lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "2", "a", "b", "c", "-1"}),
         lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1", "a", "b", "c", "0", "0", "0", "0"})},
        {"12\r\n34\r\n", lines({"12", "34"}) + rest},  // CR LF lines read alike
        // The over-long number saturates and ends the reading.
        {"5\n" + std::string(401, '1') + "\n7\n", lines({"5", "2147483647"}) + rest},
    };
    for (const auto& [bytes, expected] : cases) {
        Actor actor;
        actor.parse(bytes);
        EXPECT_EQ(actor.serialize(), expected) << bytes.substr(0, 20);
    }
}

TEST(Item, RangeIsWrittenAndReadOnlyForRangedWeapons) {
    TempDir dir;
    Item bow;
    bow.type = ITEM_TYPE_RANGED;
    bow.range = 6;
    bow.owner = 4; bow.price = 30; bow.maxEffect = 9; bow.icon = 3;
    bow.name = "Long bow"; bow.shortName = "bow"; bow.description = " yew, strung ";
    bow.x = 1e20f;  // positions truncate toward zero and saturate
    bow.y = -0.5f;
    EXPECT_EQ(bow.serialize(), "8\n9\n30\n4\n2147483647\n0\n0\nLong bow\n yew, strung \nbow\n3\n6\n");
    Item sword;  // a new item but for its type
    sword.type = 3;
    sword.range = 6;
    Messages said;
    ASSERT_TRUE(bow.serializeTo(dir / "bow.def", said));
    ASSERT_TRUE(sword.serializeTo(dir / "sword.def", said));
    EXPECT_EQ(readFile(dir / "sword.def"), "3\n0\n0\n0\n0\n0\n0\nUnset Item\nUnset Item Description\n\n0\n0\n");

    Item back;
    back.range = 11;
    back.shortName = "x";
    ASSERT_EQ(back.serializeFrom(dir / "sword.def", said), ReadStatus::Read);
    EXPECT_EQ(back.range, 11);  // line 12 is not read
    EXPECT_EQ(back.shortName, "");
    ASSERT_EQ(back.serializeFrom(dir / "bow.def", said), ReadStatus::Read);
    EXPECT_EQ(back.serialize(), bow.serialize());
    // A negative owner reads as its size; a missing line as 0 or empty.
    back.parse("8\n0\n0\n-4\n0\n0\n2\nn\nd\ns\n7\n");  // ranged, but no line 12
    EXPECT_EQ(back.serialize(), "8\n0\n0\n4\n0\n0\n1\nn\nd\ns\n7\n0\n");
    back.parse("1\n0\n0\n-2147483648\n0\n0\n-1\n");  // seven lines only
    EXPECT_EQ(back.serialize(), "1\n0\n0\n2147483647\n0\n0\n0\n\n\n\n0\n0\n");
    EXPECT_EQ(said.outText(), "Weapon is a long-range item, checking range\n");  // the bow's file only
}
