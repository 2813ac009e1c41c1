// SPDX-License-Identifier: MIT
// Benchmarks of the recordset on generated tables of 1,000,000 and
// 10,000,000 rows with five text columns, each against raw SQLite doing the
// same job on the same table in the same run; the ratios of both sizes and the
// process's peak memory are printed at the end. The tables are generated once
// into the build folder, outside every timing, and reused by later runs.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "support/bench_tables.h"
#include "support/ratio_reporter.h"

namespace {

using qv::data::Recordset;
using qv::data::SqliteConnection;

constexpr int kMoves = 10'000;
// Only the last row's column c contains this text.
constexpr const char* kNeedle = "QZXNEEDLE";
constexpr int kSizes[] = {1'000'000, 10'000'000};

// The database file of each table size.
std::map<int, std::string> g_paths;

void generate(int rows) {
    g_paths[rows] = qv::bench::cachedDatabase(
        "rows-" + std::to_string(rows) + ".db", [rows](const std::string& path) {
            qv::bench::makeFiveColumnTable(path, rows, 'c', kNeedle);
        });
}

const std::string& pathFor(const benchmark::State& state) {
    return g_paths.at(static_cast<int>(state.range(0)));
}

// ---- Opening plus MoveLast against a count(*) scan. ----

void OpenAndMoveLast(benchmark::State& state) {
    for (auto _ : state) {
        auto db = std::shared_ptr<qv::data::DbConnection>(SqliteConnection::open(pathFor(state)));
        auto rs = Recordset::open(db, "t");
        rs->moveLast();
        benchmark::DoNotOptimize(rs->eof());
    }
}

void RawCountScan(benchmark::State& state) {
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(pathFor(state).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
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
    auto rs = Recordset::open(SqliteConnection::open(pathFor(state)), "t");
    for (auto _ : state) {
        rs->moveFirst();
        for (int i = 0; i < kMoves; ++i) rs->moveNext();
        benchmark::DoNotOptimize(rs->eof());
    }
}

// One statement stepped 10,000 times: SQLite's own cursor, no seek per row.
void RawCursorStep10k(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(pathFor(state).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
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
    sqlite3_open_v2(pathFor(state).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
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
    auto rs = Recordset::open(SqliteConnection::open(pathFor(state)), "t");
    const std::string criterion = std::string("c LIKE '*") + kNeedle + "*'";
    for (auto _ : state) {
        rs->findFirst(criterion);
        benchmark::DoNotOptimize(rs->noMatch());
    }
    if (rs->noMatch()) state.SkipWithError("the needle was not found");
}

void RawLikeContains(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(pathFor(state).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
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

// Reports the process's peak memory so far (run last): every table has
// been opened, moved through and searched by then.
void PeakMemory(benchmark::State& state) {
    for (auto _ : state) {
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // ru_maxrss is in kilobytes on Linux.
    state.counters["peak_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void bothSizes(benchmark::internal::Benchmark* b) {
    for (int rows : kSizes) b->Arg(rows);
}

BENCHMARK(OpenAndMoveLast)->Apply(bothSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawCountScan)->Apply(bothSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(MoveNext10k)->Apply(bothSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawCursorStep10k)->Apply(bothSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawSeekPerMove10k)->Apply(bothSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindFirstContains)->Apply(bothSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(RawLikeContains)->Apply(bothSizes)->Unit(benchmark::kMillisecond);
BENCHMARK(PeakMemory)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return qv::bench::runBenchmarks(
        argc, argv,
        [] {
            for (int rows : kSizes) generate(rows);
        },
        [](const qv::bench::RatioReporter& reporter) {
            for (int rows : kSizes) {
                const std::string n = "/" + std::to_string(rows);
                auto line = [&](const char* what, const char* a, const char* b, const char* goal) {
                    const std::string label = std::string(what) + " (" + std::to_string(rows) + ")";
                    qv::bench::printRatio(reporter, label.c_str(), (a + n).c_str(), (b + n).c_str(),
                                          goal);
                };
                std::printf("\nRatios on %d rows (recordset / raw SQLite, same run):\n", rows);
                line("open + MoveLast / count(*) scan", "OpenAndMoveLast", "RawCountScan",
                     "< 0.01");
                line("10,000 MoveNext / cursor step", "MoveNext10k", "RawCursorStep10k", "<= 1.5");
                line("10,000 MoveNext / seek per move", "MoveNext10k", "RawSeekPerMove10k",
                     "for reference");
                line("FindFirst contains / LIKE LIMIT 1", "FindFirstContains", "RawLikeContains",
                     "<= 1.3");
            }
            if (const auto it = reporter.cpu.find("PeakMemory/iterations:1");
                it != reporter.cpu.end()) {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("\npeak memory of the process: %.1f MB (goal < 64)\n",
                            static_cast<double>(usage.ru_maxrss) / 1024.0);
            }
        });
}
