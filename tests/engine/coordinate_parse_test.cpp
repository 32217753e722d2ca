#include "engine/coordinate_parse.h"

#include <gtest/gtest.h>

#include <bit>
#include <boost/multiprecision/cpp_int.hpp>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "engine/decimal_scaling.h"

namespace vernolak {
namespace {

using namespace std::string_literals;
constexpr double kInf = std::numeric_limits<double>::infinity();

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

TEST(CoordinateParse, OutcomesAndValues) {
    const struct {
        std::string text;
        CoordinateOutcome outcome;
        double value;
    } cases[] = {
        {"1.5", CoordinateOutcome::Value, 1.5},
        {"  -2.25", CoordinateOutcome::Value, -2.25},
        {"+3", CoordinateOutcome::Value, 3},
        {".5", CoordinateOutcome::Value, 0.5},
        {"5.", CoordinateOutcome::Value, 5},
        {"007", CoordinateOutcome::Value, 7},
        {"1e3", CoordinateOutcome::Value, 1000},
        {"1.5E-2", CoordinateOutcome::Value, 0.015},
        {"2.5e+1", CoordinateOutcome::Value, 25},
        {"1.e2", CoordinateOutcome::Value, 100},
        {"-0", CoordinateOutcome::Value, -0.0},
        {".", CoordinateOutcome::Value, 0},
        {"E5", CoordinateOutcome::Value, 0},
        {"1e-400", CoordinateOutcome::Value, 0},
        {"1e5120", CoordinateOutcome::Value, kInf},
        {"0e5120", CoordinateOutcome::Value, kInf},  // whatever the digits
        {"-1e6000", CoordinateOutcome::Value, -kInf},
        {"1e-5120", CoordinateOutcome::Value, 0},
        {"-1e-5120", CoordinateOutcome::Value, -0.0},
        {"4.9406564584124654E-324", CoordinateOutcome::Value, 4.9406564584124654E-324},
        {"1.7976931348623157E308", CoordinateOutcome::Value, 1.7976931348623157E308},
        {"12345678901234567890123", CoordinateOutcome::Value, 12345678901234567890123.0},
        {"10\0garbage"s, CoordinateOutcome::Value, 10},
        {"1.5 ", CoordinateOutcome::ParseFailure, 0},
        {"1,5", CoordinateOutcome::ParseFailure, 0},
        {"\t1.5", CoordinateOutcome::ParseFailure, 0},
        {"1.2.3", CoordinateOutcome::ParseFailure, 0},
        {"1e", CoordinateOutcome::ParseFailure, 0},
        {"1e+", CoordinateOutcome::ParseFailure, 0},
        {"1D3", CoordinateOutcome::ParseFailure, 0},
        {"   ", CoordinateOutcome::ParseFailure, 0},
        {"-", CoordinateOutcome::ParseFailure, 0},
        {"--1", CoordinateOutcome::ParseFailure, 0},
        {"1e400", CoordinateOutcome::Overflow, 0},
        {"-1.8e308", CoordinateOutcome::Overflow, 0},
        {std::string(4940, '9'), CoordinateOutcome::Overflow, 0},  // the digits alone overflow
    };
    for (const auto& c : cases) {
        const ParsedCoordinate parsed = ParseCoordinate(c.text);
        EXPECT_EQ(parsed.outcome, c.outcome) << '"' << c.text << '"';
        if (c.outcome == CoordinateOutcome::Value) {
            EXPECT_EQ(Bits(parsed.value), Bits(c.value)) << '"' << c.text << '"';
        }
    }
}

// The step-by-step rule: M := M x 10 + digit, each step rounded in extended
// precision, then the scaling. The parser takes an exact integer shortcut
// while M stays below 2^64; this reference never does.
double ReferenceValue(const std::string& digits, int fractionDigits, int exponent, bool negative) {
    long double m = 0;
    for (char c : digits) m = m * 10.0L + static_cast<long double>(c - '0');
    const int scale = exponent - fractionDigits;
    Extended mExtended = Extended::FromUint64(0);
    // Rebuild m as an Extended exactly: it has at most 64 significant bits.
    int binaryExponent = 0;
    const long double fraction = std::frexp(m, &binaryExponent);
    if (m != 0) {
        mExtended = Extended::FromParts(static_cast<std::uint64_t>(std::ldexp(fraction, 64)),
                                        binaryExponent - 1);
    }
    Extended v = scale >= 0 ? MultiplyByPowerOfTen(mExtended, static_cast<unsigned>(scale))
                            : DivideByPowerOfTen(mExtended, static_cast<unsigned>(-scale));
    if (negative) v = -v;
    return v.ToDouble();
}

TEST(CoordinateParse, IntegerShortcutGivesTheBitsOfTheStepByStepRule) {
    std::mt19937_64 random(0x5EED);
    for (int round = 0; round < 200000; ++round) {
        const int integerDigits = static_cast<int>(random() % 24);
        const int fractionDigits = static_cast<int>(random() % 24);
        std::string digits;
        for (int i = 0; i < integerDigits + fractionDigits; ++i) {
            digits += static_cast<char>('0' + random() % 10);
        }
        const int exponent = static_cast<int>(random() % 80) - 40;
        const bool negative = random() % 2 == 0;
        std::string text = negative ? "-" : "";
        text += digits.substr(0, static_cast<std::size_t>(integerDigits)) + "." +
                digits.substr(static_cast<std::size_t>(integerDigits)) + "e" +
                std::to_string(exponent);
        const ParsedCoordinate parsed = ParseCoordinate(text);
        ASSERT_EQ(parsed.outcome, CoordinateOutcome::Value) << text;
        const double expected = ReferenceValue(digits, fractionDigits, exponent, negative);
        ASSERT_EQ(Bits(parsed.value), Bits(expected))
            << text << ": 0x" << std::hex << Bits(parsed.value) << " != 0x" << Bits(expected);
    }
}

TEST(CoordinateParse, PowersOfTenAreTheNearestExtendedValues) {
    using boost::multiprecision::cpp_int;
    auto check = [](const PowerOfTen& power, unsigned p) {
        // Round 10^p to a 64-bit significand, ties to even.
        cpp_int n = boost::multiprecision::pow(cpp_int(10), p);
        const int length = static_cast<int>(boost::multiprecision::msb(n)) + 1;
        int exponent = length - 1;
        cpp_int significand = n;
        if (length > 64) {
            const unsigned shift = static_cast<unsigned>(length - 64);
            significand = n >> shift;
            const cpp_int rest = n - (significand << shift);
            const cpp_int half = cpp_int(1) << (shift - 1);
            if (rest > half || (rest == half && (significand & 1) != 0)) ++significand;
            if (significand == (cpp_int(1) << 64)) {
                significand >>= 1;
                ++exponent;
            }
        } else {
            significand <<= (64 - length);
        }
        EXPECT_EQ(power.significand, static_cast<std::uint64_t>(significand)) << "1e" << p;
        EXPECT_EQ(power.exponent, exponent) << "1e" << p;
    };
    for (unsigned i = 0; i < 32; ++i) check(kPowersOfTenUnits[i], i);
    for (unsigned i = 0; i < 16; ++i) check(kPowersOfTenThirtyTwos[i], 32 * i);
    for (unsigned i = 0; i < 10; ++i) check(kPowersOfTenFiveTwelves[i], 512 * i);
}

}  // namespace
}  // namespace vernolak
