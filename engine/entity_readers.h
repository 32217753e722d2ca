// The third stage of reading a drawing: the bodies of POLYLINE and VERTEX
// entities. Each reader starts after the group-0 pair that opened its entity
// and stops after the next group-0 pair, at the end of the input, or at the
// first failure of any kind, which it absorbs. The last pair it read stays in
// CodeLine and ValueLine for the caller to handle next.
#pragma once

#include <string>

#include "engine/input_lines.h"

namespace vernolak {

// Sets PolylineClosed when a group 70 value parses to an odd integer.
void ReadPolylineHeader(DxfInput& input, bool& PolylineClosed, DxfLine& CodeLine,
                        DxfLine& ValueLine);

// Sets X, Y and Z from groups 10, 20 and 30 (zero when absent or unparsable).
// An overflowing coordinate ends the reader with that coordinate unchanged.
void ReadVertex(DxfInput& input, double& X, double& Y, double& Z, DxfLine& CodeLine,
                DxfLine& ValueLine);

}  // namespace vernolak
