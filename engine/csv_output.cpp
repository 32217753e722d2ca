#include "engine/csv_output.h"

#include <cstring>
#include <utility>

#include "engine/io_failure.h"
#include "engine/number_text.h"

namespace vernolak {
namespace {

constexpr char kHeaderRow[] = "\"X\",\"Y\",\"Z\"\r\n";
constexpr char kSeparatorRow[] = "\"\",\"\",\"\"\r\n";

}  // namespace

CsvOutput::CsvOutput(CsvOutput&& other) noexcept { *this = std::move(other); }

CsvOutput& CsvOutput::operator=(CsvOutput&& other) noexcept {
    if (this != &other) {
        if (IsOpen()) {
            std::error_code ignored;
            CloseFile(file_, ignored);
        }
        file_ = std::exchange(other.file_, kNoFile);
        path_ = std::move(other.path_);
        decimalSeparator_ = other.decimalSeparator_;
        std::memcpy(buffer_, other.buffer_, sizeof buffer_);
        fill_ = std::exchange(other.fill_, 0);
    }
    return *this;
}

CsvOutput::~CsvOutput() {
    if (IsOpen()) {
        std::error_code ignored;
        CloseFile(file_, ignored);
    }
}

void CsvOutput::PassBlock(const char* bytes) {
    std::error_code error;
    if (!WriteFile(file_, bytes, kBlockSize, error)) {
        throw IoFailure(ConversionStep::WriteOutput, path_, error);
    }
}

void CsvOutput::Add(const char* bytes, std::size_t size) {
    while (size >= kBlockSize - fill_) {
        const std::size_t part = kBlockSize - fill_;
        std::memcpy(buffer_ + fill_, bytes, part);
        bytes += part;
        size -= part;
        fill_ = 0;  // the block is gone whether or not the file takes it
        PassBlock(buffer_);
    }
    std::memcpy(buffer_ + fill_, bytes, size);
    fill_ += size;
}

CsvOutput CreateCsvOutput(const std::string& CsvPath, char decimalSeparator) {
    std::error_code error;
    CsvOutput output;
    output.file_ = CreateFileForWriting(CsvPath, error);
    if (output.file_ == kNoFile) throw IoFailure(ConversionStep::CreateOutput, CsvPath, error);
    output.path_ = CsvPath;
    output.decimalSeparator_ = decimalSeparator;
    return output;
}

void WriteHeaderRow(CsvOutput& output) { output.Add(kHeaderRow, sizeof kHeaderRow - 1); }

void WriteSeparatorRow(CsvOutput& output) { output.Add(kSeparatorRow, sizeof kSeparatorRow - 1); }

void WriteVertexRow(CsvOutput& output, double X, double Y, double Z) {
    char row[3 * kMaxCoordinateText + 4];
    char* p = row;
    p += FormatCoordinate(X, output.decimalSeparator_, p);
    *p++ = ',';
    p += FormatCoordinate(Y, output.decimalSeparator_, p);
    *p++ = ',';
    p += FormatCoordinate(Z, output.decimalSeparator_, p);
    *p++ = '\r';
    *p++ = '\n';
    output.Add(row, static_cast<std::size_t>(p - row));
}

void CloseCsvOutput(CsvOutput& output) {
    if (!output.IsOpen()) {
        throw IoFailure(ConversionStep::CloseOutput, output.path_,
                        std::make_error_code(std::errc::bad_file_descriptor));
    }
    std::error_code error;
    if (output.fill_ != 0) {
        const std::size_t fill = std::exchange(output.fill_, 0);
        if (!WriteFile(output.file_, output.buffer_, fill, error)) {
            throw IoFailure(ConversionStep::CloseOutput, output.path_, error);
        }
    }
    if (!CloseFile(std::exchange(output.file_, kNoFile), error)) {
        throw IoFailure(ConversionStep::CloseOutput, output.path_, error);
    }
}

}  // namespace vernolak
