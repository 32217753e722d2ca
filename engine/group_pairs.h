// The second stage of reading a drawing: group pairs (a code line and a value
// line), the integer parse of group codes and flags, and the keyword test of
// entity and section names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/input_lines.h"

namespace vernolak {

// Reads the code line, then the value line. When reading the code line fails
// (IoFailure), the value line is not read.
void ReadGroupPair(DxfInput& input, DxfLine& CodeLine, DxfLine& ValueLine);

struct ParsedInteger {
    std::int32_t value;  // defined also when the parse failed
    bool succeeded;
};

// Parses a decimal or hexadecimal ('$', 'x', '0x' prefixes) integer after
// leading blanks, up to the end of the text or its first NUL byte. A failed
// parse keeps the digits read so far, without the sign. Never fails itself.
ParsedInteger ParseInteger(std::string_view text);

// The group code of a code line: -1 for an empty line, otherwise ParseInteger's
// value whether or not the parse succeeded.
std::int32_t ParseGroupCode(std::string_view CodeLine);

// True when the value, upper-cased in ASCII and read up to its first NUL byte,
// contains keyword (printable ASCII) at a position that is not the second byte
// of a Shift-JIS double-byte character.
bool ValueHasKeyword(std::string_view ValueLine, std::string_view keyword);

}  // namespace vernolak
