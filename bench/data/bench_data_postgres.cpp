// SPDX-License-Identifier: MIT
// Benchmarks of the recordset on a PostgreSQL table of 1,000,000 rows with
// five text columns, each against raw libpq doing the same job in the same
// run; the ratios are printed at the end. The program starts a throwaway
// server in a temporary folder (tests/data/pg-cluster), fills the table
// outside every timing, and stops the server on exit.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "data/pg_connection.h"
#include "data/recordset.h"
#include "support/bench_tables.h"
#include "support/ratio_reporter.h"
#include "support/server_tables.h"

namespace {

using qv::data::PgConnection;
using qv::data::Recordset;

constexpr int kRows = 1'000'000;
constexpr int kMoves = 10'000;
// Only the last row's column c contains this text.
constexpr const char* kNeedle = "QZXNEEDLE";

std::filesystem::path g_folder;
std::string g_words;

int cluster(const char* action) {
    const std::string command =
        std::string(QV_REPO_ROOT) + "/tests/data/pg-cluster " + action + " " + g_folder.string();
    return std::system(command.c_str());
}

void generate() {
    qv::bench::makeFiveColumnServerTable(g_words, kRows, 'c', kNeedle);
}

// A raw connection that closes with the scope.
struct Raw {
    Raw() : conn(PQconnectdb(g_words.c_str())) {}
    ~Raw() { PQfinish(conn); }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;
    void run(const char* sql) const { PQclear(PQexec(conn, sql)); }
    PGconn* conn;
};

// ---- Opening plus MoveLast against a count(*) scan. ----

void OpenAndMoveLast(benchmark::State& state) {
    for (auto _ : state) {
        auto rs = Recordset::open(PgConnection::open(g_words), "t");
        rs->moveLast();
        benchmark::DoNotOptimize(rs->eof());
    }
}

// The recordset's own part of opening, on a connection already made.
void OpenOnConnectionAndMoveLast(benchmark::State& state) {
    std::shared_ptr<qv::data::DbConnection> db = PgConnection::open(g_words);
    for (auto _ : state) {
        auto rs = Recordset::open(db, "t");
        rs->moveLast();
        benchmark::DoNotOptimize(rs->eof());
    }
}

void RawCountScan(benchmark::State& state) {
    for (auto _ : state) {
        Raw raw;
        PGresult* r = PQexec(raw.conn, "SELECT count(*) FROM t");
        benchmark::DoNotOptimize(PQgetvalue(r, 0, 0));
        PQclear(r);
    }
}

// ---- 10,000 MoveNext against one server-side cursor. ----

void MoveNext10k(benchmark::State& state) {
    auto rs = Recordset::open(PgConnection::open(g_words), "t");
    for (auto _ : state) {
        rs->moveFirst();
        for (int i = 0; i < kMoves; ++i) rs->moveNext();
        benchmark::DoNotOptimize(rs->eof());
    }
}

void RawCursorFetch10k(benchmark::State& state) {
    Raw raw;
    const std::string fetch = "FETCH " + std::to_string(kMoves + 1) + " FROM c";
    for (auto _ : state) {
        raw.run("BEGIN");
        raw.run("DECLARE c NO SCROLL CURSOR FOR SELECT id FROM t ORDER BY id");
        PGresult* r = PQexec(raw.conn, fetch.c_str());
        benchmark::DoNotOptimize(PQntuples(r));
        PQclear(r);
        raw.run("COMMIT");
    }
}

// ---- FindFirst "contains" whose only match is the last row. ----

void FindFirstContains(benchmark::State& state) {
    auto rs = Recordset::open(PgConnection::open(g_words), "t");
    const std::string criterion = std::string("c LIKE '*") + kNeedle + "*'";
    for (auto _ : state) {
        rs->findFirst(criterion);
        benchmark::DoNotOptimize(rs->noMatch());
    }
    if (rs->noMatch()) state.SkipWithError("the needle was not found");
}

void RawIlikeContains(benchmark::State& state) {
    Raw raw;
    const std::string sql =
        std::string("SELECT id FROM t WHERE c ILIKE '%") + kNeedle + "%' LIMIT 1";
    for (auto _ : state) {
        PGresult* r = PQexec(raw.conn, sql.c_str());
        benchmark::DoNotOptimize(PQntuples(r));
        PQclear(r);
    }
}

BENCHMARK(OpenAndMoveLast)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenOnConnectionAndMoveLast)->Unit(benchmark::kMillisecond);
BENCHMARK(RawCountScan)->Unit(benchmark::kMillisecond);
BENCHMARK(MoveNext10k)->Unit(benchmark::kMillisecond);
BENCHMARK(RawCursorFetch10k)->Unit(benchmark::kMillisecond);
BENCHMARK(FindFirstContains)->Unit(benchmark::kMillisecond);
BENCHMARK(RawIlikeContains)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const qv::bench::TempFolder folder("qvbench-pg");
    g_folder = folder.path();
    g_words = "host=" + (g_folder / "socket").string() + " dbname=postgres user=qv";
    if (cluster("start") != 0) {
        std::fprintf(stderr, "bench_data_postgres: the server did not start\n");
        return 1;
    }
    int status = 0;
    try {
        std::printf("Generating %d rows...\n", kRows);
        generate();
        qv::bench::RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        std::printf("\nRatios (recordset / raw libpq, same run):\n");
        qv::bench::printRatio(reporter, "open + MoveLast / SELECT count(*)", "OpenAndMoveLast",
                              "RawCountScan", "< 0.05");
        qv::bench::printRatio(reporter, "the same on a connection already made / count(*)",
                              "OpenOnConnectionAndMoveLast", "RawCountScan", "for reference");
        qv::bench::printRatio(reporter, "10,000 MoveNext / one server-side cursor", "MoveNext10k",
                              "RawCursorFetch10k", "<= 3");
        qv::bench::printRatio(reporter, "FindFirst contains / SELECT ... ILIKE LIMIT 1",
                              "FindFirstContains", "RawIlikeContains", "<= 1.3");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_data_postgres: %s\n", e.what());
        status = 1;
    }
    benchmark::Shutdown();
    cluster("stop");
    return status;
}
