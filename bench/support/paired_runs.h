// SPDX-License-Identifier: MIT
// Measures two jobs that do the same work (ours and the engine's own way of
// doing it) in alternation inside one benchmark run. Measured one after the
// other, minutes apart, the two sides meet different processor speeds, other
// programs' load and differently warm caches, and their ratio swings with
// whatever ran before; taken turn about, both meet the same conditions.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>

namespace qv::bench {

// The processor time this thread has used so far, in nanoseconds.
inline double threadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

// The summed times of one side of a pair.
struct SideTimes {
    double cpuNs = 0;
    double realNs = 0;

    template <class Job>
    void add(Job& job) {
        const auto wall = std::chrono::steady_clock::now();
        const double cpu = threadCpuNs();
        job();
        cpuNs += threadCpuNs() - cpu;
        realNs += std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - wall)
                      .count();
    }
};

// Runs `ours` and `theirs` once each untimed, so that neither side pays for
// the cold pages and caches the other then finds warm, and then once each per
// iteration, swapping which goes first every iteration. The run's own time
// covers both sides; its counters give each side alone:
//   ours_us, theirs_us  processor time of one run of each side, in microseconds
//   ratio               ours / theirs by processor time (steadier on a busy machine)
//   real_ratio          the same by wall-clock time
template <class Ours, class Theirs>
void runPaired(benchmark::State& state, Ours ours, Theirs theirs) {
    ours();
    theirs();
    SideTimes a, b;
    bool oursFirst = true;
    for (auto _ : state) {
        if (oursFirst) {
            a.add(ours);
            b.add(theirs);
        } else {
            b.add(theirs);
            a.add(ours);
        }
        oursFirst = !oursFirst;
    }
    const auto n = static_cast<double>(state.iterations());
    if (n == 0 || b.cpuNs <= 0 || b.realNs <= 0) return;
    state.counters["ours_us"] = a.cpuNs / n / 1e3;
    state.counters["theirs_us"] = b.cpuNs / n / 1e3;
    state.counters["ratio"] = a.cpuNs / b.cpuNs;
    state.counters["real_ratio"] = a.realNs / b.realNs;
}

}  // namespace qv::bench
