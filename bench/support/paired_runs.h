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
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

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

// One comparison: our job and the engine's own job doing the same work.
struct Pair {
    std::string label;
    std::function<void()> ours;
    std::function<void()> theirs;
};

// Runs every job of `pairs` once untimed, so that no job pays for the cold
// pages and caches a later one finds warm, and then each job once per
// iteration, in an order that rotates every iteration so that no job always
// follows the same one. The run's own time covers all jobs; its counters
// give each pair alone, named with "_" and the pair's label when it has one:
//   ours_us, theirs_us  processor time of one run of each job, in microseconds
//   ratio               ours / theirs by processor time (steadier on a busy machine)
//   real_ratio          the same by wall-clock time
// With two pairs or more, `growth` is the last pair's ratio over the first's.
inline void runPairsInTurns(benchmark::State& state, const std::vector<Pair>& pairs) {
    std::vector<const std::function<void()>*> jobs;
    for (const Pair& p : pairs) {
        jobs.push_back(&p.ours);
        jobs.push_back(&p.theirs);
    }
    for (const auto* job : jobs) (*job)();
    std::vector<SideTimes> times(jobs.size());
    std::size_t start = 0;
    for (auto _ : state) {
        for (std::size_t k = 0; k < jobs.size(); ++k) {
            const std::size_t j = (start + k) % jobs.size();
            times[j].add(*jobs[j]);
        }
        start = (start + 1) % jobs.size();
    }
    const auto n = static_cast<double>(state.iterations());
    if (n == 0) return;
    std::vector<double> ratios;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const SideTimes& a = times[2 * i];
        const SideTimes& b = times[2 * i + 1];
        if (b.cpuNs <= 0 || b.realNs <= 0) return;
        const std::string suffix =
            pairs[i].label.empty() ? std::string() : std::string("_").append(pairs[i].label);
        state.counters["ours_us" + suffix] = a.cpuNs / n / 1e3;
        state.counters["theirs_us" + suffix] = b.cpuNs / n / 1e3;
        state.counters["ratio" + suffix] = a.cpuNs / b.cpuNs;
        state.counters["real_ratio" + suffix] = a.realNs / b.realNs;
        ratios.push_back(a.cpuNs / b.cpuNs);
    }
    if (ratios.size() >= 2) state.counters["growth"] = ratios.back() / ratios.front();
}

// One pair without a label.
template <class Ours, class Theirs>
void runPaired(benchmark::State& state, Ours ours, Theirs theirs) {
    runPairsInTurns(state, {Pair{"", ours, theirs}});
}

}  // namespace qv::bench
