// Runs vernolak-convert as a separate process and captures what it prints.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../engine/test_files.h"

namespace vernolak::testing {

struct CommandResult {
    int exitStatus;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// Runs the converter with arguments, in folder, with environment assignments
// (such as "LC_ALL=C") before it.
inline CommandResult RunConvert(const TempFolder& folder, const std::vector<std::string>& arguments,
                                const std::string& environment = "LC_ALL=C") {
    std::string command = "cd " + ShellQuote(folder.path().string()) + " && env " + environment +
                          " " + ShellQuote(VERNOLAK_CONVERT_PATH);
    for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
    command += " >" + ShellQuote(folder / ".stdout") + " 2>" + ShellQuote(folder / ".stderr");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(folder / ".stdout"),
            ReadBytes(folder / ".stderr")};
}

}  // namespace vernolak::testing
