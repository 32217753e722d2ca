#include "engine/coordinate_parse.h"

#include <cstdint>
#include <limits>

#include "engine/decimal_scaling.h"
#include "engine/extended.h"

namespace vernolak {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::uint64_t kMaxBeforeTimesTen = (std::numeric_limits<std::uint64_t>::max() - 9) / 10;

// Accumulates digits into M := M x 10 + digit. Below 2^64 every such step is
// exact in the 64-bit significand, so an integer does the same work; from the
// first step that could leave that range on, the steps are rounded in
// extended precision one by one.
class DigitAccumulator {
  public:
    void Add(const char* digits, const char* end) {
        // 19 digits always stay below 2^64: no checks needed.
        const bool unchecked = end - digits <= 19 - count_;
        count_ += end - digits;
        if (unchecked) {
            for (; digits != end; ++digits) integer_ = integer_ * 10 + Digit(*digits);
            return;
        }
        for (; digits != end; ++digits) AddOne(Digit(*digits));
    }
    Extended Value() const { return inExtended_ ? extended_ : Extended::FromUint64(integer_); }
    // Only the rounded steps beyond 2^64 can leave the extended range.
    bool Overflowed() const { return inExtended_ && extended_.IsInfinite(); }

  private:
    static unsigned Digit(char c) { return static_cast<unsigned>(c - '0'); }

    void AddOne(unsigned digit) {
        if (!inExtended_) {
            if (integer_ <= kMaxBeforeTimesTen) {
                integer_ = integer_ * 10 + digit;
                return;
            }
            extended_ = Extended::FromUint64(integer_);
            inExtended_ = true;
        }
        extended_ = extended_ * Extended::FromUint64(10) + Extended::FromUint64(digit);
    }

    std::uint64_t integer_ = 0;
    std::ptrdiff_t count_ = 0;  // digits taken so far
    Extended extended_;
    bool inExtended_ = false;
};

}  // namespace

ParsedCoordinate ParseCoordinate(std::string_view text) {
    constexpr ParsedCoordinate kParseFailure{CoordinateOutcome::ParseFailure, 0.0};
    const char* p = text.data();
    const char* const end = p + text.size();
    // The byte at p, or NUL at the end: the text ends at the end of the line
    // or at its first NUL byte, whichever comes first.
    const auto at = [&](const char* q) { return q != end ? *q : '\0'; };

    while (at(p) == ' ') ++p;
    bool negative = false;
    if (const char sign = at(p); sign == '+' || sign == '-') {
        negative = sign == '-';
        ++p;
    }
    if (at(p) == '\0') return kParseFailure;

    const char* const integerDigits = p;
    while (p != end && IsDigit(*p)) ++p;
    const char* const integerEnd = p;
    const char* fractionDigits = p;
    if (at(p) == '.') {
        fractionDigits = ++p;
        while (p != end && IsDigit(*p)) ++p;
    }
    const char* const fractionEnd = p;

    std::uint32_t exponent = 0;  // 32-bit, wrapping as the classic reader's did
    if (const char letter = at(p); letter == 'E' || letter == 'e') {
        ++p;
        bool negativeExponent = false;
        if (const char sign = at(p); sign == '+' || sign == '-') {
            negativeExponent = sign == '-';
            ++p;
        }
        if (!IsDigit(at(p))) return kParseFailure;
        for (; p != end && IsDigit(*p); ++p) {
            exponent = exponent * 10 + static_cast<std::uint32_t>(*p - '0');
        }
        if (negativeExponent) exponent = 0u - exponent;
    }
    if (at(p) != '\0') return kParseFailure;

    DigitAccumulator mantissa;
    mantissa.Add(integerDigits, integerEnd);
    mantissa.Add(fractionDigits, fractionEnd);
    const std::int64_t fractionCount = fractionEnd - fractionDigits;

    if (mantissa.Overflowed()) return {CoordinateOutcome::Overflow, 0.0};
    const Extended m = mantissa.Value();

    const std::int64_t scale = static_cast<std::int32_t>(exponent) - fractionCount;
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

    // Rounding to 64 bits overflows when a finite extended value gives an
    // infinity; the infinities of a huge scale are values.
    const double result = v.ToDouble();
    if ((result == std::numeric_limits<double>::infinity() ||
         result == -std::numeric_limits<double>::infinity()) &&
        !v.IsInfinite()) {
        return {CoordinateOutcome::Overflow, 0.0};
    }
    return {CoordinateOutcome::Value, result};
}

}  // namespace vernolak
