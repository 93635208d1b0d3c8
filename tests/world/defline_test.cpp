// One value per line: numbers, strings and their limits.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <sstream>

#include "test_support.h"
#include "world/defline.h"

TEST(ParseInt, ConvertsLikeAtoiButSaturates) {
    const std::pair<const char*, int> cases[] = {
        {"-5", -5}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"  42", 42}, {"\t\r\n+7 8", 7}, {"- 5", 0}, {"--5", 0},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"-00000000000000000000012", -12}};
    for (auto [text, value] : cases) EXPECT_EQ(parseInt(text), value) << text;
}

TEST(ParseInt, FloatsTruncateTowardZeroAndSaturate) {
    const std::pair<float, int> cases[] = {{12.9f, 12},      {-3.7f, -3},       {-0.5f, 0}, {1e20f, INT_MAX},
                                           {-1e20f, INT_MIN}, {INFINITY, INT_MAX}, {NAN, 0}};
    for (auto [value, expected] : cases) EXPECT_EQ(truncateToInt(value), expected) << value;
}

TEST(DefLine, StringsKeepTheirSpacesButNotCrLf) {
    std::istringstream in("  inner  spaces \n \n\nwin\r\na\rb\nlast\r");
    // With no line feed after it, the last CR is text.
    for (const char* expected : {"  inner  spaces ", " ", "", "win", "a\rb", "last\r"})
        EXPECT_EQ(readStringFromFile(in), expected);
}

TEST(DefLine, FourHundredCharactersFitAndMoreFailTheStream) {
    std::string fits(400, 'x');
    std::istringstream exact(fits + "\n" + fits + "\r\n9\n");
    EXPECT_EQ(readStringFromFile(exact), fits);
    EXPECT_EQ(readStringFromFile(exact), fits);
    EXPECT_EQ(readNumberFromFile(exact), 9);

    std::istringstream tooLong(std::string(400, '7') + "8\nname\n5\n");
    EXPECT_EQ(readStringFromFile(tooLong), std::string(400, '7'));
    EXPECT_EQ(readStringFromFile(tooLong), "");
    EXPECT_EQ(readNumberFromFile(tooLong), 0);

    std::istringstream longNumber("1" + std::string(400, '0') + "\n5\n");
    EXPECT_EQ(readNumberFromFile(longNumber), INT_MAX);
    EXPECT_EQ(readNumberFromFile(longNumber), 0);
}

TEST(DefLine, WritesExactLinesThroughFiles) {
    TempDir dir;
    std::string path = dir / "values";
    std::string tooLong(450, 'z');
    {
        std::ofstream out(path);
        writeNumberToFile(-5, out);
        writeNumberToFile(INT_MIN, out);
        writeStringToFile(std::string("cut\0here", 8), out);  // up to the NUL only
        writeStringToFile(tooLong, out);
        writeNumberToFile(3, out);
    }
    EXPECT_EQ(readFile(path), "-5\n-2147483648\ncut\n" + tooLong + "\n3\n");
    std::ifstream in(path);
    EXPECT_EQ(readNumberFromFile(in), -5);
    EXPECT_EQ(readNumberFromFile(in), INT_MIN);
    EXPECT_EQ(readStringFromFile(in), "cut");
    EXPECT_EQ(readStringFromFile(in), tooLong.substr(0, 400));  // written whole, read back cut
    EXPECT_EQ(readNumberFromFile(in), 0);
}
