// Every real drawing of the corpus converts in both line-end modes, and the
// ones that hold old-style polylines in their entities give vertex rows once
// lone LF bytes end lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "run_command.h"

namespace vernolak {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RunConvert;
using testing::TempFolder;

// File name -> whether its ENTITIES hold POLYLINEs, from the corpus's table.
std::map<std::string, bool> CorpusTable(const fs::path& sources) {
    std::map<std::string, bool> files;
    std::ifstream in(sources);
    const std::regex row(R"(^\| `([^`]+\.dxf)` \|(?:[^|]*\|){7} *(yes|no)\b)");
    std::smatch match;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_search(line, match, row)) files[match[1]] = match[2] == "yes";
    }
    return files;
}

TEST(Corpus, EveryDrawingConvertsInBothLineEndModes) {
    const fs::path corpus = VERNOLAK_CORPUS_DIR;
    ASSERT_TRUE(fs::is_directory(corpus)) << "the corpus is expected at " << corpus;
    const auto table = CorpusTable(corpus.parent_path() / "SOURCES.md");
    ASSERT_GE(table.size(), 80u);
    TempFolder folder;
    int withRows = 0;
    for (const auto& [name, hasPolylines] : table) {
        SCOPED_TRACE(name);
        const std::string input = (corpus / name).string();
        ASSERT_TRUE(fs::exists(input));
        const auto legacy = RunConvert(folder, {"-o", "legacy", input});
        EXPECT_EQ(legacy.exitStatus, 0) << legacy.err;
        const auto any = RunConvert(folder, {"--line-ends=any", "-o", "any", input});
        EXPECT_EQ(any.exitStatus, 0) << any.err;
        // Vertex rows are the rows that do not start with a quotation mark
        // (the header and the separator rows do).
        const std::string csv = ReadBytes(folder / "any.csv");
        const bool hasVertexRows = std::regex_search(csv, std::regex("\n[^\"]"));
        EXPECT_EQ(hasVertexRows, hasPolylines);
        withRows += hasVertexRows;
    }
    EXPECT_EQ(withRows, 55);
}

}  // namespace
}  // namespace vernolak
