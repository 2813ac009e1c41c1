// SPDX-License-Identifier: MIT
// Benchmarks of the bar against baselines measured in the same run, on a
// generated table of 1,000,000 rows (made once in the build folder): a click against the same
// recordset calls made directly (what the name lookup of each member, the step list and the error
// report's arming cost per click); a full repaint of the bar in its window, and a mouse click on
// Next from button down to the repainted bar, against one BitBlt of the bar's size and against a
// bare MoveNext. The ratios and absolute times are printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/data_control.h"
#include "data/sqlite_connection.h"
#include "host/command_button.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/message_box_service.h"
#include "navigator/qvRecordBar.h"
#include "platform/gdi/handles.h"
#include "platform/user/input.h"
#include "platform/win32.h"
#include "support/bench_tables.h"
#include "support/ratio_reporter.h"

namespace {

constexpr int kRows = 1'000'000;

// Answers nothing and ignores beeps: the moves below never ask.
class SilentBoxes : public qv::host::MessageBoxService {
  public:
    int show(const qv::host::MessageBoxRequest&) override { return 1; }
    void beep(unsigned) override {}
};

std::filesystem::path g_folder;

// The table t (id, name, city) of kRows rows, made once in the build folder.
void generate() {
    const std::filesystem::path path =
        qv::bench::cachedDatabase("bar-rows.db", [](const std::string& file) {
            qv::data::SqliteConnection::Options options;
            options.create = true;
            auto db = qv::data::SqliteConnection::open(file, options);
            db->execute(
                "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
                "CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, city TEXT);"
                "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " +
                std::to_string(kRows) +
                ") INSERT INTO t SELECT k, printf('name %06d', k), printf('city %04d', k % 5000) "
                "FROM n;");
        });
    g_folder = path.parent_path();
}

struct Bed {
    std::shared_ptr<qv::host::Form> form = std::make_shared<qv::host::Form>("Form1");
    std::shared_ptr<qv::data::DataControl> data = std::make_shared<qv::data::DataControl>();
    std::shared_ptr<qv::navigator::qvRecordBar> bar =
        std::make_shared<qv::navigator::qvRecordBar>();
    SilentBoxes boxes;
    qv::host::ScopedMessageBoxService service{boxes};

    Bed() {
        data->setBaseFolder(g_folder);
        data->let("DatabaseName", qv::host::Variant("bar-rows.db"));
        data->let("RecordSource", qv::host::Variant("t"));
        form->add(data, "Data1", std::nullopt, {0, 600, 2000, 300});
        form->add(bar, "qvRecordBar1", std::nullopt, {0, 0, 5775, 450});
        bar->setMSDataControl("Data1");
    }
    ~Bed() { form->Unload(); }
};

// ---- Next Record: a click against MoveNext with the EOF tests. ----

void NextByClick(benchmark::State& state) {
    Bed bed;
    auto rs = bed.data->recordset();
    int moved = 0;
    for (auto _ : state) {
        bed.bar->ButtonBar_Click(qv::navigator::qvRecordBar::NextRecord);
        if (++moved == kRows - 1) {
            rs->moveFirst();
            moved = 0;
        }
    }
}

void NextDirect(benchmark::State& state) {
    Bed bed;
    auto rs = bed.data->recordset();
    int moved = 0;
    for (auto _ : state) {
        if (!rs->eof()) {
            rs->moveNext();
            if (rs->eof()) rs->moveLast();
        }
        if (++moved == kRows - 1) {
            rs->moveFirst();
            moved = 0;
        }
    }
}

// ---- First and Last in turn: the long jumps. ----

void EndsByClick(benchmark::State& state) {
    Bed bed;
    for (auto _ : state) {
        bed.bar->ButtonBar_Click(qv::navigator::qvRecordBar::LastRecord);
        bed.bar->ButtonBar_Click(qv::navigator::qvRecordBar::FirstRecord);
    }
}

void EndsDirect(benchmark::State& state) {
    Bed bed;
    auto rs = bed.data->recordset();
    for (auto _ : state) {
        if (!rs->eof()) rs->moveLast();
        if (!rs->bof()) rs->moveFirst();
    }
}

// ---- The bar in its window. ----

// The bar shown on its form, so that its buttons and frame are windows.
struct ShownBed : Bed {
    ShownBed() { qv::host::FormRunner::Show(form); }
    HWND barWindow() const { return bar->hWnd(); }
};

// Every part drawn again: the bar's surface cleared and painted (border and
// status box), then its window with the frame, separator and ten buttons.
void RepaintBar(benchmark::State& state) {
    ShownBed bed;
    for (auto _ : state) {
        bed.bar->Cls();
        bed.bar->hostPaint();
        InvalidateRect(bed.barWindow(), nullptr, TRUE);
        InvalidateRect(bed.bar->fraButtonbar().hWnd(), nullptr, TRUE);
        for (std::int16_t i = 0; i < qv::navigator::qvRecordBar::ButtonCount; ++i) {
            InvalidateRect(bed.bar->Buttonbar(i).hWnd(), nullptr, TRUE);
        }
        UpdateWindow(bed.barWindow());
    }
}

// A person's click on Next: the pointer pressed and released on the button,
// the move, and every window it invalidated painted.
void NextByMouse(benchmark::State& state) {
    ShownBed bed;
    auto rs = bed.data->recordset();
    RECT r{};
    GetWindowRect(bed.bar->Buttonbar(qv::navigator::qvRecordBar::NextRecord).hWnd(), &r);
    HWND frame = qv::host::FormRunner::frameOf(*bed.form);
    int moved = 0;
    for (auto _ : state) {
        qv::user::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        UpdateWindow(frame);
        if (++moved == kRows - 1) {
            state.PauseTiming();
            rs->moveFirst();
            moved = 0;
            state.ResumeTiming();
        }
    }
}

// One SRCCOPY of the bar's size between two memory bitmaps.
void BlitBarSize(benchmark::State& state) {
    Bed bed;
    const int w = bed.bar->surface().width(), h = bed.bar->surface().height();
    qv::gdi::ScreenDc screen;
    qv::gdi::OwnedBitmap target(CreateCompatibleBitmap(screen.get(), w, h));
    qv::gdi::OwnedDc dc = qv::gdi::OwnedDc::compatibleWith(screen.get());
    qv::gdi::SelectGuard pick(dc.get(), target.get());
    for (auto _ : state) {
        BitBlt(dc.get(), 0, 0, w, h, bed.bar->hDC(), 0, 0, SRCCOPY);
    }
}

// The bare recordset move, wrapping at the end.
void MoveNextBare(benchmark::State& state) {
    Bed bed;
    auto rs = bed.data->recordset();
    int moved = 0;
    for (auto _ : state) {
        rs->moveNext();
        if (++moved == kRows - 1) {
            rs->moveFirst();
            moved = 0;
        }
    }
}

BENCHMARK(NextByClick);
BENCHMARK(NextDirect);
BENCHMARK(EndsByClick);
BENCHMARK(EndsDirect);
BENCHMARK(RepaintBar);
BENCHMARK(NextByMouse);
BENCHMARK(BlitBarSize);
BENCHMARK(MoveNextBare);

// Collects the CPU time per iteration of each run to print the ratios.
}  // namespace

int main(int argc, char** argv) {
    return qv::bench::runBenchmarks(argc, argv, generate,
                                    [](const qv::bench::RatioReporter& reporter) {
                                        auto ratio = [&](const char* a, const char* b) {
                                            if (const auto r = qv::bench::cpuRatio(reporter, a, b))
                                                std::printf("%s / %s: %.2f\n", a, b, *r);
                                        };
                                        ratio("NextByClick", "NextDirect");
                                        ratio("EndsByClick", "EndsDirect");
                                        for (const char* bar : {"RepaintBar", "NextByMouse"}) {
                                            ratio(bar, "BlitBarSize");
                                            ratio(bar, "MoveNextBare");
                                        }
                                        // The reporter's times are in nanoseconds per iteration.
                                        for (const auto& [name, ns] : reporter.cpu) {
                                            std::printf("%s: %.2f us\n", name.c_str(), ns / 1000.0);
                                        }
                                    });
}
