#include "engine/input_lines.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <utility>

#include "engine/io_failure.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vernolak {
namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFile = '\x1A';

// 1 MiB reads: few system calls, and the memory of a run stays small.
constexpr std::size_t kReadSize = std::size_t{1} << 20;
// FindLineStop loads 16 bytes at a time and may look past the last byte read.
constexpr std::size_t kSearchSlack = 16;

}  // namespace

const char* FindLineStopBytewise(const char* begin, const char* end, bool stopAtLineFeed) {
    for (const char* p = begin; p != end; ++p) {
        if (*p == kCarriageReturn || *p == kEndOfFile || (stopAtLineFeed && *p == kLineFeed)) {
            return p;
        }
    }
    return end;
}

namespace {

// The search behind FindLineStop, local so that ReadInputLine inlines it.
[[gnu::always_inline]] inline const char* FindStop(const char* begin, const char* end,
                                                   bool stopAtLineFeed) {
#if defined(__SSE2__)
    const __m128i carriageReturn = _mm_set1_epi8(kCarriageReturn);
    const __m128i endOfFile = _mm_set1_epi8(kEndOfFile);
    // Without LF as a stop, compare against CR twice: same mask, no branch.
    const __m128i lineFeed = _mm_set1_epi8(stopAtLineFeed ? kLineFeed : kCarriageReturn);
    for (const char* p = begin; p < end; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, carriageReturn), _mm_cmpeq_epi8(bytes, endOfFile)),
            _mm_cmpeq_epi8(bytes, lineFeed));
        if (const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0) {
            const char* stop = p + __builtin_ctz(mask);
            return stop < end ? stop : end;
        }
    }
    return end;
#else
    return FindLineStopBytewise(begin, end, stopAtLineFeed);
#endif
}

}  // namespace

const char* FindLineStop(const char* begin, const char* end, bool stopAtLineFeed) {
    return FindStop(begin, end, stopAtLineFeed);
}

void DxfLine::Grow(std::size_t capacity) {
    const std::size_t grown = std::max({capacity, 2 * capacity_, std::size_t{64}});
    std::unique_ptr<char[]> data(new char[grown + kSlack]);
    if (size_ != 0) std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = grown;
}

void DxfLine::Assign(const char* bytes, std::size_t size) {
    size_ = 0;
    Reserve(size);
    if (size != 0) std::memcpy(data_.get(), bytes, size);
    size_ = size;
}

inline void DxfLine::AppendFromLookAhead(const char* bytes, std::size_t size) {
    Reserve(size_ + size);
    char* out = data_.get() + size_;
    for (std::size_t i = 0; i < size; i += kSlack) std::memcpy(out + i, bytes + i, kSlack);
    size_ += size;
}

std::ostream& operator<<(std::ostream& out, const DxfLine& line) { return out << line.view(); }

DxfInput::DxfInput(DxfInput&& other) noexcept { *this = std::move(other); }

DxfInput& DxfInput::operator=(DxfInput&& other) noexcept {
    if (this != &other) {
        if (IsOpen()) {
            std::error_code ignored;
            CloseFile(file_, ignored);
        }
        file_ = std::exchange(other.file_, kNoFile);
        path_ = std::move(other.path_);
        lineEnds_ = other.lineEnds_;
        buffer_ = std::move(other.buffer_);
        next_ = std::exchange(other.next_, nullptr);
        end_ = std::exchange(other.end_, nullptr);
        atEnd_ = other.atEnd_;
        lineFeedInsideLine_ = other.lineFeedInsideLine_;
    }
    return *this;
}

DxfInput::~DxfInput() {
    if (IsOpen()) {
        std::error_code ignored;
        CloseFile(file_, ignored);
    }
}

void DxfInput::Close() {
    std::error_code error;
    const bool closed = CloseFile(std::exchange(file_, kNoFile), error);
    if (!closed) throw IoFailure(ConversionStep::CloseInput, path_, error);
}

bool DxfInput::Refill() {
    if (atEnd_) return false;
    std::error_code error;
    const std::ptrdiff_t count = ReadFile(file_, buffer_.get(), kReadSize, error);
    if (count < 0) throw IoFailure(ConversionStep::ReadInput, path_, error);
    next_ = buffer_.get();
    end_ = next_ + count;
    if (count == 0) atEnd_ = true;
    return count != 0;
}

DxfInput OpenDxfInput(const std::string& path, LineEnds lineEnds) {
    std::error_code error;
    DxfInput input;
    input.file_ = OpenFileForReading(path, error);
    if (input.file_ == kNoFile) throw IoFailure(ConversionStep::OpenInput, path, error);
    input.path_ = path;
    input.lineEnds_ = lineEnds;
    input.buffer_.reset(new char[kReadSize + kSearchSlack]());
    input.next_ = input.end_ = input.buffer_.get();
    return input;
}

bool AtEndOfInput(DxfInput& input) {
    if (input.atEnd_) return true;
    if (input.next_ == input.end_ && !input.Refill()) return true;
    if (*input.next_ == kEndOfFile) input.atEnd_ = true;
    return input.atEnd_;
}

void ReadInputLine(DxfInput& input, DxfLine& line) {
    // Most lines lie whole in the look-ahead and end with CR LF.
    if (!input.atEnd_) {
        const char* stop = FindStop(input.next_, input.end_, true);
        if (stop + 1 < input.end_ && stop[0] == kCarriageReturn && stop[1] == kLineFeed) {
            line.size_ = 0;
            line.AppendFromLookAhead(input.next_, static_cast<std::size_t>(stop - input.next_));
            input.next_ = stop + 2;
            return;
        }
    }
    ReadInputLineByBlocks(input, line);
}

void ReadInputLineByBlocks(DxfInput& input, DxfLine& line) {
    line.size_ = 0;
    const bool anyLineEnd = input.lineEnds_ == LineEnds::Any;
    for (;;) {
        if (input.atEnd_) return;
        if (input.next_ == input.end_ && !input.Refill()) return;
        // Under the classic reading an LF is collected like any other byte; it
        // is searched for, until the first one is seen, only to tell the caller
        // that lines end with LF alone.
        const char* stop =
            FindStop(input.next_, input.end_, anyLineEnd || !input.lineFeedInsideLine_);
        while (stop != input.end_ && *stop == kLineFeed && !anyLineEnd) {
            input.lineFeedInsideLine_ = true;
            stop = FindStop(stop + 1, input.end_, false);
        }
        line.AppendFromLookAhead(input.next_, static_cast<std::size_t>(stop - input.next_));
        input.next_ = stop;
        if (stop == input.end_) continue;  // the line goes on in the next block

        if (*stop == kEndOfFile) {
            input.atEnd_ = true;  // the position stays in front of it for good
            return;
        }
        ++input.next_;
        if (*stop == kCarriageReturn) {
            // A CR followed by LF is one line end; look ahead for the LF.
            if (input.next_ == input.end_ && !input.Refill()) return;
            if (*input.next_ == kLineFeed) ++input.next_;
        }
        return;
    }
}

}  // namespace vernolak
