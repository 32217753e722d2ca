// Coordinate values of groups 10, 20 and 30: decimal text to a double,
// computed in extended precision in a fixed order of steps so that every text
// gives the same bits as the classic reader.
#pragma once

#include <string_view>

namespace vernolak {

enum class CoordinateOutcome { Value, ParseFailure, Overflow };

struct ParsedCoordinate {
    CoordinateOutcome outcome;
    double value;  // meaningful for CoordinateOutcome::Value only
};

// Parses [blanks][sign][digits][.digits][(E|e)[sign]digits], read up to the end
// of the text or its first NUL byte; '.' is always the decimal point. Any
// other byte, a trailing blank included, is a parse failure. Needs the
// extended arithmetic that ExtendedArithmeticScope establishes.
ParsedCoordinate ParseCoordinate(std::string_view text);

}  // namespace vernolak
