// SPDX-License-Identifier: MIT
// Benchmarks of the recordset on generated tables of 1,000,000 and
// 10,000,000 rows with five text columns, each against raw SQLite doing the
// same job on the same table in the same run (MoveNext and FindFirst taking
// turns with it inside one run); the ratios of both sizes and the process's
// peak memory are printed at the end. The tables are generated once
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
#include "support/paired_runs.h"
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

// ---- 10,000 MoveNext against stepping a cursor, and FindFirst against LIKE. ----
// Each pair is measured in alternation (see paired_runs.h) on the same file,
// both connections opened with the same flags, over the same rows.

// A raw connection opened as SqliteConnection opens its own: read-write, and
// without SQLite's per-call lock (one thread uses it).
struct RawDb {
    sqlite3* db = nullptr;
    explicit RawDb(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    }
    ~RawDb() { sqlite3_close(db); }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;
};

// One prepared statement of a RawDb.
struct RawStatement {
    sqlite3_stmt* st = nullptr;
    RawStatement(const RawDb& raw, const std::string& sql) {
        sqlite3_prepare_v2(raw.db, sql.c_str(), -1, &st, nullptr);
    }
    ~RawStatement() { sqlite3_finalize(st); }
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;
};

// The label of a table size in counter names: "1M", "10M".
std::string sizeLabel(int rows) {
    return std::to_string(rows / 1'000'000) + "M";
}

// What one table size needs for a comparison: our recordset and a raw
// connection with one statement, opened before the timing.
struct Sides {
    std::shared_ptr<Recordset> rs;
    RawDb raw;
    RawStatement st;
    Sides(const std::string& path, const std::string& sql)
        : rs(Recordset::open(SqliteConnection::open(path), "t")), raw(path), st(raw, sql) {}
};

// Measures, for both table sizes in turns inside one run, `ours` against
// `theirs`, each given the size's Sides; the sizes taking turns too keeps
// the growth from one to the other free of what the machine did meanwhile.
template <class Ours, class Theirs>
void compareOnBothSizes(benchmark::State& state, const std::string& sql, Ours ours, Theirs theirs) {
    std::vector<std::unique_ptr<Sides>> sides;
    std::vector<qv::bench::Pair> pairs;
    for (int rows : kSizes) {
        sides.push_back(std::make_unique<Sides>(g_paths.at(rows), sql));
        Sides* s = sides.back().get();
        pairs.push_back({sizeLabel(rows), [=] { ours(*s); }, [=] { theirs(*s); }});
    }
    qv::bench::runPairsInTurns(state, pairs);
}

// 10,000 MoveNext from the first record, against one statement stepped
// 10,001 times from its start: SQLite's own cursor, no lookup per row.
void MoveNextVsCursor(benchmark::State& state) {
    compareOnBothSizes(
        state, "SELECT rowid FROM t ORDER BY rowid",
        [](Sides& s) {
            s.rs->moveFirst();
            for (int i = 0; i < kMoves; ++i) s.rs->moveNext();
            benchmark::DoNotOptimize(s.rs->eof());
        },
        [](Sides& s) {
            sqlite3_reset(s.st.st);
            for (int i = 0; i <= kMoves; ++i) sqlite3_step(s.st.st);
            benchmark::DoNotOptimize(sqlite3_column_int64(s.st.st, 0));
        });
}

// The same positioned lookup per move the recordset would make without its
// window of rowids, for reference.
void RawSeekPerMove10k(benchmark::State& state) {
    const RawDb raw(pathFor(state));
    const RawStatement seek(raw, "SELECT rowid FROM t WHERE rowid > ? ORDER BY rowid LIMIT 1");
    for (auto _ : state) {
        sqlite3_int64 rowid = 0;
        for (int i = 0; i <= kMoves; ++i) {
            sqlite3_bind_int64(seek.st, 1, rowid);
            if (sqlite3_step(seek.st) == SQLITE_ROW) rowid = sqlite3_column_int64(seek.st, 0);
            sqlite3_reset(seek.st);
        }
        benchmark::DoNotOptimize(rowid);
    }
}

// FindFirst "contains" whose only match is the last row, against LIKE with
// LIMIT 1 on a raw connection.
void FindFirstVsLike(benchmark::State& state) {
    static const std::string criterion = std::string("c LIKE '*") + kNeedle + "*'";
    compareOnBothSizes(
        state, std::string("SELECT rowid FROM t WHERE c LIKE '%") + kNeedle + "%' LIMIT 1",
        [](Sides& s) {
            s.rs->findFirst(criterion);
            if (s.rs->noMatch()) std::abort();  // the needle must be found
        },
        [](Sides& s) {
            sqlite3_reset(s.st.st);
            benchmark::DoNotOptimize(sqlite3_step(s.st.st));
        });
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
BENCHMARK(MoveNextVsCursor)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawSeekPerMove10k)->Apply(bothSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindFirstVsLike)->Unit(benchmark::kMillisecond);
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
                const std::string n = std::string("/").append(std::to_string(rows));
                const auto counter = [&](const std::string& run, const char* key) {
                    const auto it = reporter.counters.find(run);
                    if (it == reporter.counters.end() || !it->second.count(key)) return 0.0;
                    return it->second.at(key).value;
                };
                // Both sizes were measured in one run: its counters hold every side.
                const std::string size = std::string("_").append(sizeLabel(rows));
                auto paired = [&](const char* what, const std::string& run, const char* goal) {
                    if (!reporter.counters.count(run)) return;
                    std::printf("%-52s real %8.3f  cpu %8.3f  (goal %s)\n", what,
                                counter(run, ("real_ratio" + size).c_str()),
                                counter(run, ("ratio" + size).c_str()), goal);
                };
                std::printf("\nRatios on %d rows (recordset / raw SQLite, same run):\n", rows);
                qv::bench::printRatio(reporter, "open + MoveLast / count(*) scan",
                                      ("OpenAndMoveLast" + n).c_str(), ("RawCountScan" + n).c_str(),
                                      "< 0.01");
                paired("10,000 MoveNext / cursor step", "MoveNextVsCursor", "<= 1.5");
                if (const auto seek = reporter.cpu.find("RawSeekPerMove10k" + n);
                    seek != reporter.cpu.end() && seek->second > 0) {
                    std::printf(
                        "%-52s cpu %8.3f  (for reference)\n", "10,000 MoveNext / seek per move",
                        counter("MoveNextVsCursor", ("ours_us" + size).c_str()) / seek->second);
                }
                paired("FindFirst contains / LIKE LIMIT 1", "FindFirstVsLike", "<= 1.3");
            }
            for (const char* run : {"MoveNextVsCursor", "FindFirstVsLike"}) {
                if (const auto it = reporter.counters.find(run);
                    it != reporter.counters.end() && it->second.count("growth")) {
                    std::printf("\n%s: ratio on 10M rows / on 1M rows %.3f (goal <= 1.25)", run,
                                it->second.at("growth").value);
                }
            }
            std::printf("\n");
            if (const auto it = reporter.cpu.find("PeakMemory/iterations:1");
                it != reporter.cpu.end()) {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("\npeak memory of the process: %.1f MB (goal < 64)\n",
                            static_cast<double>(usage.ru_maxrss) / 1024.0);
            }
        });
}
