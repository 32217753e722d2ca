// vernolak-floor: the least work a conversion can do under the output rule.
// It reads the whole drawing in large blocks (touching every byte), then
// writes the given CSV file's bytes to the output path in 128-byte write()
// calls, with one last write() for the rest, as the converter must.
//
// Usage: vernolak-floor DRAWING.dxf EXPECTED.csv OUT.csv
// Prints the drawing's byte count and checksum, so the reading cannot be
// optimised away.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t kReadBlock = std::size_t{1} << 20;  // 1 MiB read() calls
constexpr std::size_t kWriteBlock = 128;                  // the output rule

[[noreturn]] void Fail(const char* what, const char* path) {
    std::fprintf(stderr, "vernolak-floor: %s %s: %s\n", what, path, std::strerror(errno));
    std::exit(1);
}

int OpenForReading(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("cannot open", path);
    return fd;
}

// One read() call, retried on EINTR. Returns 0 at the end of the file.
std::size_t ReadSome(int fd, unsigned char* buffer, std::size_t size, const char* path) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) Fail("cannot read", path);
    }
}

void WriteAll(int fd, const unsigned char* data, std::size_t size, const char* path) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail("cannot write", path);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// A cheap checksum that reads every byte: the sum of the block's 64-bit
// words (the compiler vectorises it). It only keeps the reads from being
// optimised away, so it should cost no more than the converter's own scan.
std::uint64_t Checksum(const unsigned char* data, std::size_t size) {
    std::uint64_t sum = 0;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        sum += word;
    }
    for (; i < size; ++i) sum += data[i];
    return sum;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: vernolak-floor DRAWING.dxf EXPECTED.csv OUT.csv\n");
        return 2;
    }
    const char* drawingPath = argv[1];
    const char* expectedPath = argv[2];
    const char* outPath = argv[3];
    const auto buffer = std::make_unique<unsigned char[]>(kReadBlock + kWriteBlock);

    // The drawing: every byte read and folded into a checksum.
    const int drawing = OpenForReading(drawingPath);
    std::uint64_t drawingBytes = 0;
    std::uint64_t checksum = 0;
    for (;;) {
        const std::size_t n = ReadSome(drawing, buffer.get(), kReadBlock, drawingPath);
        if (n == 0) break;
        checksum += Checksum(buffer.get(), n);
        drawingBytes += n;
    }
    if (::close(drawing) != 0) Fail("cannot close", drawingPath);

    // The CSV bytes, passed on in 128-byte write() calls. Bytes that do not
    // fill a block stay at the front of the buffer for the next read.
    const int expected = OpenForReading(expectedPath);
    const int out = ::open(outPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) Fail("cannot create", outPath);
    std::size_t held = 0;
    std::uint64_t writes = 0;
    for (;;) {
        const std::size_t n = ReadSome(expected, buffer.get() + held, kReadBlock, expectedPath);
        if (n == 0) break;
        held += n;
        std::size_t at = 0;
        for (; held - at >= kWriteBlock; at += kWriteBlock, ++writes) {
            WriteAll(out, buffer.get() + at, kWriteBlock, outPath);
        }
        std::memmove(buffer.get(), buffer.get() + at, held - at);
        held -= at;
    }
    if (held > 0) {
        WriteAll(out, buffer.get(), held, outPath);
        ++writes;
    }
    if (::close(expected) != 0) Fail("cannot close", expectedPath);
    if (::close(out) != 0) Fail("cannot close", outPath);

    std::printf("drawing %llu bytes, checksum %016llx; %llu write() calls\n",
                static_cast<unsigned long long>(drawingBytes),
                static_cast<unsigned long long>(checksum), static_cast<unsigned long long>(writes));
    return 0;
}
