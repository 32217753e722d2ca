#include "engine/number_text.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "engine/decimal_scaling.h"
#include "engine/extended.h"

namespace vernolak {
namespace {

constexpr std::uint64_t kTenTo15 = 1'000'000'000'000'000u;
constexpr std::uint64_t kTenTo17 = 100'000'000'000'000'000u;
constexpr std::uint64_t kTenTo18 = 1'000'000'000'000'000'000u;

// The base-2 exponent e of |value| (2^e <= |value| < 2^(e+1)), subnormals in
// their normalised form. value is finite and not zero.
int BinaryExponent(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased != 0) return biased - 1023;
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    return -1074 + (63 - std::countl_zero(fraction));
}

}  // namespace

namespace detail {

std::uint64_t DivideByTenStepByStep(std::uint64_t s) {
    return (Extended::FromUint64(s) / Extended::FromUint64(10)).RoundToInteger().ToUint64();
}

// s / 10 has at least three fraction bits in the 64-bit significand (s < 2^64,
// so s / 10 < 2^61), and tenths never round to exactly one half there, so
// rounding to 64 bits first and then to an integer equals rounding s / 10 to
// an integer at once, ties to even.
std::uint64_t DivideByTenExactly(std::uint64_t s) {
    const std::uint64_t quotient = s / 10;
    const std::uint64_t rest = s % 10;
    return quotient + (rest > 5 || (rest == 5 && (quotient & 1) != 0) ? 1 : 0);
}

}  // namespace detail

namespace {

// magnitude x 10^n (n < 0: divided by 10^-n), rounded at each step, then
// rounded to an integer, ties to even; the result lies below 10^19.
std::uint64_t ScaledInteger(double magnitude, int n) {
    const Extended m = Extended::FromDouble(magnitude);
    const Extended scaled = n >= 0 ? MultiplyByPowerOfTen(m, static_cast<unsigned>(n))
                                   : DivideByPowerOfTen(m, static_cast<unsigned>(-n));
    return scaled.RoundToUint64();
}

// "00" "01" ... "99": two digits at a time halve the divisions.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes value (below 10^4) as exactly four digits.
void WriteFourDigits(std::uint32_t value, char* out) {
    std::memcpy(out, kDigitPairs + 2 * (value / 100), 2);
    std::memcpy(out + 2, kDigitPairs + 2 * (value % 100), 2);
}

// Writes value (below 10^15) as exactly 15 digits. The four-digit groups are
// independent of each other, so their divisions overlap in the processor.
void WriteFifteenDigits(std::uint64_t value, char* out) {
    const auto high = static_cast<std::uint32_t>(value / 100'000'000);  // 7 digits
    const auto low = static_cast<std::uint32_t>(value % 100'000'000);   // 8 digits
    const std::uint32_t top = high / 10'000;                            // 3 digits
    out[0] = static_cast<char>('0' + top / 100);
    std::memcpy(out + 1, kDigitPairs + 2 * (top % 100), 2);
    WriteFourDigits(high % 10'000, out + 3);
    WriteFourDigits(low / 10'000, out + 7);
    WriteFourDigits(low % 10'000, out + 11);
}

struct SignificantDigits {
    char digits[15];
    int count;            // 1 ... 15, the first and the last not '0'
    int decimalExponent;  // K: the value is 0.digits x 10^K
};

SignificantDigits DigitsOf(double magnitude) {
    const int e = BinaryExponent(magnitude);
    // 19728 / 65536 is just below log10(2); the shift floors for negative e too.
    int k = ((e * 19728) >> 16) + 1;
    std::uint64_t s = ScaledInteger(magnitude, 18 - k);
    if (s >= kTenTo18) {
        // The estimate was one too small: one digit more before the point.
        s = detail::DivideByTenExactly(s);
        ++k;
        if (s >= kTenTo18) {  // rounded up to 10^18 itself: the digit 1
            s /= 10;
            ++k;
        }
    } else if (s < kTenTo17) {
        // In two narrow ranges of tiny magnitudes the estimate is one too
        // large; scale again with the right exponent so that the text keeps
        // its 15 significant digits.
        --k;
        s = ScaledInteger(magnitude, 18 - k);
    }

    // Round the 18 digits to 15, decided by the 16th digit alone.
    std::uint64_t leading = s / 1000;  // the first 15 digits
    if ((s / 100) % 10 >= 5) {
        ++leading;
        if (leading == kTenTo15) {
            leading /= 10;
            ++k;
        }
    }
    SignificantDigits result{};
    result.decimalExponent = k;
    WriteFifteenDigits(leading, result.digits);
    int count = 15;
    while (result.digits[count - 1] == '0') --count;  // the first digit is never 0
    result.count = count;
    return result;
}

char* WriteUnsigned(char* out, unsigned value) {
    char reversed[10];
    int n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) *out++ = reversed[--n];
    return out;
}

}  // namespace

std::size_t FormatCoordinate(double value, char decimalSeparator, char* out) {
    if (value != value) {
        std::memcpy(out, "NAN", 3);
        return 3;
    }
    if (value == 0) {
        out[0] = '0';
        return 1;
    }
    const double magnitude = value < 0 ? -value : value;
    if (magnitude > 1.7976931348623157e308) {
        std::memcpy(out, "INF", 3);
        return 3;
    }

    const SignificantDigits d = DigitsOf(magnitude);
    const int k = d.decimalExponent;
    char* p = out;
    if (value < 0) *p++ = '-';
    if (k >= -3 && k <= 15) {
        if (k <= 0) {
            *p++ = '0';
            *p++ = decimalSeparator;
            for (int i = 0; i < -k; ++i) *p++ = '0';
            std::memcpy(p, d.digits, static_cast<std::size_t>(d.count));
            p += d.count;
        } else if (d.count <= k) {
            std::memcpy(p, d.digits, static_cast<std::size_t>(d.count));
            p += d.count;
            for (int i = d.count; i < k; ++i) *p++ = '0';
        } else {
            std::memcpy(p, d.digits, static_cast<std::size_t>(k));
            p += k;
            *p++ = decimalSeparator;
            std::memcpy(p, d.digits + k, static_cast<std::size_t>(d.count - k));
            p += d.count - k;
        }
    } else {
        *p++ = d.digits[0];
        if (d.count > 1) {
            *p++ = decimalSeparator;
            std::memcpy(p, d.digits + 1, static_cast<std::size_t>(d.count - 1));
            p += d.count - 1;
        }
        *p++ = 'E';
        const int x = k - 1;
        if (x < 0) *p++ = '-';
        p = WriteUnsigned(p, static_cast<unsigned>(x < 0 ? -x : x));
    }
    return static_cast<std::size_t>(p - out);
}

}  // namespace vernolak
