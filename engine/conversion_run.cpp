#include "engine/conversion_run.h"

#include <cstdint>
#include <new>
#include <stdexcept>

#include "engine/csv_output.h"
#include "engine/entity_readers.h"
#include "engine/extended.h"
#include "engine/group_pairs.h"
#include "engine/input_lines.h"
#include "engine/io_failure.h"

namespace vernolak {
namespace {

struct Vertex {
    double X = 0.0, Y = 0.0, Z = 0.0;
};

// Passes over everything before the entities: up to the group-2 pair naming
// ENTITIES, a group-0 EOF pair, or the end of the input. Writes nothing.
void ScanToEntities(DxfInput& input, DxfLine& CodeLine, DxfLine& ValueLine) {
    for (;;) {
        ReadGroupPair(input, CodeLine, ValueLine);
        const std::int32_t code = ParseGroupCode(CodeLine);
        if (code == 2 && ValueHasKeyword(ValueLine, "ENTITIES")) return;
        if (code == 0 && ValueHasKeyword(ValueLine, "EOF")) return;
        if (AtEndOfInput(input)) return;
    }
}

// Follows POLYLINE, VERTEX and SEQEND entities to a group-0 EOF pair or the
// end of the input, writing a row for every vertex, the first vertex again at
// the end of a closed polyline, and a separator row at every SEQEND.
void RunEntityLoop(DxfInput& input, CsvOutput& output, DxfLine& CodeLine, DxfLine& ValueLine,
                   ConversionReport& report) {
    bool ReadNext = true;
    bool AwaitFirstVertex = false;
    bool PolylineClosed = false;
    Vertex FirstVertex;
    bool endAfterThisPair = false;
    while (!endAfterThisPair) {
        // A pair left behind by a body reader is dropped at the end of input.
        if (AtEndOfInput(input)) return;
        if (ReadNext) {
            ReadGroupPair(input, CodeLine, ValueLine);
        } else {
            ReadNext = true;
        }
        if (ParseGroupCode(CodeLine) != 0) continue;

        endAfterThisPair = ValueHasKeyword(ValueLine, "EOF");
        if (ValueHasKeyword(ValueLine, "POLYLINE")) {
            ReadPolylineHeader(input, PolylineClosed, CodeLine, ValueLine);
            AwaitFirstVertex = true;
            ReadNext = false;
        } else if (ValueHasKeyword(ValueLine, "VERTEX")) {
            Vertex vertex;
            ReadVertex(input, vertex.X, vertex.Y, vertex.Z, CodeLine, ValueLine);
            WriteVertexRow(output, vertex.X, vertex.Y, vertex.Z);
            ++report.rows;
            ReadNext = false;
            if (AwaitFirstVertex) {
                FirstVertex = vertex;
                AwaitFirstVertex = false;
                ++report.polylines;
            }
        } else if (ValueHasKeyword(ValueLine, "SEQEND")) {
            if (PolylineClosed) {
                WriteVertexRow(output, FirstVertex.X, FirstVertex.Y, FirstVertex.Z);
                ++report.rows;
            }
            WriteSeparatorRow(output);
        }
    }
}

// Releases the files after a failure: closes the output (a second close
// releases it when the first one's last write fails), then the input.
void CleanUpAfterFailure(DxfInput& input, CsvOutput& output) {
    if (output.IsOpen()) {
        try {
            CloseCsvOutput(output);
        } catch (...) {
            try {
                CloseCsvOutput(output);
            } catch (...) {
            }
        }
    }
    if (input.IsOpen()) {
        try {
            input.Close();
        } catch (...) {
        }
    }
}

}  // namespace

const char* DescribeStep(ConversionStep step) {
    switch (step) {
        case ConversionStep::None:
            return "no failure";
        case ConversionStep::OpenInput:
            return "cannot open the drawing";
        case ConversionStep::SameFile:
            return "the output file is the drawing itself";
        case ConversionStep::CreateOutput:
            return "cannot create the output";
        case ConversionStep::ReadInput:
            return "cannot read the drawing";
        case ConversionStep::WriteOutput:
            return "cannot write the output";
        case ConversionStep::CloseOutput:
            return "cannot finish the output";
        case ConversionStep::CloseInput:
            return "cannot close the drawing";
        case ConversionStep::OutOfMemory:
            return "not enough memory for a line of the drawing";
    }
    return "unknown failure";
}

ConversionReport ConvertDxfToCsvWithReport(const std::string& DxfPath,
                                           const std::string& CsvBasePath,
                                           const ConversionOptions& options) {
    const ExtendedArithmeticScope arithmetic;
    ConversionReport report;
    const std::string CsvPath = CsvBasePath + ".csv";
    DxfInput input;
    CsvOutput output;
    bool createdOutput = false;
    try {
        DxfLine CodeLine, ValueLine;
        input = OpenDxfInput(DxfPath, options.lineEnds);
        // Emptying the output would destroy the drawing before it was read.
        if (input.IsSameFileAs(CsvPath)) {
            throw IoFailure(ConversionStep::SameFile, CsvPath, std::error_code());
        }
        output = CreateCsvOutput(CsvPath, options.decimalSeparator);
        createdOutput = true;
        WriteHeaderRow(output);
        ScanToEntities(input, CodeLine, ValueLine);
        RunEntityLoop(input, output, CodeLine, ValueLine, report);
        CloseCsvOutput(output);
        input.Close();
        report.succeeded = true;
    } catch (const IoFailure& failure) {
        report.failedStep = failure.step();
        report.failedPath = failure.path();
        report.error = failure.error();
    } catch (const std::bad_alloc&) {
        report.failedStep = ConversionStep::OutOfMemory;
        report.failedPath = DxfPath;
        report.error = std::make_error_code(std::errc::not_enough_memory);
    } catch (const std::length_error&) {
        report.failedStep = ConversionStep::OutOfMemory;
        report.failedPath = DxfPath;
        report.error = std::make_error_code(std::errc::not_enough_memory);
    } catch (...) {
        report.failedStep = ConversionStep::ReadInput;
        report.failedPath = DxfPath;
    }
    report.lineFeedInsideLine = input.LineFeedInsideLine();
    if (!report.succeeded) {
        CleanUpAfterFailure(input, output);
        if (createdOutput) DeleteFileIfPresent(CsvPath);
    }
    return report;
}

bool ConvertDxfToCsv(const std::string& DxfPath, const std::string& CsvBasePath,
                     const ConversionOptions& options) {
    try {
        return ConvertDxfToCsvWithReport(DxfPath, CsvBasePath, options).succeeded;
    } catch (...) {
        return false;  // only the report itself could not be made
    }
}

}  // namespace vernolak
