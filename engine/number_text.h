// The text of a coordinate in the CSV file: the general number format with 15
// significant digits, its digits worked out in extended precision.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vernolak {

// The longest text FormatCoordinate writes, such as -4.94065645841247E-324.
inline constexpr std::size_t kMaxCoordinateText = 22;

// Writes the text of value into out (at least kMaxCoordinateText bytes) and
// returns its length. Zero of either sign gives "0", infinities "INF", NaN
// "NAN"; fixed form for decimal exponents -4 ... 14, else d.ddd E[-]x.
// Needs the extended arithmetic that ExtendedArithmeticScope establishes.
std::size_t FormatCoordinate(double value, char decimalSeparator, char* out);

namespace detail {

// A step behind the digits, exposed so that tests can hold the integer
// shortcut against the extended-precision step it replaces.

// s / 10 rounded to 64 significant bits, then to an integer, ties to even.
std::uint64_t DivideByTenStepByStep(std::uint64_t s);
std::uint64_t DivideByTenExactly(std::uint64_t s);

}  // namespace detail

}  // namespace vernolak
