// The first stage of reading a drawing: the open file and its lines.
//
// A line ends at CR LF or at a lone CR; LF is an ordinary byte of the line
// unless the input reads LineEnds::Any, where a lone LF ends a line too. A
// 0x1A byte ends the input for good: nothing after it is ever read.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "engine/conversion_run.h"
#include "engine/platform_files.h"

namespace vernolak {

// One line of the drawing: a byte string of any length, without its line end.
// Its storage is kept from line to line, so reading a short line costs one
// small copy and no allocation.
class DxfLine {
  public:
    DxfLine() = default;
    explicit DxfLine(std::string_view text) { Assign(text.data(), text.size()); }

    std::string_view view() const { return {data_.get(), size_}; }
    operator std::string_view() const { return view(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    friend bool operator==(const DxfLine& a, std::string_view b) { return a.view() == b; }
    friend std::ostream& operator<<(std::ostream& out, const DxfLine& line);

  private:
    friend void ReadInputLine(class DxfInput& input, DxfLine& line);
    friend void ReadInputLineByBlocks(class DxfInput& input, DxfLine& line);

    // Copying moves whole 16-byte blocks: the source has that much slack
    // after its last byte, and so does this storage.
    static constexpr std::size_t kSlack = 16;

    void Assign(const char* bytes, std::size_t size);
    // Appends size bytes from the look-ahead, whose slack may be read too.
    void AppendFromLookAhead(const char* bytes, std::size_t size);
    void Reserve(std::size_t capacity) {
        if (capacity > capacity_) Grow(capacity);
    }
    void Grow(std::size_t capacity);

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

class DxfInput {
  public:
    DxfInput() = default;
    DxfInput(DxfInput&& other) noexcept;
    DxfInput& operator=(DxfInput&& other) noexcept;
    ~DxfInput();

    bool IsOpen() const { return file_ != kNoFile; }
    // True when path names the open file, whatever its spelling.
    bool IsSameFileAs(const std::string& path) const { return IsSameFile(file_, path); }
    // True once a line has held an LF byte (only possible with LineEnds::Legacy).
    bool LineFeedInsideLine() const { return lineFeedInsideLine_; }

    // Closes the file; raises IoFailure when the system reports a failure.
    void Close();

  private:
    friend DxfInput OpenDxfInput(const std::string& path, LineEnds lineEnds);
    friend bool AtEndOfInput(DxfInput& input);
    friend void ReadInputLine(DxfInput& input, DxfLine& line);
    friend void ReadInputLineByBlocks(DxfInput& input, DxfLine& line);

    // Refills the look-ahead after every byte has been taken; false at the end.
    bool Refill();

    FileHandle file_ = kNoFile;
    std::string path_;
    LineEnds lineEnds_ = LineEnds::Legacy;
    std::unique_ptr<char[]> buffer_;
    const char* next_ = nullptr;  // first byte not yet read
    const char* end_ = nullptr;   // one past the last byte in the look-ahead
    bool atEnd_ = false;          // no byte left, or a 0x1A byte reached; lasts
    bool lineFeedInsideLine_ = false;
};

// Opens the drawing at path for reading only, positioned at its first byte.
// Raises IoFailure (OpenInput) when it cannot be opened or is a directory.
DxfInput OpenDxfInput(const std::string& path, LineEnds lineEnds = LineEnds::Legacy);

// True when no byte is left or the next byte is 0x1A. Moves nothing; raises
// IoFailure (ReadInput) when filling the look-ahead fails.
bool AtEndOfInput(DxfInput& input);

// Reads one line into line, without its line end. At the end of the input the
// line is empty. Raises IoFailure (ReadInput) when a read fails; line then
// holds the bytes collected before the failure.
void ReadInputLine(DxfInput& input, DxfLine& line);

// ReadInputLine for any line: across look-ahead blocks, with any line end.
[[gnu::noinline]] void ReadInputLineByBlocks(DxfInput& input, DxfLine& line);

// Finds the first CR or 0x1A byte (and LF too when stopAtLineFeed) in
// [begin, end), or returns end. May read up to 15 bytes past end, which the
// caller must have allocated.
const char* FindLineStop(const char* begin, const char* end, bool stopAtLineFeed);

// The same search one byte at a time: the reference for FindLineStop.
const char* FindLineStopBytewise(const char* begin, const char* end, bool stopAtLineFeed);

}  // namespace vernolak
