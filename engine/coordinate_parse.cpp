#include "engine/coordinate_parse.h"

#include <cstdint>
#include <limits>

#include "engine/decimal_scaling.h"
#include "engine/extended.h"

namespace vernolak {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The byte at index, or NUL past the end: the text ends at the end of the
// line or at its first NUL byte, whichever comes first.
char ByteAt(std::string_view text, std::size_t index) {
    return index < text.size() ? text[index] : '\0';
}

constexpr std::uint64_t kMaxBeforeTimesTen = (std::numeric_limits<std::uint64_t>::max() - 9) / 10;

// Accumulates the digits of text[i...] into M := M x 10 + digit. Below 2^64
// every such step is exact in the 64-bit significand, so an integer does the
// same work; from the first step that could leave that range on, the steps
// are rounded in extended precision one by one.
struct DigitAccumulator {
    std::uint64_t integer = 0;
    Extended extended;
    bool inExtended = false;

    void Add(int digit) {
        if (!inExtended) {
            if (integer <= kMaxBeforeTimesTen) {
                integer = integer * 10 + static_cast<unsigned>(digit);
                return;
            }
            extended = Extended::FromUint64(integer);
            inExtended = true;
        }
        extended = extended * Extended::FromUint64(10) +
                   Extended::FromUint64(static_cast<unsigned>(digit));
    }
    Extended Value() const { return inExtended ? extended : Extended::FromUint64(integer); }
};

}  // namespace

ParsedCoordinate ParseCoordinate(std::string_view text) {
    constexpr ParsedCoordinate kParseFailure{CoordinateOutcome::ParseFailure, 0.0};
    std::size_t i = 0;
    while (ByteAt(text, i) == ' ') ++i;
    bool negative = false;
    if (const char sign = ByteAt(text, i); sign == '+' || sign == '-') {
        negative = sign == '-';
        ++i;
    }
    if (ByteAt(text, i) == '\0') return kParseFailure;

    DigitAccumulator mantissa;
    for (; IsDigit(ByteAt(text, i)); ++i) mantissa.Add(text[i] - '0');
    std::int64_t fractionDigits = 0;
    if (ByteAt(text, i) == '.') {
        for (++i; IsDigit(ByteAt(text, i)); ++i) {
            mantissa.Add(text[i] - '0');
            ++fractionDigits;
        }
    }
    std::uint32_t exponent = 0;  // 32-bit, wrapping as the classic reader's did
    if (const char letter = ByteAt(text, i); letter == 'E' || letter == 'e') {
        ++i;
        bool negativeExponent = false;
        if (const char sign = ByteAt(text, i); sign == '+' || sign == '-') {
            negativeExponent = sign == '-';
            ++i;
        }
        if (!IsDigit(ByteAt(text, i))) return kParseFailure;
        for (; IsDigit(ByteAt(text, i)); ++i) {
            exponent = exponent * 10 + static_cast<std::uint32_t>(text[i] - '0');
        }
        if (negativeExponent) exponent = 0u - exponent;
    }
    if (ByteAt(text, i) != '\0') return kParseFailure;

    const Extended m = mantissa.Value();
    if (m.IsInfinite()) return {CoordinateOutcome::Overflow, 0.0};

    const std::int64_t scale = static_cast<std::int32_t>(exponent) - fractionDigits;
    Extended v;
    if (scale >= static_cast<std::int64_t>(kPowerOfTenLimit)) {
        v = Extended::FromDouble(std::numeric_limits<double>::infinity());
    } else if (scale <= -static_cast<std::int64_t>(kPowerOfTenLimit)) {
        v = Extended();
    } else if (scale >= 0) {
        v = MultiplyByPowerOfTen(m, static_cast<unsigned>(scale));
        if (v.IsInfinite()) return {CoordinateOutcome::Overflow, 0.0};
    } else {
        v = DivideByPowerOfTen(m, static_cast<unsigned>(-scale));
    }
    if (negative) v = -v;

    const double result = v.ToDouble();
    if (!v.IsInfinite() && (result == std::numeric_limits<double>::infinity() ||
                            result == -std::numeric_limits<double>::infinity())) {
        return {CoordinateOutcome::Overflow, 0.0};
    }
    return {CoordinateOutcome::Value, result};
}

}  // namespace vernolak
