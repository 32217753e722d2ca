// The one entry point of the conversion engine: a DXF drawing in, a CSV file
// of its polyline vertices out.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace vernolak {

// Which bytes end a line of the drawing.
enum class LineEnds {
    Legacy,  // CR LF and a lone CR; LF is an ordinary byte (the classic reading)
    Any,     // CR LF, a lone CR and a lone LF
};

struct ConversionOptions {
    char decimalSeparator = '.';  // the one byte between integer and fraction digits
    LineEnds lineEnds = LineEnds::Legacy;
};

// The stage of a run at which it failed.
enum class ConversionStep {
    None,
    OpenInput,     // the drawing could not be opened for reading
    SameFile,      // the output path names the drawing itself
    CreateOutput,  // the CSV file could not be created or emptied
    ReadInput,     // reading the drawing failed
    WriteOutput,   // passing CSV bytes to the file failed
    CloseOutput,   // the last CSV bytes or the close failed
    CloseInput,    // closing the drawing failed
    OutOfMemory,   // a line longer than the memory could hold
};

// What a run did: its outcome and, after a failure, what failed and why.
struct ConversionReport {
    bool succeeded = false;
    ConversionStep failedStep = ConversionStep::None;
    std::string failedPath;           // the file the failed step worked on
    std::error_code error;            // the system's reason
    std::uint64_t rows = 0;           // vertex rows and closing rows written
    std::uint64_t polylines = 0;      // POLYLINE headers followed by a vertex row
    bool lineFeedInsideLine = false;  // a line held an LF byte (legacy reading only)
};

// Converts the drawing at DxfPath (opened exactly as given) into CsvBasePath
// followed by ".csv". Returns true when the whole drawing was read and the CSV
// file written; on false the CSV file that the run created has been removed
// again, and a file that was at the output path and was not replaced is
// untouched. Never throws. Establishes the extended-precision arithmetic that
// the number rules need for the length of the call and restores the caller's.
bool ConvertDxfToCsv(const std::string& DxfPath, const std::string& CsvBasePath,
                     const ConversionOptions& options = {});

// The same run, reporting what failed and what was written.
ConversionReport ConvertDxfToCsvWithReport(const std::string& DxfPath,
                                           const std::string& CsvBasePath,
                                           const ConversionOptions& options = {});

// A short English phrase for a step, such as "cannot create the output".
const char* DescribeStep(ConversionStep step);

}  // namespace vernolak
