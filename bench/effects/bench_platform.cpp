// SPDX-License-Identifier: MIT
// The stand-in against the platform's own drawing engine: each PaintEffects
// operation is timed here on the cross-check harness's case for it, and the
// time is set against the harness's time for the same case under Wine (the
// file the crosscheck test writes). The ratio is stand-in time over platform
// time: at most 1 means the stand-in is at least as fast.
//
// Usage: bench_effects_platform [--timings=FILE] [benchmark options]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "crosscheck/harness_cases.h"
#include "support/ratio_reporter.h"

namespace {

using qv::crosscheck::CaseTable;
using qv::crosscheck::Destination;

// Reads "operation nanoseconds" lines; empty when the file is missing.
std::map<std::string, double> readPlatformTimes(const std::string& path) {
    std::map<std::string, double> times;
    std::ifstream in(path);
    std::string op;
    double ns = 0;
    while (in >> op >> ns) times[op] = ns;
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    std::string timingsPath = QV_CROSSCHECK_TIMINGS;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--timings=", 10) == 0) timingsPath = argv[i] + 10;
    }
    benchmark::Initialize(&argc, argv);
    qv::crosscheck::useFixedSysColors();
    const CaseTable table;
    const qv::crosscheck::PaintEffects fx;
    Destination dest;
    dest.reset(false);
    for (const auto& [op, c] : table.timedCases()) {
        const qv::crosscheck::Case* timed = c;
        benchmark::RegisterBenchmark(op.c_str(), [&fx, &dest, timed](benchmark::State& state) {
            const qv::crosscheck::Call call{dest.dc(), 5, 4, timed->w, timed->h};
            for (auto _ : state) timed->draw(fx, call);
        })->Unit(benchmark::kMicrosecond);
    }
    qv::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto platform = readPlatformTimes(timingsPath);
    if (platform.empty()) {
        std::printf("\nno platform timings in %s: run `ctest -R crosscheck` in this build first\n",
                    timingsPath.c_str());
        return 0;
    }
    std::printf("\n%-24s %14s %14s %8s\n", "operation", "stand-in us", "platform us", "ratio");
    // Wall-clock microseconds per call, as the platform's timings are taken.
    for (const auto& [op, us] : reporter.real) {
        const auto it = platform.find(op);
        if (it == platform.end() || it->second <= 0) continue;
        const double platformUs = it->second / 1000;
        std::printf("%-24s %14.1f %14.1f %8.2f\n", op.c_str(), us, platformUs, us / platformUs);
    }
    return 0;
}
