// SPDX-License-Identifier: MIT
// A person typing into a text box on a shown form, key by key, each key
// painted before the next: the time per key while the box fills up to 1,000
// and to 10,000 characters. When a key's cost does not depend on the text's
// length, the two times per key are the same (ratio 1).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "host/form.h"
#include "host/form_runner.h"
#include "host/text_box.h"
#include "platform/user/input.h"
#include "platform/win32.h"
#include "support/ratio_reporter.h"

namespace {

void TypeKeys(benchmark::State& state) {
    const auto length = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_shared<qv::host::Form>("frmType");
        auto box = std::make_shared<qv::host::TextBox>();
        form->add(box, "txtNote", std::nullopt, {120, 120, 3600, 300});
        qv::host::FormRunner::Show(form);
        box->SetFocus();
        HWND frame = qv::host::FormRunner::frameOf(*form);
        UpdateWindow(frame);
        state.ResumeTiming();
        for (int i = 0; i < length; ++i) {
            qv::user::typeText(std::string(1, static_cast<char>('a' + i % 26)));
            UpdateWindow(frame);
        }
        state.PauseTiming();
        if (box->Text().size() != static_cast<std::size_t>(length)) {
            state.SkipWithError("the box did not take every key");
        }
        qv::host::FormRunner::Unload(form);
        state.ResumeTiming();
    }
    state.counters["us_per_key"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * length,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(TypeKeys)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    return qv::bench::runBenchmarks(argc, argv, [](const qv::bench::RatioReporter& reporter) {
        // Milliseconds per iteration: the whole run of keys.
        const auto whole = reporter.cpu.find("TypeKeys/10000/iterations:2");
        const auto shortRun = reporter.cpu.find("TypeKeys/1000/iterations:2");
        if (whole == reporter.cpu.end() || shortRun == reporter.cpu.end()) return;
        const double perKeyLong = whole->second / 10000, perKeyShort = shortRun->second / 1000;
        std::printf("\ntyping 10,000 characters: %.3f s\n", whole->second * 1e-3);
        std::printf("time per key at 10,000 / at 1,000 characters: %.2f\n",
                    perKeyLong / perKeyShort);
    });
}
