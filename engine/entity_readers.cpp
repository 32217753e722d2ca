#include "engine/entity_readers.h"

#include "engine/coordinate_parse.h"
#include "engine/group_pairs.h"

namespace vernolak {
namespace {

// Stores a coordinate value line into target; false on an overflow, which
// ends the vertex. An empty line changes nothing; a parse failure stores +0.
bool StoreCoordinate(const DxfLine& ValueLine, double& target) {
    if (ValueLine.empty()) return true;
    const ParsedCoordinate parsed = ParseCoordinate(ValueLine);
    switch (parsed.outcome) {
        case CoordinateOutcome::Value:
            target = parsed.value;
            return true;
        case CoordinateOutcome::ParseFailure:
            target = 0.0;
            return true;
        case CoordinateOutcome::Overflow:
            break;
    }
    return false;
}

}  // namespace

void ReadPolylineHeader(DxfInput& input, bool& PolylineClosed, DxfLine& CodeLine,
                        DxfLine& ValueLine) {
    PolylineClosed = false;
    try {
        while (!AtEndOfInput(input)) {
            ReadGroupPair(input, CodeLine, ValueLine);
            const std::int32_t code = ParseGroupCode(CodeLine);
            if (code == 0) return;
            if (code == 70 && !ValueLine.empty()) {
                const ParsedInteger flags = ParseInteger(ValueLine);
                if (flags.succeeded && (flags.value & 1) != 0) PolylineClosed = true;
            }
        }
    } catch (...) {
        // A failure ends the header quietly; if it lasts, the run meets it at
        // its own next read.
    }
}

void ReadVertex(DxfInput& input, double& X, double& Y, double& Z, DxfLine& CodeLine,
                DxfLine& ValueLine) {
    X = Y = Z = 0.0;
    try {
        while (!AtEndOfInput(input)) {
            ReadGroupPair(input, CodeLine, ValueLine);
            const std::int32_t code = ParseGroupCode(CodeLine);
            if (code == 0) return;
            double* target = code == 10 ? &X : code == 20 ? &Y : code == 30 ? &Z : nullptr;
            if (target != nullptr && !StoreCoordinate(ValueLine, *target)) return;
        }
    } catch (...) {
        // As for the header: absorbed here, met again by the run if it lasts.
    }
}

}  // namespace vernolak
