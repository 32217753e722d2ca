// The run against real files that fail: what it returns, what it reports and
// what it leaves on disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/conversion_run.h"
#include "engine/csv_output.h"
#include "engine/extended.h"
#include "engine/platform_files.h"
#include "test_files.h"

namespace vernolak {
namespace {

namespace fs = std::filesystem;
using testing::Crlf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kDrawing = Crlf(
    "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n0\nVERTEX\n10\n1\n20\n2\n30\n3\n0\nSEQEND\n0\nEOF\n");
const std::string kConverted = Crlf("\"X\",\"Y\",\"Z\"\n1,2,3\n\"\",\"\",\"\"\n");

void MakeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST(FailurePaths, MissingInputCreatesNothingAndKeepsAnExistingOutput) {
    TempFolder folder;
    WriteBytes(folder / "out.csv", "old contents");
    const ConversionReport report =
        ConvertDxfToCsvWithReport(folder / "missing.dxf", folder / "out");
    EXPECT_FALSE(report.succeeded);
    EXPECT_EQ(report.failedStep, ConversionStep::OpenInput);
    EXPECT_EQ(report.failedPath, folder / "missing.dxf");
    EXPECT_EQ(report.error, std::errc::no_such_file_or_directory);
    EXPECT_EQ(ReadBytes(folder / "out.csv"), "old contents");
    EXPECT_FALSE(ConvertDxfToCsv(folder / "missing.dxf", folder / "new"));
    EXPECT_FALSE(fs::exists(folder / "new.csv"));
}

TEST(FailurePaths, OutputThatCannotBeCreated) {
    TempFolder folder;
    WriteBytes(folder / "in.dxf", kDrawing);
    fs::create_directory(folder / "dir.csv");
    WriteBytes(folder / "locked.csv", "keep me");
    MakeReadOnly(folder / "locked.csv");
    const struct {
        const char* name;
        std::string base;
        std::errc error;
    } cases[] = {
        {"missing folder", folder / "no/such/folder/out", std::errc::no_such_file_or_directory},
        {"directory at the path", folder / "dir", std::errc::is_a_directory},
        {"read-only file, also for root", folder / "locked", std::errc::permission_denied},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ConversionReport report = ConvertDxfToCsvWithReport(folder / "in.dxf", c.base);
        EXPECT_FALSE(report.succeeded);
        EXPECT_EQ(report.failedStep, ConversionStep::CreateOutput);
        EXPECT_EQ(report.failedPath, c.base + ".csv");
        EXPECT_EQ(report.error, c.error);
    }
    EXPECT_TRUE(fs::is_directory(folder / "dir.csv"));
    EXPECT_EQ(ReadBytes(folder / "locked.csv"), "keep me");
    EXPECT_EQ(ReadBytes(folder / "in.dxf"), kDrawing);
}

TEST(FailurePaths, OutputNamingTheInputFailsWithoutTouchingIt) {
    TempFolder folder;
    WriteBytes(folder / "plan.csv", kDrawing);
    fs::create_hard_link(folder / "plan.csv", folder / "hard.csv");
    fs::create_symlink(folder / "plan.csv", folder / "soft.csv");
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    for (const std::string& base : {folder / "plan", std::string("./plan"), std::string("plan"),
                                    folder / "hard", folder / "soft", folder / "sub/../plan"}) {
        SCOPED_TRACE(base);
        fs::create_directories(folder / "sub");
        const ConversionReport report = ConvertDxfToCsvWithReport("plan.csv", base);
        EXPECT_FALSE(report.succeeded);
        EXPECT_EQ(report.failedStep, ConversionStep::SameFile);
        EXPECT_EQ(ReadBytes(folder / "plan.csv"), kDrawing);
    }
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_symlink(folder / "soft.csv"));
    EXPECT_TRUE(fs::exists(folder / "hard.csv"));
}

TEST(FailurePaths, ALongerExistingOutputIsReplacedWhole) {
    TempFolder folder;
    WriteBytes(folder / "in.dxf", kDrawing);
    WriteBytes(folder / "out.csv", std::string(5000, 'z'));
    ASSERT_TRUE(ConvertDxfToCsv(folder / "in.dxf", folder / "out"));
    EXPECT_EQ(ReadBytes(folder / "out.csv"), kConverted);
}

TEST(FailurePaths, AFailingWriteLeavesNoPartialFile) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    TempFolder folder;
    // Small enough that the only write is the one at the close, and large
    // enough that full blocks fail during the run.
    WriteBytes(folder / "small.dxf", kDrawing);
    std::string large = "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n";
    for (int i = 0; i < 100; ++i) large += "0\nVERTEX\n10\n1\n20\n2\n30\n3\n";
    WriteBytes(folder / "large.dxf", Crlf(large + "0\nSEQEND\n0\nEOF\n"));
    for (const auto& [input, step] : {std::pair{"small.dxf", ConversionStep::CloseOutput},
                                      std::pair{"large.dxf", ConversionStep::WriteOutput}}) {
        SCOPED_TRACE(input);
        fs::create_symlink("/dev/full", folder / "full.csv");
        const ConversionReport report = ConvertDxfToCsvWithReport(folder / input, folder / "full");
        EXPECT_FALSE(report.succeeded);
        EXPECT_EQ(report.failedStep, step);
        EXPECT_EQ(report.error, std::errc::no_space_on_device);
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "full.csv")));
        EXPECT_TRUE(fs::exists("/dev/full"));
    }
}

TEST(FailurePaths, DeleteFileIfPresentSparesFoldersAndReadOnlyFiles) {
    TempFolder folder;
    fs::create_directory(folder / "dir");
    WriteBytes(folder / "locked", "x");
    MakeReadOnly(folder / "locked");
    WriteBytes(folder / "plain", "x");
    DeleteFileIfPresent(folder / "dir");
    DeleteFileIfPresent(folder / "locked");
    DeleteFileIfPresent(folder / "plain");
    DeleteFileIfPresent(folder / "nothing");
    EXPECT_TRUE(fs::is_directory(folder / "dir"));
    EXPECT_TRUE(fs::exists(folder / "locked"));
    EXPECT_FALSE(fs::exists(folder / "plain"));
    EXPECT_TRUE(IsExistingFile(folder / "locked"));
    EXPECT_FALSE(IsExistingFile(folder / "dir"));
    EXPECT_FALSE(IsExistingFile(folder / "nothing"));
}

TEST(CsvOutputBlocks, BytesReachTheFileIn128ByteBlocksOnly) {
    // The write end of a pipe as the output file: what the pipe holds is
    // exactly what has been passed to the file so far.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::fcntl(ends[0], F_SETFL, O_NONBLOCK);
    auto available = [&] {
        char bytes[1024];
        const ssize_t n = ::read(ends[0], bytes, sizeof bytes);
        return n < 0 ? 0 : static_cast<int>(n);
    };
    const ExtendedArithmeticScope arithmetic;
    CsvOutput output = CreateCsvOutput("/proc/self/fd/" + std::to_string(ends[1]), '.');
    WriteHeaderRow(output);                                        // 13 bytes
    for (int i = 0; i < 16; ++i) WriteVertexRow(output, 1, 2, 3);  // 7 bytes each: 125 in all
    EXPECT_EQ(available(), 0);
    WriteSeparatorRow(output);  // 135: one block
    EXPECT_EQ(available(), 128);
    for (int i = 0; i < 17; ++i) WriteVertexRow(output, 1, 2, 3);  // 254: still one block
    EXPECT_EQ(available(), 0);
    WriteVertexRow(output, 1, 2, 3);  // 261: the second block
    EXPECT_EQ(available(), 128);
    CloseCsvOutput(output);
    EXPECT_EQ(available(), 5);
    EXPECT_ANY_THROW(CloseCsvOutput(output));  // no longer open
    ::close(ends[0]);
    ::close(ends[1]);
}

}  // namespace
}  // namespace vernolak
