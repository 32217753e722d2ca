// vernolak-measure: runs a command and reports its wall-clock time and the
// child's resource use (peak resident memory, CPU times), for the benchmark.
//
// Usage: vernolak-measure [-o RESULT_FILE] -- COMMAND [ARGS...]
// Prints one line "wall_s=... user_s=... sys_s=... maxrss_kib=... status=..."
// to RESULT_FILE (or stderr). The command's own output is left as it is.
// Exits with the command's exit status.

#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

namespace {

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    const char* resultPath = nullptr;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-o" && i + 1 < argc) {
            resultPath = argv[++i];
        } else if (arg == "--") {
            ++i;
            break;
        } else {
            i = argc;
        }
    }
    if (i >= argc) {
        std::fprintf(stderr, "usage: vernolak-measure [-o RESULT_FILE] -- COMMAND [ARGS...]\n");
        return 2;
    }

    const double start = Now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("vernolak-measure: fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[i], argv + i);
        std::fprintf(stderr, "vernolak-measure: cannot run %s: %s\n", argv[i],
                     std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("vernolak-measure: wait4");
            return 2;
        }
    }
    const double wall = Now() - start;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);

    std::FILE* result = resultPath != nullptr ? std::fopen(resultPath, "w") : stderr;
    if (result == nullptr) {
        std::perror("vernolak-measure: cannot create the result file");
        return 2;
    }
    // ru_maxrss is in KiB on Linux.
    std::fprintf(result, "wall_s=%.6f user_s=%.6f sys_s=%.6f maxrss_kib=%ld status=%d\n", wall,
                 Seconds(usage.ru_utime), Seconds(usage.ru_stime), usage.ru_maxrss, code);
    if (result != stderr) std::fclose(result);
    return code;
}
