// SPDX-License-Identifier: MIT
// The Find Record dialog's "Field Contains" search on a generated table of
// 1,000,000 rows with five text columns, where only the last row holds the
// text, in its last column, on SQLite and on a throwaway PostgreSQL server
// (tests/data/pg-cluster; left out when it does not start). Each engine runs
// three jobs in the same run:
//   DialogFind     the dialog's Find: one FindFirst over every listed field;
//   SameQuery      the one statement that find runs, prepared and stepped on
//                  the engine directly;
//   PerFieldLike   the five single-field queries with the engine's own LIKE
//                  (ILIKE on the server) that a search field by field ran.
// The ratios are printed at the end, from the medians when the runs are
// repeated (--benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
// spreads the load of a busy machine over all of them).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/criteria.h"
#include "data/db_statement.h"
#include "data/pg_connection.h"
#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/option_button.h"
#include "host/text_box.h"
#include "search/frmDBSearch.h"
#include "search/search_criterion.h"
#include "search/search_handover.h"
#include "support/bench_tables.h"
#include "support/ratio_reporter.h"
#include "support/server_tables.h"

namespace {

using qv::data::DbConnection;

constexpr int kRows = 1'000'000;
constexpr const char* kNeedle = "QZXNEEDLE";
constexpr const char* kColumns[] = {"a", "b", "c", "d", "e"};

// One engine's table: how to connect, and the name of the column that
// orders its rows.
struct Engine {
    std::string name;
    std::function<std::shared_ptr<DbConnection>()> connect;
    std::string key;
};
std::vector<Engine> g_engines;

// The statement the recordset runs for a criterion (see RecordSource::find).
std::string findSql(const std::string& condition, const std::string& key) {
    return "SELECT " + key + " FROM t WHERE (" + condition + ") ORDER BY " + key + " LIMIT 1";
}

void stepAll(std::vector<std::unique_ptr<qv::data::DbStatement>>& statements,
             const std::vector<std::vector<qv::data::DbValue>>& parameters) {
    for (std::size_t i = 0; i < statements.size(); ++i) {
        int index = 1;
        for (const auto& p : parameters[i]) statements[i]->bind(index++, p);
        const bool found = statements[i]->step();
        statements[i]->reset();
        if (found) break;
    }
}

void DialogFind(benchmark::State& state, const Engine* engine) {
    qv::search::SearchRecordset = qv::data::Recordset::open(engine->connect(), "t");
    auto dialog = qv::search::frmDBSearch::instance();
    dialog->Show();  // loaded and activated, without windows
    dialog->optSearch(1)->setValue(true);
    dialog->txtSearch()->setText(kNeedle);
    for (auto _ : state) dialog->cmdPrivate()->press();
    if (dialog->cboSearch()->Text() != "e") state.SkipWithError("the needle was not found");
    dialog->Unload();
    qv::search::SearchRecordset = nullptr;
}

void SameQuery(benchmark::State& state, const Engine* engine) {
    auto db = engine->connect();
    auto rs = qv::data::Recordset::open(db, "t");
    std::vector<std::string> names;
    std::vector<bool> text;
    for (const auto& f : rs->fieldInfo()) {
        names.push_back(f.name);
        text.push_back(f.type == qv::host::field_type::Text);
    }
    const auto criteria = qv::data::Criteria::compile(
        qv::search::anyFieldCriterion(names, kNeedle, qv::search::SearchMode::Contains), names,
        db->criteriaDialect(), text);
    std::vector<std::unique_ptr<qv::data::DbStatement>> statements;
    statements.push_back(db->prepare(findSql(criteria.sql(), engine->key)));
    for (auto _ : state) stepAll(statements, {criteria.parameters()});
}

void PerFieldLike(benchmark::State& state, const Engine* engine) {
    auto db = engine->connect();
    const bool server = db->criteriaDialect() != nullptr;
    std::vector<std::unique_ptr<qv::data::DbStatement>> statements;
    std::vector<std::vector<qv::data::DbValue>> parameters;
    for (const char* column : kColumns) {
        const std::string test =
            server ? std::string(column) + " ILIKE ? ESCAPE '\\'" : std::string(column) + " LIKE ?";
        statements.push_back(db->prepare(findSql(test, engine->key)));
        parameters.push_back({qv::data::DbValue(std::string("%") + kNeedle + "%")});
    }
    for (auto _ : state) stepAll(statements, parameters);
}

// Keeps the median of repeated runs (--benchmark_repetitions) as the time of
// the benchmark, steadier than one run on a busy machine.
class MedianReporter : public qv::bench::RatioReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        RatioReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                real[r.run_name.str()] = r.GetAdjustedRealTime();
                cpu[r.run_name.str()] = r.GetAdjustedCPUTime();
            }
        }
    }
};

int cluster(const std::filesystem::path& folder, const char* action) {
    const std::string command =
        std::string(QV_REPO_ROOT) + "/tests/data/pg-cluster " + action + " " + folder.string();
    return std::system(command.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const qv::bench::TempFolder folder("qvfind");
    std::printf("Generating %d rows...\n", kRows);
    const std::string path = (folder.path() / "big.db").string();
    qv::bench::makeFiveColumnTable(path, kRows, 'e', kNeedle);
    g_engines.push_back(
        {"SQLite", [path] { return qv::data::SqliteConnection::open(path); }, "rowid"});
    const std::filesystem::path server = folder.path() / "pg";
    const std::string words = "host=" + (server / "socket").string() + " dbname=postgres user=qv";
    const bool started = cluster(server, "start") == 0;
    if (started) {
        try {
            qv::bench::makeFiveColumnServerTable(words, kRows, 'e', kNeedle);
            g_engines.push_back(
                {"PostgreSQL", [words] { return qv::data::PgConnection::open(words); }, "id"});
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bench_search: no server table: %s\n", e.what());
        }
    } else {
        std::fprintf(stderr, "bench_search: the server did not start; SQLite only\n");
    }
    for (const Engine& engine : g_engines) {
        for (auto [name, job] :
             {std::pair{"DialogFind", &DialogFind}, std::pair{"SameQuery", &SameQuery},
              std::pair{"PerFieldLike", &PerFieldLike}}) {
            benchmark::RegisterBenchmark((engine.name + "/" + name).c_str(), job, &engine)
                ->Unit(benchmark::kMillisecond);
        }
    }
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (same run):\n");
    for (const Engine& engine : g_engines) {
        const std::string find = engine.name + "/DialogFind";
        qv::bench::printRatio(reporter, (engine.name + ": Find / the same query raw").c_str(),
                              find.c_str(), (engine.name + "/SameQuery").c_str(), "<= 1.1");
        qv::bench::printRatio(reporter,
                              (engine.name + ": Find / five single-field LIKE queries").c_str(),
                              find.c_str(), (engine.name + "/PerFieldLike").c_str(), "<= 1");
    }
    benchmark::Shutdown();
    if (started) cluster(server, "stop");
    return 0;
}
