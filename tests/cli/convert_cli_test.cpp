#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "run_command.h"

namespace vernolak {
namespace {

namespace fs = std::filesystem;
using testing::Crlf;
using testing::ReadBytes;
using testing::RunConvert;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kDrawing = Crlf(
    "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n70\n1\n0\nVERTEX\n10\n1.5\n20\n2\n30\n0\n"
    "0\nVERTEX\n10\n3\n20\n4\n30\n0\n0\nSEQEND\n0\nEOF\n");
const std::string kConverted = Crlf("\"X\",\"Y\",\"Z\"\n1.5,2,0\n3,4,0\n1.5,2,0\n\"\",\"\",\"\"\n");

TEST(ConvertCli, ConvertsEachInputBesideItQuietly) {
    TempFolder folder;
    WriteBytes(folder / "plan.dxf", kDrawing);
    fs::create_directory(folder / "sub.dir");
    WriteBytes(folder / "sub.dir/site.v2.dxf", kDrawing);
    const auto result = RunConvert(folder, {"plan.dxf", "sub.dir/site.v2.dxf"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadBytes(folder / "plan.csv"), kConverted);
    EXPECT_EQ(ReadBytes(folder / "sub.dir/site.v2.csv"), kConverted);
}

TEST(ConvertCli, OutputBaseAndVerboseReport) {
    TempFolder folder;
    WriteBytes(folder / "plan.dxf", kDrawing);
    const auto result = RunConvert(folder, {"-v", "-o", "out", "plan.dxf"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "out.csv: 3 rows, 1 polylines\n");
    EXPECT_EQ(ReadBytes(folder / "out.csv"), kConverted);
    EXPECT_FALSE(fs::exists(folder / "plan.csv"));
}

TEST(ConvertCli, DecimalSeparatorFromTheOptionOrTheLocale) {
    TempFolder folder;
    WriteBytes(folder / "plan.dxf", kDrawing);
    EXPECT_EQ(RunConvert(folder, {"--decimal-separator=,", "plan.dxf"}).exitStatus, 0);
    EXPECT_EQ(ReadBytes(folder / "plan.csv"),
              Crlf("\"X\",\"Y\",\"Z\"\n1,5,2,0\n3,4,0\n1,5,2,0\n\"\",\"\",\"\"\n"));
    // A locale that cannot be loaded falls back to the point.
    EXPECT_EQ(RunConvert(folder, {"plan.dxf"}, "LC_ALL=xx_NOWHERE.UTF-8").exitStatus, 0);
    EXPECT_EQ(ReadBytes(folder / "plan.csv"), kConverted);
}

TEST(ConvertCli, LineEndModes) {
    TempFolder folder;
    std::string lf = kDrawing;
    std::erase(lf, '\r');
    WriteBytes(folder / "lf.dxf", lf);

    const auto legacy = RunConvert(folder, {"lf.dxf"});
    EXPECT_EQ(legacy.exitStatus, 0);
    EXPECT_EQ(ReadBytes(folder / "lf.csv"), "\"X\",\"Y\",\"Z\"\r\n");
    EXPECT_NE(legacy.err.find("warning: lf.dxf"), std::string::npos) << legacy.err;
    EXPECT_NE(legacy.err.find("--line-ends=any"), std::string::npos) << legacy.err;
    EXPECT_EQ(std::count(legacy.err.begin(), legacy.err.end(), '\n'), 1);

    const auto any = RunConvert(folder, {"--line-ends=any", "lf.dxf"});
    EXPECT_EQ(any.exitStatus, 0);
    EXPECT_EQ(any.err, "");
    EXPECT_EQ(ReadBytes(folder / "lf.csv"), kConverted);
}

TEST(ConvertCli, FailuresNameTheInputTheStepAndTheReason) {
    TempFolder folder;
    WriteBytes(folder / "plan.dxf", kDrawing);
    const auto result = RunConvert(folder, {"missing.dxf", "plan.dxf", "-o", "no/such/out"});
    EXPECT_EQ(result.exitStatus, 2);  // -o with two inputs

    const auto failed = RunConvert(folder, {"missing.dxf", "plan.dxf"});
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_EQ(failed.err,
              "vernolak-convert: missing.dxf: cannot open the drawing missing.dxf: "
              "No such file or directory\n");
    EXPECT_EQ(ReadBytes(folder / "plan.csv"), kConverted);  // the others still convert

    const auto noFolder = RunConvert(folder, {"-o", "no/such/out", "plan.dxf"});
    EXPECT_EQ(noFolder.exitStatus, 1);
    EXPECT_EQ(noFolder.err,
              "vernolak-convert: plan.dxf: cannot create the output no/such/out.csv: "
              "No such file or directory\n");
}

TEST(ConvertCli, UsageErrors) {
    TempFolder folder;
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{},
                                                      {"--decimal-separator=ab", "x.dxf"},
                                                      {"--line-ends=lf", "x.dxf"},
                                                      {"--frobnicate", "x.dxf"},
                                                      {"x.dxf", "-o"}}) {
        const auto result = RunConvert(folder, arguments);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_NE(result.err.find("usage: vernolak-convert"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    const auto help = RunConvert(folder, {"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.out.find("--line-ends=any"), std::string::npos);
}

}  // namespace
}  // namespace vernolak
