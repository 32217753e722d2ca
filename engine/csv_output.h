// The output side of a conversion: the CSV file, its four row forms (header,
// vertex, closing, separator), every row ended by CR LF, passed to the file in
// blocks of exactly 128 bytes.
#pragma once

#include <cstddef>
#include <string>

#include "engine/platform_files.h"

namespace vernolak {

class CsvOutput {
  public:
    static constexpr std::size_t kBlockSize = 128;

    CsvOutput() = default;
    CsvOutput(CsvOutput&& other) noexcept;
    CsvOutput& operator=(CsvOutput&& other) noexcept;
    ~CsvOutput();  // releases the file without writing, should a run not have closed it

    bool IsOpen() const { return file_ != kNoFile; }

  private:
    friend CsvOutput CreateCsvOutput(const std::string& CsvPath, char decimalSeparator);
    friend void WriteHeaderRow(CsvOutput& output);
    friend void WriteVertexRow(CsvOutput& output, double X, double Y, double Z);
    friend void WriteSeparatorRow(CsvOutput& output);
    friend void CloseCsvOutput(CsvOutput& output);

    void Add(const char* bytes, std::size_t size);
    void PassBlock(const char* bytes);

    FileHandle file_ = kNoFile;
    std::string path_;
    char decimalSeparator_ = '.';
    char buffer_[kBlockSize] = {};
    std::size_t fill_ = 0;
};

// Creates the file at CsvPath, or empties the file there; numbers are written
// with decimalSeparator. Raises IoFailure (CreateOutput) when the folder is
// missing, a directory or a read-only file stands there, or access is denied;
// nothing is changed or left open then.
CsvOutput CreateCsvOutput(const std::string& CsvPath, char decimalSeparator);

// The rows. Each raises IoFailure (WriteOutput) when the file refuses a full
// block; that block is dropped and the file stays open.
void WriteHeaderRow(CsvOutput& output);
void WriteVertexRow(CsvOutput& output, double X, double Y, double Z);
void WriteSeparatorRow(CsvOutput& output);

// Passes the bytes still buffered to the file and closes it. When that last
// write fails it raises IoFailure (CloseOutput) and leaves the file open with
// an empty buffer, so that a second call closes it. Raises IoFailure on an
// output that is not open.
void CloseCsvOutput(CsvOutput& output);

}  // namespace vernolak
