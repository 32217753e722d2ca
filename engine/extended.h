// Extended: the 80-bit extended-precision arithmetic that the coordinate
// parse and the number text are defined in (64-bit significand with explicit
// leading bit, 15-bit exponent, every operation rounded to nearest, ties to
// even). Everything that computes in that format goes through this type, so
// that a software implementation can take the place of the native one on
// targets without it.
#pragma once

#include <cstdint>
#include <limits>

#if !((defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__)))
#error \
    "Extended needs the x87 extended format as long double (GCC or Clang on x86); no other implementation is available yet"
#endif

namespace vernolak {

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must carry a 64-bit significand");
static_assert(std::numeric_limits<long double>::max_exponent == 16384 &&
                  std::numeric_limits<long double>::min_exponent == -16381,
              "long double must have the 15-bit exponent of the extended format");
static_assert(std::numeric_limits<long double>::round_style == std::round_to_nearest);

class Extended {
  public:
    constexpr Extended() = default;
    static constexpr Extended FromUint64(std::uint64_t value) {
        return Extended(static_cast<long double>(value));  // exact: 64 significand bits
    }
    static constexpr Extended FromDouble(double value) {
        return Extended(static_cast<long double>(value));  // exact for every double
    }
    // Builds significand x 2^(exponent - 63) exactly; used by the tables of powers.
    static constexpr Extended FromParts(std::uint64_t significand, int exponent) {
        return Extended(static_cast<long double>(significand) * PowerOfTwo(exponent - 63));
    }

    friend Extended operator+(Extended a, Extended b) { return Extended(a.value_ + b.value_); }
    friend Extended operator*(Extended a, Extended b) { return Extended(a.value_ * b.value_); }
    friend Extended operator/(Extended a, Extended b) { return Extended(a.value_ / b.value_); }
    friend Extended operator-(Extended a) { return Extended(-a.value_); }

    bool IsInfinite() const { return value_ == kInfinity || value_ == -kInfinity; }

    // Rounds to an integer, ties to even.
    Extended RoundToInteger() const { return Extended(__builtin_rintl(value_)); }

    // The value of an integer-valued Extended below 2^64.
    std::uint64_t ToUint64() const { return static_cast<std::uint64_t>(value_); }

    // Rounds a value in [0, 2^64) to an integer, ties to even: the same as
    // RoundToInteger().ToUint64(), in one x87 store. The store takes signed
    // integers, so values from 2^63 up are taken down by 2^63 first (exact,
    // and 2^63 is even, so the rounding is unchanged).
    std::uint64_t RoundToUint64() const {
        constexpr long double kTwoTo63 = 9223372036854775808.0L;
        const bool high = value_ >= kTwoTo63;
        const long double low = high ? value_ - kTwoTo63 : value_;
        std::int64_t rounded;
        __asm__("fistpll %0" : "=m"(rounded) : "t"(low) : "st");
        return static_cast<std::uint64_t>(rounded) + (high ? std::uint64_t{1} << 63 : 0);
    }

    // Rounds to the nearest double, ties to even; beyond the double range this
    // gives an infinity and small values become subnormal or zero.
    double ToDouble() const { return static_cast<double>(value_); }

  private:
    // 2^k by squaring; every step is exact inside the extended range.
    static constexpr long double PowerOfTwo(int k) {
        long double result = 1.0L;
        long double base = k < 0 ? 0.5L : 2.0L;
        for (unsigned n = static_cast<unsigned>(k < 0 ? -k : k); n != 0; n >>= 1) {
            if (n & 1) result *= base;
            if (n > 1) base *= base;
        }
        return result;
    }
    static constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
    constexpr explicit Extended(long double value) : value_(value) {}
    long double value_ = 0.0L;
};

// Puts the x87 unit into the state the number rules need (64-bit significand,
// round to nearest) for the lifetime of the object and restores the caller's
// state afterwards. A host program or a library may have lowered the
// precision to 53 bits (some runtimes do so at start), which would change the
// digits of some coordinates.
class ExtendedArithmeticScope {
  public:
    ExtendedArithmeticScope() {
        __asm__ volatile("fnstcw %0" : "=m"(saved_));
        // Bits 8-9 precision control (11 = 64-bit), bits 10-11 rounding (00 = nearest).
        const std::uint16_t wanted = static_cast<std::uint16_t>((saved_ & ~0x0F00u) | 0x0300u);
        if (wanted != saved_) {
            __asm__ volatile("fldcw %0" : : "m"(wanted));
            changed_ = true;
        }
    }
    ~ExtendedArithmeticScope() {
        if (changed_) __asm__ volatile("fldcw %0" : : "m"(saved_));
    }
    ExtendedArithmeticScope(const ExtendedArithmeticScope&) = delete;
    ExtendedArithmeticScope& operator=(const ExtendedArithmeticScope&) = delete;

  private:
    std::uint16_t saved_ = 0;
    bool changed_ = false;
};

}  // namespace vernolak
