// SPDX-License-Identifier: MIT
// Late-bound member access and form files: reading a property by name and
// by dispatch identifier against a direct call (the baseline), and loading
// and saving form files of growing size.
#include <benchmark/benchmark.h>

#include <string>

#include "host/control_factory.h"
#include "host/form.h"
#include "host/form_file.h"
#include "host/member_registry.h"

namespace {

using namespace qv::host;

class Widget : public Control {
  public:
    static const MemberRegistry& widgetMembers() {
        static const MemberRegistry r = [] {
            MemberRegistry m("Widget", &Control::controlMembers());
            MemberTable<Widget> table(m);
            // Enough members that the lookup is not trivially the first.
            for (int i = 0; i < 20; ++i) {
                table.property(
                    "Filler" + std::to_string(i), [](Widget& w) { return w.value; },
                    [](Widget& w, const Variant& v) { w.value = v.toLong(); },
                    {.dispId = 0x100 + i,
                     .persist = Persistence{"Filler" + std::to_string(i), Variant(0)}});
            }
            table.property(
                "Caption", [](Widget& w) { return w.caption; },
                [](Widget& w, const Variant& v) { w.caption = v.toString(); },
                {.dispId = 0x68030001, .persist = Persistence{"Caption", Variant("")}});
            return m;
        }();
        return r;
    }
    const MemberRegistry& members() const override { return widgetMembers(); }
    std::string caption = "Hello";
    int value = 1;
};

void BM_DirectRead(benchmark::State& state) {
    auto w = std::make_shared<Widget>();
    for (auto _ : state) {
        Variant v(w->caption);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_DirectRead);

void BM_LateBoundReadByName(benchmark::State& state) {
    auto w = std::make_shared<Widget>();
    for (auto _ : state) {
        Variant v = w->get("caption");
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_LateBoundReadByName);

void BM_LateBoundReadByDispId(benchmark::State& state) {
    auto w = std::make_shared<Widget>();
    for (auto _ : state) {
        Variant v = w->get(DispId{0x68030001});
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_LateBoundReadByDispId);

void BM_FormFileRoundTrip(benchmark::State& state) {
    ControlFactory factory;
    factory.add("Widget", [] { return std::make_shared<Widget>(); });
    auto form = std::make_shared<Form>("frmBench");
    for (int i = 0; i < state.range(0); ++i) {
        auto w = std::make_shared<Widget>();
        w->value = i;
        form->add(w, "Widget", static_cast<std::int16_t>(i), {i, i, 100, 100});
    }
    const std::string text = saveForm(*form);
    for (auto _ : state) {
        auto loaded = loadForm(text, "bench.form", factory);
        benchmark::DoNotOptimize(saveForm(*loaded));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FormFileRoundTrip)->Arg(10)->Arg(100)->Complexity();

}  // namespace

BENCHMARK_MAIN();
