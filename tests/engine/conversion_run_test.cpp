#include "engine/conversion_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_files.h"

namespace vernolak {
namespace {

using testing::Crlf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Every drawing in tests/fixtures converts to the bytes of its .csv beside it.
TEST(ConversionRun, FixturesConvertToTheirExpectedBytes) {
    TempFolder folder;
    int fixtures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VERNOLAK_FIXTURES_DIR)) {
        if (entry.path().extension() != ".dxf") continue;
        ++fixtures;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        std::filesystem::path expected = entry.path();
        expected.replace_extension(".csv");
        ASSERT_TRUE(std::filesystem::exists(expected));
        ASSERT_TRUE(ConvertDxfToCsv(entry.path().string(), folder / name));
        EXPECT_EQ(ReadBytes(folder / (name + ".csv")), ReadBytes(expected.string()));
    }
    EXPECT_GE(fixtures, 9);
}

const std::string kClosedSquare = Crlf(
    "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n70\n1\n"
    "0\nVERTEX\n10\n1.5\n20\n2\n30\n0\n"
    "0\nVERTEX\n10\n-0.25\n20\n1E-7\n30\n0\n"
    "0\nSEQEND\n0\nEOF\n");

TEST(ConversionRun, DecimalSeparatorAndLineEndOptions) {
    TempFolder folder;
    WriteBytes(folder / "square.dxf", kClosedSquare);
    ASSERT_TRUE(ConvertDxfToCsv(folder / "square.dxf", folder / "comma", {',', LineEnds::Legacy}));
    EXPECT_EQ(ReadBytes(folder / "comma.csv"),
              Crlf("\"X\",\"Y\",\"Z\"\n1,5,2,0\n-0,25,1E-7,0\n1,5,2,0\n\"\",\"\",\"\"\n"));

    std::string lf = kClosedSquare;
    std::erase(lf, '\r');
    WriteBytes(folder / "lf.dxf", lf);
    ASSERT_TRUE(ConvertDxfToCsv(folder / "lf.dxf", folder / "lf-legacy"));
    EXPECT_EQ(ReadBytes(folder / "lf-legacy.csv"), "\"X\",\"Y\",\"Z\"\r\n");
    ASSERT_TRUE(ConvertDxfToCsv(folder / "lf.dxf", folder / "lf-any", {'.', LineEnds::Any}));
    ASSERT_TRUE(ConvertDxfToCsv(folder / "square.dxf", folder / "crlf"));
    EXPECT_EQ(ReadBytes(folder / "lf-any.csv"), ReadBytes(folder / "crlf.csv"));
}

TEST(ConversionRun, OutputPathGetsCsvAppendedAlways) {
    TempFolder folder;
    WriteBytes(folder / "square.dxf", kClosedSquare);
    ASSERT_TRUE(ConvertDxfToCsv(folder / "square.dxf", folder / "out.csv"));
    EXPECT_TRUE(std::filesystem::exists(folder / "out.csv.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder / "out.csv"));
}

TEST(ConversionRun, ReportsRowsAndPolylines) {
    std::string drawing = "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n70\n1\n";
    for (int i = 0; i < 40; ++i) drawing += "0\nVERTEX\n10\n1\n20\n2\n30\n3\n";
    drawing += "0\nSEQEND\n0\nLWPOLYLINE\n0\nEOF\n";
    TempFolder folder;
    WriteBytes(folder / "many.dxf", Crlf(drawing));
    const ConversionReport report = ConvertDxfToCsvWithReport(folder / "many.dxf", folder / "many");
    ASSERT_TRUE(report.succeeded);
    EXPECT_EQ(report.rows, 41u);      // 40 vertex rows and the closing row
    EXPECT_EQ(report.polylines, 1u);  // the lightweight polyline wrote no row
    EXPECT_FALSE(report.lineFeedInsideLine);
    EXPECT_EQ(ReadBytes(folder / "many.csv").size(), 13u + 41u * 7u + 10u);
}

TEST(ConversionRun, DigitsDoNotDependOnTheCallersFloatingPointPrecision) {
    // A host that lowered the x87 precision to 53 bits (as some runtimes do)
    // must still get the extended-precision digits, and its setting back.
    TempFolder folder;
    WriteBytes(folder / "digits.dxf",
               Crlf("0\nSECTION\n2\nENTITIES\n0\nVERTEX\n10\n87.68643808699305\n"
                    "20\n790317.1794294375\n30\n0.015\n0\nEOF\n"));
    std::uint16_t saved = 0;
    __asm__ volatile("fnstcw %0" : "=m"(saved));
    const std::uint16_t doublePrecision = static_cast<std::uint16_t>((saved & ~0x0300u) | 0x0200u);
    __asm__ volatile("fldcw %0" : : "m"(doublePrecision));
    const bool converted = ConvertDxfToCsv(folder / "digits.dxf", folder / "digits");
    std::uint16_t after = 0;
    __asm__ volatile("fnstcw %0" : "=m"(after));
    __asm__ volatile("fldcw %0" : : "m"(saved));
    ASSERT_TRUE(converted);
    EXPECT_EQ(after, doublePrecision);
    EXPECT_EQ(ReadBytes(folder / "digits.csv"),
              Crlf("\"X\",\"Y\",\"Z\"\n87.6864380869931,790317.179429438,0.015\n"));
}

}  // namespace
}  // namespace vernolak
