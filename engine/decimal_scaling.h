// Scaling an extended value by a power of ten in the fixed order of steps that
// both the coordinate parse and the number text use: first by 10^(p mod 32),
// then by 10^(32 x ((p div 32) mod 16)), then by 10^(512 x (p div 512)), each
// step rounded, the last two only when their power is not 1.
#pragma once

#include <array>
#include <cstddef>

#include "engine/extended.h"
#include "engine/powers_of_ten.h"

namespace vernolak {

// Scaling takes powers below this bound.
inline constexpr unsigned kPowerOfTenLimit = 5120;

namespace detail {

template <std::size_t N>
constexpr std::array<Extended, N> ToExtended(const PowerOfTen (&powers)[N]) {
    std::array<Extended, N> table{};
    for (std::size_t i = 0; i < N; ++i) {
        table[i] = Extended::FromParts(powers[i].significand, powers[i].exponent);
    }
    return table;
}

inline constexpr auto kUnits = ToExtended(kPowersOfTenUnits);
inline constexpr auto kThirtyTwos = ToExtended(kPowersOfTenThirtyTwos);
inline constexpr auto kFiveTwelves = ToExtended(kPowersOfTenFiveTwelves);

}  // namespace detail

// value x 10^p for p < kPowerOfTenLimit, in the order of steps above.
inline Extended MultiplyByPowerOfTen(Extended value, unsigned p) {
    value = value * detail::kUnits[p % 32];
    if (const unsigned m = (p / 32) % 16; m != 0) value = value * detail::kThirtyTwos[m];
    if (const unsigned q = p / 512; q != 0) value = value * detail::kFiveTwelves[q];
    return value;
}

// value / 10^p for p < kPowerOfTenLimit, in the order of steps above.
inline Extended DivideByPowerOfTen(Extended value, unsigned p) {
    value = value / detail::kUnits[p % 32];
    if (const unsigned m = (p / 32) % 16; m != 0) value = value / detail::kThirtyTwos[m];
    if (const unsigned q = p / 512; q != 0) value = value / detail::kFiveTwelves[q];
    return value;
}

}  // namespace vernolak
