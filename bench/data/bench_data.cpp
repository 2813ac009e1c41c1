// Benchmarks of the recordset on a generated table of 1,000,000 rows with five
// text columns, each against raw SQLite doing the same job in the same run;
// the ratios are printed at the end. The table is generated once, outside
// every timing, into a temporary folder removed on exit.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "support/bench_tables.h"
#include "support/ratio_reporter.h"

namespace {

using qv::data::Recordset;
using qv::data::SqliteConnection;

constexpr int kRows = 1'000'000;
constexpr int kMoves = 10'000;
// Only the last row's column c contains this text.
constexpr const char* kNeedle = "QZXNEEDLE";

std::string g_path;

void generate(const std::filesystem::path& folder) {
    std::printf("Generating %d rows...\n", kRows);
    g_path = (folder / "big.db").string();
    qv::bench::makeFiveColumnTable(g_path, kRows, 'c', kNeedle);
}

// ---- Opening plus MoveLast against a count(*) scan. ----

void OpenAndMoveLast(benchmark::State& state) {
    for (auto _ : state) {
        auto db = std::shared_ptr<qv::data::DbConnection>(SqliteConnection::open(g_path));
        auto rs = Recordset::open(db, "t");
        rs->moveLast();
        benchmark::DoNotOptimize(rs->eof());
    }
}

void RawCountScan(benchmark::State& state) {
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(g_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM t", -1, &st, nullptr);
        sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
}

// ---- 10,000 MoveNext against stepping a cursor. ----

void MoveNext10k(benchmark::State& state) {
    auto rs = Recordset::open(SqliteConnection::open(g_path), "t");
    for (auto _ : state) {
        rs->moveFirst();
        for (int i = 0; i < kMoves; ++i) rs->moveNext();
        benchmark::DoNotOptimize(rs->eof());
    }
}

// One statement stepped 10,000 times: SQLite's own cursor, no seek per row.
void RawCursorStep10k(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid FROM t ORDER BY rowid", -1, &st, nullptr);
    for (auto _ : state) {
        sqlite3_reset(st);
        for (int i = 0; i <= kMoves; ++i) sqlite3_step(st);
        benchmark::DoNotOptimize(sqlite3_column_int64(st, 0));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}

// The same positioned lookup the recordset makes, without the recordset.
void RawSeekPerMove10k(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid FROM t WHERE rowid > ? ORDER BY rowid LIMIT 1", -1, &st,
                       nullptr);
    for (auto _ : state) {
        sqlite3_int64 rowid = 0;
        for (int i = 0; i <= kMoves; ++i) {
            sqlite3_bind_int64(st, 1, rowid);
            if (sqlite3_step(st) == SQLITE_ROW) rowid = sqlite3_column_int64(st, 0);
            sqlite3_reset(st);
        }
        benchmark::DoNotOptimize(rowid);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}

// ---- FindFirst "contains" whose only match is the last row. ----

void FindFirstContains(benchmark::State& state) {
    auto rs = Recordset::open(SqliteConnection::open(g_path), "t");
    const std::string criterion = std::string("c LIKE '*") + kNeedle + "*'";
    for (auto _ : state) {
        rs->findFirst(criterion);
        benchmark::DoNotOptimize(rs->noMatch());
    }
    if (rs->noMatch()) state.SkipWithError("the needle was not found");
}

void RawLikeContains(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* st = nullptr;
    const std::string sql =
        std::string("SELECT rowid FROM t WHERE c LIKE '%") + kNeedle + "%' LIMIT 1";
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    for (auto _ : state) {
        sqlite3_reset(st);
        benchmark::DoNotOptimize(sqlite3_step(st));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}

BENCHMARK(OpenAndMoveLast)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawCountScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(MoveNext10k)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawCursorStep10k)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawSeekPerMove10k)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindFirstContains)->Unit(benchmark::kMillisecond);
BENCHMARK(RawLikeContains)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const qv::bench::TempFolder folder("qvbench");
    return qv::bench::runBenchmarks(
        argc, argv, [&] { generate(folder.path()); },
        [](const qv::bench::RatioReporter& reporter) {
            std::printf("\nRatios (recordset / raw SQLite, same run):\n");
            qv::bench::printRatio(reporter, "open + MoveLast / SELECT count(*) scan",
                                  "OpenAndMoveLast", "RawCountScan", "< 0.05");
            qv::bench::printRatio(reporter, "10,000 MoveNext / stepping one rowid cursor",
                                  "MoveNext10k", "RawCursorStep10k", "<= 3");
            qv::bench::printRatio(reporter, "10,000 MoveNext / raw seek per move (same lookup)",
                                  "MoveNext10k", "RawSeekPerMove10k", "for reference");
            qv::bench::printRatio(reporter, "FindFirst contains / SELECT rowid ... LIKE LIMIT 1",
                                  "FindFirstContains", "RawLikeContains", "<= 1.3");
        });
}
