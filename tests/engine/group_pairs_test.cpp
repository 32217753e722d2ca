#include "engine/group_pairs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace vernolak {
namespace {

using namespace std::string_literals;

TEST(GroupPairs, GroupCodes) {
    const struct {
        std::string codeLine;
        std::int32_t groupCode;
    } cases[] = {
        {"0", 0},
        {"  0", 0},
        {" 10", 10},
        {"070", 70},
        {"10 ", 10},  // fails at the blank; the value read so far counts
        {"20X", 20},  // the same, at the letter
        {"", -1},     // empty line
        {"   ", 0},   // blanks only
        {"\t10", 0},  // a tab is not skipped
        {"SECTION", 0},
        {"-1", -1},
        {"-10 ", 10},  // a failed parse loses the sign
        {"- 5", 0},    // nothing may stand between sign and digits
        {"+20", 20},
        {"$46", 70},  // hexadecimal
        {"0x1E", 30},
        {"X0A", 10},
        {"2147483647", 2147483647},
        {"10\0"
         "99"s,
         10},        // the text ends at a NUL byte
        {"\0"s, 0},  // a NUL alone is not an empty line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseGroupCode(c.codeLine), c.groupCode) << '"' << c.codeLine << '"';
    }
}

TEST(GroupPairs, GroupCodeShortcutAgreesWithTheIntegerParse) {
    // Group codes take a shortcut for blanks followed by digits; any code line
    // must still give what the integer parse gives.
    std::mt19937 random(70);
    const char alphabet[] = {' ', '0', '1', '7', '9', '-', '+', 'x', '$', 'A', '\0', '\t'};
    for (int round = 0; round < 300000; ++round) {
        std::string line;
        const std::size_t size = 1 + random() % 14;
        const bool digitsOnly = random() % 2 == 0;
        for (std::size_t i = 0; i < size; ++i) {
            line += alphabet[random() % (digitsOnly ? 5 : sizeof alphabet)];
        }
        ASSERT_EQ(ParseGroupCode(line), ParseInteger(line).value) << '"' << line << '"';
    }
}

TEST(GroupPairs, IntegerParseResultsAndFailures) {
    const struct {
        std::string text;
        std::int32_t value;
        bool succeeded;
    } cases[] = {
        {"1", 1, true},
        {"     1", 1, true},
        {"0", 0, true},
        {"129", 129, true},
        {"-1", -1, true},
        {"$1", 1, true},
        {"1 ", 1, false},
        {"1.0", 1, false},
        {"", 0, false},
        {"-", 0, false},
        {"+", 0, false},
        {"$", 0, false},
        {"0x", 0, false},
        {"-$1", 0, false},  // no sign before hexadecimal digits
        {"007", 7, true},
        {"-2147483648", -2147483647 - 1, true},
        {"2147483648", -2147483647 - 1, false},  // out of range: far from every group code
        {"-2147483649", 2147483647, false},
        {"99999999999", 999999999, false},  // stops before the digit that would overflow
        {"FFFFFFFF", 0, false},             // no prefix: not a number
        {"$FFFFFFFF", -1, true},            // eight F digits give -1
        {"$fffffffff", -1, false},          // stops before the ninth digit
        {"0x1G", 1, false},
        {"10\0"
         "5"s,
         10, true},
    };
    for (const auto& c : cases) {
        const ParsedInteger parsed = ParseInteger(c.text);
        EXPECT_EQ(parsed.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(parsed.succeeded, c.succeeded) << '"' << c.text << '"';
    }
}

TEST(GroupPairs, KeywordTest) {
    const struct {
        std::string value;
        const char* keyword;
        bool result;
    } cases[] = {
        {"POLYLINE", "POLYLINE", true},
        {"polyline", "POLYLINE", true},
        {"  Polyline ", "POLYLINE", true},
        {"LWPOLYLINE", "POLYLINE", true},
        {"POLY LINE", "POLYLINE", false},
        // Full-width letters in code page 932: the ASCII bytes inside them are
        // second bytes and never start a match.
        {"\x82\x6F\x82\x6E\x82\x6B\x82\x78\x82\x6B\x82\x68\x82\x6D\x82\x64", "POLYLINE", false},
        {"\x83\x50OLYLINE", "POLYLINE", false},          // ケ is 83 50, and 50 is P
        {"\x83\x50OLYLINE POLYLINE", "POLYLINE", true},  // the second occurrence counts
        {"\x83\x83POLYLINE", "POLYLINE", true},          // 83 83 is one character
        {"\x83\x83\x83POLYLINE", "POLYLINE", false},     // ...and 83 50 the next one
        {"ENDSEC", "SEQEND", false},
        {"", "EOF", false},
        {"EO\0F"s, "EOF", false},  // the search stops at a NUL byte
        {"\xB6"
         "EOF",
         "EOF", true},  // a half-width katakana is one byte
        {"xeofx", "EOF", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValueHasKeyword(c.value, c.keyword), c.result) << '"' << c.value << '"';
    }
}

}  // namespace
}  // namespace vernolak
