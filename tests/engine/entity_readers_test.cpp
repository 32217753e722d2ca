#include "engine/entity_readers.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "engine/extended.h"
#include "test_files.h"

namespace vernolak {
namespace {

using testing::Crlf;
using testing::TempFolder;
using testing::WriteBytes;

struct VertexResult {
    double X, Y, Z;
    DxfLine code, value;  // the pair left behind
};

VertexResult ReadVertexFrom(const std::string& body) {
    TempFolder folder;
    WriteBytes(folder / "vertex.dxf", body);
    DxfInput input = OpenDxfInput(folder / "vertex.dxf");
    VertexResult r{-1, -1, -1, DxfLine("before"), DxfLine("before")};
    ReadVertex(input, r.X, r.Y, r.Z, r.code, r.value);
    return r;
}

bool ReadClosedFlag(const std::string& body) {
    TempFolder folder;
    WriteBytes(folder / "header.dxf", body);
    DxfInput input = OpenDxfInput(folder / "header.dxf");
    bool closed = true;
    DxfLine code, value;
    ReadPolylineHeader(input, closed, code, value);
    return closed;
}

TEST(EntityReaders, VertexCoordinates) {
    const struct {
        const char* name;
        std::string body;
        double X, Y, Z;
        const char* code;
        const char* value;
    } cases[] = {
        {"all three, then the next entity", "10\n1\n20\n2\n30\n3\n0\nVERTEX\n", 1, 2, 3, "0",
         "VERTEX"},
        {"10 and 20 only: Z is zero", "10\n1\n20\n2\n0\nSEQEND\n", 1, 2, 0, "0", "SEQEND"},
        {"the second group 10 counts", "10\n1\n10\n4\n0\nX\n", 4, 0, 0, "0", "X"},
        {"a failed second one gives zero", "10\n1\n10\n1.5 \n0\nX\n", 0, 0, 0, "0", "X"},
        {"an empty second one changes nothing", "10\n1\n10\n\n0\nX\n", 1, 0, 0, "0", "X"},
        {"other groups are passed over", "8\n0\n11\n5\n42\n1\n70\n32\n30\n-0.5\n0\nX\n", 0, 0, -0.5,
         "0", "X"},
        {"overflow keeps Y and stops", "20\n7\n20\n1e400\n30\n5\n0\nX\n", 0, 7, 0, "20", "1e400"},
        {"end of input", "10\n1", 1, 0, 0, "10", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const VertexResult r = ReadVertexFrom(Crlf(c.body));
        EXPECT_EQ(r.X, c.X);
        EXPECT_EQ(r.Y, c.Y);
        EXPECT_EQ(r.Z, c.Z);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.value, c.value);
    }
}

TEST(EntityReaders, VertexKeepsNegativeZeroAndLeavesThePairAtTheEnd) {
    const VertexResult r = ReadVertexFrom(Crlf("10\n-0\n"));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(r.X), std::bit_cast<std::uint64_t>(-0.0));
    EXPECT_EQ(r.code, "10");

    const VertexResult atEnd = ReadVertexFrom("");
    EXPECT_EQ(atEnd.X, 0.0);  // reset on entry
    EXPECT_EQ(atEnd.code, "before");
    EXPECT_EQ(atEnd.value, "before");
}

TEST(EntityReaders, ClosedFlagOfGroup70) {
    const struct {
        std::string value;
        bool closed;
    } cases[] = {
        {"1", true},  {"     1", true}, {"0", false},  {"8", false},   {"9", true}, {"129", true},
        {"-1", true}, {"$1", true},     {"1 ", false}, {"1.0", false}, {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadClosedFlag(Crlf("66\n1\n70\n" + c.value + "\n0\nVERTEX\n")), c.closed)
            << '"' << c.value << '"';
    }
    EXPECT_TRUE(ReadClosedFlag(Crlf("70\n0\n70\n1\n0\nVERTEX\n")));
    EXPECT_TRUE(ReadClosedFlag(Crlf("70\n1\n70\n0\n0\nVERTEX\n")));
    EXPECT_FALSE(ReadClosedFlag(Crlf("0\nVERTEX\n70\n1\n")));  // stops at the group-0 pair
}

}  // namespace
}  // namespace vernolak
