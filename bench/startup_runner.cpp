// Runs programs many times, in turn (one run of each, then again), and prints
// a line per program: the median wall time and the median peak resident
// memory of its runs, as measured by the kernel. Taking turns spreads the
// machine's changing load over every program alike, so their ratios hold
// even where the absolute figures drift.
//   startup_runner RUNS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Program
{
    std::vector<char *> argv; // ends with a null pointer, for execv
    std::vector<double> wall;
    std::vector<long> memory;
};

template<typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool runOnce(Program &program)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(program.argv[0], program.argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (child < 0 || wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.argv[0], status);
        return false;
    }
    program.wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    program.memory.push_back(usage.ru_maxrss);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc >= 3 ? std::atoi(argv[1]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: startup_runner RUNS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...\n");
        return 2;
    }
    std::vector<Program> programs(1);
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            programs.emplace_back();
            continue;
        }
        programs.back().argv.push_back(argv[i]);
    }
    for (Program &program : programs) {
        if (program.argv.empty()) {
            std::fprintf(stderr, "startup_runner: an empty program between --\n");
            return 2;
        }
        program.argv.push_back(nullptr);
    }
    for (int i = 0; i < runs; ++i) {
        for (Program &program : programs) {
            if (!runOnce(program))
                return 1;
        }
    }
    for (const Program &program : programs)
        std::printf("%.1f %ld\n", median(program.wall), median(program.memory));
    return 0;
}
