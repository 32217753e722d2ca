// vernolak-convert: converts DXF drawings to CSV files of their polyline
// vertices from the command line, each exactly as the window would.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/conversion_run.h"
#include "engine/platform_files.h"
#include "paths/path_names.h"

#ifndef VERNOLAK_VERSION
#define VERNOLAK_VERSION "unknown"
#endif

namespace {

constexpr std::string_view kProgram = "vernolak-convert";
constexpr char kUsage[] =
    "usage: vernolak-convert [--decimal-separator=C] [--line-ends=legacy|any] [-o BASE] [-v] "
    "INPUT...\n";
constexpr char kHelp[] =
    "Writes the vertices of the old-style polylines (POLYLINE, VERTEX, SEQEND) of\n"
    "each ASCII DXF drawing INPUT to a CSV file: INPUT without its extension,\n"
    "followed by .csv.\n"
    "\n"
    "  --decimal-separator=C  write C (one byte) between integer and fraction\n"
    "                         digits; default: the locale's decimal symbol\n"
    "  --line-ends=legacy     CR LF and a lone CR end a line (default)\n"
    "  --line-ends=any        a lone LF ends a line too\n"
    "  -o BASE                write BASE.csv (one INPUT only)\n"
    "  -v, --verbose          print the output path, rows and polylines of each file\n"
    "  --help                 print this help\n"
    "  --version              print the version\n"
    "\n"
    "Exit status: 0 when every INPUT converted, 1 when any failed, 2 on a usage error.\n";

struct Arguments {
    vernolak::ConversionOptions options;
    std::string outputBase;
    bool hasOutputBase = false;
    bool verbose = false;
    std::vector<std::string> inputs;
};

enum class ParseResult { Run, Help, Version, UsageError };

ParseResult UsageError(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n%s", kProgram.data(), message.c_str(), kUsage);
    return ParseResult::UsageError;
}

ParseResult ParseArguments(int argc, char** argv, Arguments& arguments) {
    arguments.options.decimalSeparator = vernolak::DefaultDecimalSeparator();
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            arguments.inputs.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return ParseResult::Help;
        } else if (argument == "--version") {
            return ParseResult::Version;
        } else if (argument == "-v" || argument == "--verbose") {
            arguments.verbose = true;
        } else if (argument == "-o") {
            if (i + 1 == argc) return UsageError("-o needs a BASE path");
            arguments.outputBase = argv[++i];
            arguments.hasOutputBase = true;
        } else if (argument.starts_with("--decimal-separator=")) {
            const std::string_view value =
                argument.substr(std::string_view("--decimal-separator=").size());
            if (value.size() != 1) return UsageError("--decimal-separator takes one byte");
            arguments.options.decimalSeparator = value[0];
        } else if (argument == "--line-ends=legacy") {
            arguments.options.lineEnds = vernolak::LineEnds::Legacy;
        } else if (argument == "--line-ends=any") {
            arguments.options.lineEnds = vernolak::LineEnds::Any;
        } else if (argument.starts_with("--line-ends=")) {
            return UsageError("--line-ends takes legacy or any");
        } else {
            return UsageError("unknown option " + std::string(argument));
        }
    }
    if (arguments.inputs.empty()) return UsageError("no INPUT given");
    if (arguments.hasOutputBase && arguments.inputs.size() != 1) {
        return UsageError("-o takes one INPUT only");
    }
    return ParseResult::Run;
}

// Converts one drawing; reports a failure on stderr and returns false.
bool ConvertOne(const std::string& input, const Arguments& arguments) {
    const std::string base =
        arguments.hasOutputBase ? arguments.outputBase : vernolak::RemoveExtension(input);
    const vernolak::ConversionReport report =
        vernolak::ConvertDxfToCsvWithReport(input, base, arguments.options);
    if (report.lineFeedInsideLine) {
        std::fprintf(stderr,
                     "%s: warning: %s: its lines end with LF alone, which the legacy reading "
                     "takes for one line; --line-ends=any reads them\n",
                     kProgram.data(), input.c_str());
    }
    if (!report.succeeded) {
        std::string reason;
        if (report.error) reason = ": " + report.error.message();
        std::fprintf(stderr, "%s: %s: %s %s%s\n", kProgram.data(), input.c_str(),
                     vernolak::DescribeStep(report.failedStep), report.failedPath.c_str(),
                     reason.c_str());
        return false;
    }
    if (arguments.verbose) {
        std::printf("%s.csv: %llu rows, %llu polylines\n", base.c_str(),
                    static_cast<unsigned long long>(report.rows),
                    static_cast<unsigned long long>(report.polylines));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    switch (ParseArguments(argc, argv, arguments)) {
        case ParseResult::Help:
            std::printf("%s%s", kUsage, kHelp);
            return 0;
        case ParseResult::Version:
            std::printf("%s %s\n", kProgram.data(), VERNOLAK_VERSION);
            return 0;
        case ParseResult::UsageError:
            return 2;
        case ParseResult::Run:
            break;
    }
    bool allConverted = true;
    for (const std::string& input : arguments.inputs) {
        allConverted = ConvertOne(input, arguments) && allConverted;
    }
    return allConverted ? 0 : 1;
}
