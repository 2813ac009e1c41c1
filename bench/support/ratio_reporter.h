// SPDX-License-Identifier: MIT
// The console reporter of the benchmarks, which keeps every run's time
// per iteration so that main() can print ratios against a baseline of the
// same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::bench {

// Keeps the time per iteration of every run, in the run's own time unit
// (nanoseconds unless the benchmark sets another), to print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.iterations > 0 && r.run_type == Run::RT_Iteration) {
                real[r.benchmark_name()] = r.GetAdjustedRealTime();
                cpu[r.benchmark_name()] = r.GetAdjustedCPUTime();
                counters[r.benchmark_name()] = r.counters;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> real;
    std::map<std::string, double> cpu;
    std::map<std::string, benchmark::UserCounters> counters;
};

// a / b by CPU time (steadier than wall-clock time on a busy machine), or
// nothing when either run is missing or b took no time.
inline std::optional<double> cpuRatio(const RatioReporter& r, const std::string& a,
                                      const std::string& b) {
    const auto top = r.cpu.find(a), bottom = r.cpu.find(b);
    if (top == r.cpu.end() || bottom == r.cpu.end() || bottom->second <= 0) return std::nullopt;
    return top->second / bottom->second;
}

// Prints a / b by wall-clock time and by CPU time (steadier on a busy machine).
inline void printRatio(const RatioReporter& r, const char* what, const char* a, const char* b,
                       const char* goal) {
    if (!r.real.count(a) || !r.real.count(b) || r.real.at(b) <= 0 || r.cpu.at(b) <= 0) return;
    std::printf("%-52s real %8.3f  cpu %8.3f  (goal %s)\n", what, r.real.at(a) / r.real.at(b),
                r.cpu.at(a) / r.cpu.at(b), goal);
}

// The main() of a benchmark program: reads the command line, calls
// `prepare` (to make the data the benchmarks need), runs the benchmarks the
// command line selects, and hands their times to `report` to print the
// ratios. Returns the exit status: 1 for arguments the library does not know.
template <class Prepare, class Report>
int runBenchmarks(int argc, char** argv, Prepare prepare, Report report) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    prepare();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    report(reporter);
    benchmark::Shutdown();
    return 0;
}

template <class Report>
int runBenchmarks(int argc, char** argv, Report report) {
    return runBenchmarks(
        argc, argv, [] {}, report);
}

}  // namespace qv::bench
