// The Find Record dialog's "Field Contains" search on a generated table of
// 1,000,000 rows with five text columns, where only the last row holds the
// text, in its last column: the dialog's Find (five FindFirst calls, field by
// field) against the same five LIKE '%text%' LIMIT 1 queries on raw SQLite in
// the same run. The ratio is printed at the end.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/option_button.h"
#include "host/text_box.h"
#include "search/frmDBSearch.h"
#include "search/search_handover.h"
#include "support/bench_tables.h"
#include "support/ratio_reporter.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr const char* kNeedle = "QZXNEEDLE";
constexpr const char* kColumns[] = {"a", "b", "c", "d", "e"};

std::string g_path;
void generate(const std::filesystem::path& folder) {
    std::printf("Generating %d rows...\n", kRows);
    g_path = (folder / "big.db").string();
    qv::bench::makeFiveColumnTable(g_path, kRows, 'e', kNeedle);
}

void DialogFindContains(benchmark::State& state) {
    qv::search::SearchRecordset =
        qv::data::Recordset::open(qv::data::SqliteConnection::open(g_path), "t");
    auto dialog = qv::search::frmDBSearch::instance();
    dialog->Show();  // loaded and activated, without windows
    dialog->optSearch(1)->setValue(true);
    dialog->txtSearch()->setText(kNeedle);
    for (auto _ : state) dialog->cmdPrivate()->press();
    if (dialog->cboSearch()->ListIndex() != 4) state.SkipWithError("the needle was not found");
    dialog->Unload();
    qv::search::SearchRecordset = nullptr;
}

void RawLikeInEachColumn(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* statements[5] = {};
    for (int i = 0; i < 5; ++i) {
        const std::string sql = std::string("SELECT rowid FROM t WHERE ") + kColumns[i] +
                                " LIKE '%" + kNeedle + "%' LIMIT 1";
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statements[i], nullptr);
    }
    for (auto _ : state) {
        for (sqlite3_stmt* st : statements) {
            sqlite3_reset(st);
            if (sqlite3_step(st) == SQLITE_ROW) break;
        }
    }
    for (sqlite3_stmt* st : statements) sqlite3_finalize(st);
    sqlite3_close(db);
}

BENCHMARK(DialogFindContains)->Unit(benchmark::kMillisecond);
BENCHMARK(RawLikeInEachColumn)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const qv::bench::TempFolder folder("qvfind");
    return qv::bench::runBenchmarks(
        argc, argv, [&] { generate(folder.path()); },
        [](const qv::bench::RatioReporter& reporter) {
            std::printf("\nRatio (same run):\n");
            qv::bench::printRatio(reporter, "Dialog Find (contains) / five raw LIKE queries",
                                  "DialogFindContains", "RawLikeInEachColumn", "<= 1.3");
        });
}
