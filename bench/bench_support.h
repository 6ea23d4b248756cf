#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

#include "common/progress.h"

namespace bench {

// A long step's watcher that lets it run to its end.
class NoProgress : public common::Progress {
public:
    void advance(std::size_t, std::size_t) override {}
    bool cancelRequested() const override { return false; }
};

// Ends the run when a step did not do what the figures assume.
inline void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "failed: %s\n", what);
        std::exit(1);
    }
}

// Runs `prepare` untimed, then times `step`, `runs` times: the first run in
// the process (cold memory, as when the program first does it) and the
// median of the others, in wall-clock time and this process's processor
// time (the machine is shared; the latter shows the work without the
// waiting).
inline void measure(const char* what, const std::function<void()>& prepare, const std::function<void()>& step,
                    int runs = 5)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = Clock::now();
        const std::clock_t startCpu = std::clock();
        step();
        cpu.push_back(1000.0 * static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const double firstWall = wall.front(), firstCpu = cpu.front();
    std::sort(wall.begin() + 1, wall.end());
    std::sort(cpu.begin() + 1, cpu.end());
    const std::size_t middle = 1 + (wall.size() - 1) / 2;
    std::printf("  %-44s first %7.1f ms (cpu %7.1f)   median of %d more %7.1f ms (cpu %7.1f)\n", what, firstWall,
                firstCpu, runs - 1, wall[middle], cpu[middle]);
}

}  // namespace bench
