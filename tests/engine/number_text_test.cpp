#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "engine/extended.h"

namespace vernolak {
namespace {

std::string Format(double value, char separator = '.') {
    char text[kMaxCoordinateText];
    return std::string(text, FormatCoordinate(value, separator, text));
}

TEST(NumberText, Examples) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1.5, "-1.5"},
        {0.1, "0.1"},
        {100, "100"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {12345.678901234567, "12345.6789012346"},
        {123456789012345, "123456789012345"},
        {1234567890123456, "1.23456789012346E15"},
        {999999999999999.5, "1E15"},
        {1E15, "1E15"},
        {1E16, "1E16"},
        {0.0001, "0.0001"},
        {0.00012345678901234567, "0.000123456789012346"},
        {0.00001, "1E-5"},
        {0.000001, "1E-6"},
        {1.5E-7, "1.5E-7"},
        {-2.5E20, "-2.5E20"},
        {1E100, "1E100"},
        {1.7976931348623157E308, "1.79769313486232E308"},
        {-4.9406564584124654E-324, "-4.94065645841247E-324"},
        {4.9406564584124654E-324, "4.94065645841247E-324"},
        {1000000000000005, "1.00000000000001E15"},
        {87.68643808699305, "87.6864380869931"},
        {790317.1794294375, "790317.179429438"},
        {12.5, "12.5"},
        {-0.375, "-0.375"},
        {1234567.891, "1234567.891"},
        {0.000123, "0.000123"},
        {1E-320, "9.99988867182683E-321"},
        {2.2250738585072014E-308, "2.2250738585072E-308"},
        {-std::numeric_limits<double>::infinity(), "INF"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {-std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.value), c.text) << std::hexfloat << c.value;
    }
}

TEST(NumberText, DecimalSeparatorIsTheGivenByte) {
    EXPECT_EQ(Format(1.5, ','), "1,5");
    EXPECT_EQ(Format(-1.5E-7, ','), "-1,5E-7");
    EXPECT_EQ(Format(0.25, '\xB7'),
              "0\xB7"
              "25");
}

// printf's %.15G, carried over to the converter's layout: no plus sign and no
// leading zeros in the exponent.
std::string GeneralFormat(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", value);
    std::string result(text);
    const std::size_t e = result.find('E');
    if (e == std::string::npos) return result;
    std::string exponent = result.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent = exponent.substr(1);
    exponent.erase(0, exponent.find_first_not_of('0'));
    return result.substr(0, e + 1) + (negative ? "-" : "") + exponent;
}

TEST(NumberText, ShortDecimalsComeOutAsWritten) {
    // The nearest double to a decimal of at most 15 significant digits is
    // written as that decimal, for all normal magnitudes.
    std::mt19937_64 random(15);
    for (int round = 0; round < 300000; ++round) {
        const int digitCount = 1 + static_cast<int>(random() % 15);
        std::string digits;
        for (int i = 0; i < digitCount; ++i) digits += static_cast<char>('0' + random() % 10);
        if (digits[0] == '0') digits[0] = '7';
        const int exponent = static_cast<int>(random() % 600) - 300;
        const std::string text =
            digits.substr(0, 1) + "." + digits.substr(1) + "E" + std::to_string(exponent);
        const double value = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(Format(value), GeneralFormat(value)) << text;
    }
}

TEST(NumberText, DigitsDifferFromPrintfOnlyNearAHalfUnit) {
    // The 18-digit extended-precision steps round differently from printf
    // only when digits 16 to 18 lie next to a half unit of the 15th digit.
    std::mt19937_64 random(17);
    int differences = 0;
    for (int round = 0; round < 1000000; ++round) {
        const double value = std::bit_cast<double>(random());
        if (value != value || value == 0 || value - value != 0) continue;
        const std::string ours = Format(value);
        const std::string reference = GeneralFormat(value);
        if (ours == reference) continue;
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.17E", value < 0 ? -value : value);
        const std::string tail = std::string(exact).substr(2 + 14, 3);  // digits 16 to 18
        ASSERT_TRUE(tail == "499" || tail == "500" || tail == "501")
            << exact << ": " << ours << " vs " << reference;
        ++differences;
    }
    // About 3 in 1000 values have such digits; only some of them differ.
    EXPECT_LT(differences, 3000);
    EXPECT_GT(differences, 0);
}

TEST(NumberText, TinyRangesWhereTheEstimateIsTooLargeKeepFifteenDigits) {
    // 2^-877 to 1e-264: the first decimal exponent estimate is one too large.
    const double value = std::ldexp(1.0, -877);
    EXPECT_EQ(Format(value), GeneralFormat(value));
    EXPECT_EQ(Format(std::ldexp(1.0, -681)), GeneralFormat(std::ldexp(1.0, -681)));
}

}  // namespace
}  // namespace vernolak

namespace vernolak {
namespace {

TEST(NumberTextShortcuts, OneStoreRoundingGivesTheIntegerOfTheExtendedSteps) {
    // Values of every size below 2^64 with up to 63 fraction bits, ties to
    // even among them, and the range from 2^63 up that is shifted first.
    std::mt19937_64 random(64);
    const Extended threeHalves = Extended::FromParts(0xC000000000000000u, 0);
    for (int round = 0; round < 2000000; ++round) {
        const std::uint64_t significand = random() | (std::uint64_t{1} << 63);
        const int exponent = static_cast<int>(random() % 64);  // value below 2^64
        Extended value = Extended::FromParts(significand, exponent);
        if (round % 4 == 0) {  // an exact half above an integer
            value = Extended::FromParts(significand & ~std::uint64_t{0} << (63 - exponent % 63),
                                        exponent) +
                    (threeHalves / Extended::FromUint64(3));
        }
        ASSERT_EQ(value.RoundToUint64(), value.RoundToInteger().ToUint64())
            << std::hex << significand << " 2^" << std::dec << exponent;
    }
    EXPECT_EQ(threeHalves.RoundToUint64(), 2u);
    EXPECT_EQ((threeHalves / Extended::FromUint64(3)).RoundToUint64(), 0u);  // 0.5 to even
}

TEST(NumberTextShortcuts, IntegerTenthGivesTheBitsOfTheExtendedSteps) {
    std::mt19937_64 random(10);
    for (int round = 0; round < 2000000; ++round) {
        std::uint64_t s = random();
        if (round % 2 == 0) s = s / 10 * 10 + 5;  // ties
        ASSERT_EQ(detail::DivideByTenExactly(s), detail::DivideByTenStepByStep(s)) << s;
    }
}

}  // namespace
}  // namespace vernolak
