// Runs a program many times and prints the median wall time and the median
// peak resident memory of its runs, as measured by the kernel.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_runner RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<double> wall;
    std::vector<long> memory;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execv(argv[2], argv + 2);
            _exit(127);
        }
        int status = 0;
        rusage usage {};
        if (wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "%s failed (status %d)\n", argv[2], status);
            return 1;
        }
        wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        memory.push_back(usage.ru_maxrss);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(memory.begin(), memory.end());
    std::printf("%.1f %ld\n", wall[wall.size() / 2], memory[memory.size() / 2]);
    return 0;
}
