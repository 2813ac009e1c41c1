// SPDX-License-Identifier: MIT
// The cross-check harness: runs the case table on the platform it was built
// for and writes each case's record, then, when asked, the time per call of
// each operation. Built natively against the stand-in and with the MinGW-w64
// compiler against the platform's own headers (run under Wine); compare_main.cpp
// then holds the two outputs side by side.
//
// Usage: harness OUTPUT [TIMINGS]
#include <chrono>
#include <cstdio>

#include "crosscheck/harness_cases.h"

namespace {

using qv::crosscheck::CaseTable;
using qv::crosscheck::Destination;

// Writes "operation nanoseconds-per-call" for each timed case, drawn inside
// the destination over and over.
void writeTimings(const qv::crosscheck::PaintEffects& fx, Destination& dest, const CaseTable& table,
                  FILE* out) {
    constexpr int kRepeats = 200;
    for (const auto& [op, c] : table.timedCases()) {
        dest.reset(false);
        const qv::crosscheck::Call call{dest.dc(), 5, 4, c->w, c->h};
        c->draw(fx, call);  // once untimed, to settle caches
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRepeats; ++i) c->draw(fx, call);
        GdiFlush();
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count() /
                        kRepeats;
        std::fprintf(out, "%s %lld\n", op.c_str(), static_cast<long long>(ns));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT [TIMINGS]\n", argv[0]);
        return 2;
    }
    qv::crosscheck::useFixedSysColors();
    FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    {
        const CaseTable table;
        const qv::crosscheck::PaintEffects fx;
        Destination dest;
        for (size_t i = 0; i < table.cases().size(); ++i) {
            qv::crosscheck::runCase(fx, dest, table.cases()[i], i, out);
        }
        if (argc > 2) {
            FILE* timings = std::fopen(argv[2], "wb");
            if (timings) {
                writeTimings(fx, dest, table, timings);
                std::fclose(timings);
            }
        }
    }
    std::fclose(out);
    return 0;
}
