#include "engine/input_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/group_pairs.h"
#include "test_files.h"

namespace vernolak {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// Reads every line until the input is at its end.
std::vector<std::string> ReadAllLines(const std::string& path, LineEnds lineEnds) {
    DxfInput input = OpenDxfInput(path, lineEnds);
    std::vector<std::string> lines;
    DxfLine line;
    while (!AtEndOfInput(input)) {
        ReadInputLine(input, line);
        lines.emplace_back(line.view());
    }
    return lines;
}

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> legacy;  // lines under the classic reading
    std::vector<std::string> any;     // lines when LF alone ends a line too
};

TEST(InputLines, LineEndsAndEndOfInput) {
    using namespace std::string_literals;
    const LineCase cases[] = {
        {"empty file", "", {}, {}},
        {"CR LF", "0\r\nSECTION\r\n", {"0", "SECTION"}, {"0", "SECTION"}},
        {"lone CR", "0\rSECTION\r", {"0", "SECTION"}, {"0", "SECTION"}},
        {"LF alone", "0\nSECTION\n", {"0\nSECTION\n"}, {"0", "SECTION"}},
        {"CR CR LF is two lines", "a\r\r\nb\r\n", {"a", "", "b"}, {"a", "", "b"}},
        {"LF CR", "a\n\rb", {"a\n", "b"}, {"a", "", "b"}},
        {"last line without end", "a\r\nlast", {"a", "last"}, {"a", "last"}},
        {"one more line end", "a\r\n\r\n", {"a", ""}, {"a", ""}},
        {"trailing blank keeps input open", "a\r\n ", {"a", " "}, {"a", " "}},
        {"0x1A ends the input", "a\r\nb\x1A\r\nc\r\n", {"a", "b"}, {"a", "b"}},
        {"0x1A first",
         "\x1A"
         "a\r\n",
         {},
         {}},
        {"NUL is an ordinary byte",
         "1\0"s
         "0\r\n",
         {"1\0"s
          "0"},
         {"1\0"s
          "0"}},
    };
    TempFolder folder;
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(folder / "in.dxf", c.bytes);
        EXPECT_EQ(ReadAllLines(folder / "in.dxf", LineEnds::Legacy), c.legacy);
        EXPECT_EQ(ReadAllLines(folder / "in.dxf", LineEnds::Any), c.any);
    }
}

TEST(InputLines, ReadsAtTheEndGiveEmptyLinesAndTheEndLasts) {
    TempFolder folder;
    WriteBytes(folder / "in.dxf", "0\r\nEOF\x1A trailing\r\n");
    DxfInput input = OpenDxfInput(folder / "in.dxf");
    DxfLine code, value;
    ReadGroupPair(input, code, value);
    EXPECT_EQ(code, "0");
    EXPECT_EQ(value, "EOF");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(AtEndOfInput(input));
        ReadGroupPair(input, code, value);
        EXPECT_EQ(code, "");
        EXPECT_EQ(value, "");
    }
}

TEST(InputLines, LinesLongerThanTheReadBlockArriveWhole) {
    // 3 MiB lines cross several look-ahead refills, with the CR LF split
    // across a block border in one of them.
    const std::string longLine(3 * 1024 * 1024 + 5, 'x');
    const std::string atBorder((1 << 20) - 1, 'y');  // its CR is the block's last byte
    TempFolder folder;
    WriteBytes(folder / "in.dxf", atBorder + "\r\n" + longLine + "\r\n" + "end");
    EXPECT_EQ(ReadAllLines(folder / "in.dxf", LineEnds::Legacy),
              (std::vector<std::string>{atBorder, longLine, "end"}));
}

TEST(InputLines, ReportsLineFeedInsideALineUnderTheClassicReadingOnly) {
    TempFolder folder;
    WriteBytes(folder / "lf.dxf", "0\nSECTION\n");
    WriteBytes(folder / "crlf.dxf", "0\r\nSECTION\r\n");
    for (const auto& [file, lineEnds, expected] :
         {std::tuple{"lf.dxf", LineEnds::Legacy, true}, std::tuple{"lf.dxf", LineEnds::Any, false},
          std::tuple{"crlf.dxf", LineEnds::Legacy, false}}) {
        DxfInput input = OpenDxfInput(folder / file, lineEnds);
        DxfLine line;
        while (!AtEndOfInput(input)) ReadInputLine(input, line);
        EXPECT_EQ(input.LineFeedInsideLine(), expected) << file;
    }
}

TEST(InputLines, FastStopSearchAgreesWithTheBytewiseSearch) {
    std::mt19937 random(20261211);
    const char alphabet[] = {'\r', '\n', '\x1A', '0', 'A', ' ', '\0', '\x8D'};
    std::vector<char> buffer(256 + 16);
    for (int round = 0; round < 20000; ++round) {
        const std::size_t size = random() % 200;
        const int density = 1 + static_cast<int>(random() % 60);
        for (std::size_t i = 0; i < buffer.size(); ++i) {
            buffer[i] =
                random() % density == 0 ? alphabet[random() % 3] : alphabet[3 + random() % 5];
        }
        const std::size_t start = random() % 16;
        const char* begin = buffer.data() + start;
        const char* end = begin + size;
        for (bool stopAtLineFeed : {false, true}) {
            ASSERT_EQ(FindLineStop(begin, end, stopAtLineFeed),
                      FindLineStopBytewise(begin, end, stopAtLineFeed))
                << "round " << round << " size " << size;
        }
    }
}

// The line rule stated directly over a whole byte string: the reference for
// the buffered reader.
std::vector<std::string> SplitLines(const std::string& bytes, LineEnds lineEnds) {
    std::vector<std::string> lines;
    std::size_t end = bytes.find('\x1A');
    if (end == std::string::npos) end = bytes.size();
    std::size_t i = 0;
    while (i < end) {
        std::string line;
        while (i < end && bytes[i] != '\r' && !(lineEnds == LineEnds::Any && bytes[i] == '\n')) {
            line += bytes[i++];
        }
        if (i < end && bytes[i] == '\r' && ++i < end && bytes[i] == '\n')
            ++i;
        else if (i < end && bytes[i] == '\n')
            ++i;
        lines.push_back(line);
    }
    return lines;
}

TEST(InputLines, RandomBytesSplitAsTheLineRuleSays) {
    // Short lines and long ones, line ends of every kind, and files larger
    // than one read block, so that lines and CR LF pairs straddle refills.
    std::mt19937 random(1211);
    TempFolder folder;
    for (int round = 0; round < 60; ++round) {
        const std::size_t size = round % 10 == 9 ? (1u << 20) + random() % 5000 : random() % 3000;
        const int longLines = static_cast<int>(random() % 3);
        std::string bytes;
        while (bytes.size() < size) {
            const unsigned pick = random() % 100;
            if (pick < 12) {
                bytes += "\r\n";
            } else if (pick < 15) {
                bytes += '\r';
            } else if (pick < 18) {
                bytes += '\n';
            } else if (pick == 18 && random() % 40 == 0) {
                bytes += '\x1A';
            } else {
                bytes.append(longLines == 2 ? 1 + random() % 200 : 1,
                             static_cast<char>('0' + pick % 40));
            }
        }
        WriteBytes(folder / "random.dxf", bytes);
        for (LineEnds lineEnds : {LineEnds::Legacy, LineEnds::Any}) {
            ASSERT_EQ(ReadAllLines(folder / "random.dxf", lineEnds), SplitLines(bytes, lineEnds))
                << "round " << round;
        }
    }
}

TEST(InputLines, OpeningAMissingFileOrAFolderFails) {
    TempFolder folder;
    EXPECT_ANY_THROW(OpenDxfInput(folder / "missing.dxf"));
    EXPECT_ANY_THROW(OpenDxfInput(folder.path().string()));
}

}  // namespace
}  // namespace vernolak
