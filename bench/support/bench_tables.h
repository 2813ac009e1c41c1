// SPDX-License-Identifier: MIT
// The generated databases the benchmarks share: a temporary folder, a folder
// in the build tree that keeps them between runs, and a table of text columns
// with one needle in its last row.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "data/sqlite_connection.h"

namespace qv::bench {

// A new, empty folder under the system's temporary folder, named from
// `prefix`, removed with all it holds when the object goes. Aborts when none
// can be made (a benchmark cannot go on).
class TempFolder {
  public:
    explicit TempFolder(const char* prefix) {
        std::string tmpl = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        m_path = tmpl;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

// The path of the generated database `name` in the build folder's bench-data
// folder, made with make(path) when no earlier run left it there. A database
// is written under a temporary name and renamed when whole, so an interrupted
// generation is never taken for a finished one.
template <class Make>
std::string cachedDatabase(const std::string& name, Make make) {
    const std::filesystem::path folder = QV_BENCH_DATA_DIR;
    const std::filesystem::path path = folder / name;
    if (std::filesystem::exists(path)) return path.string();
    std::filesystem::create_directories(folder);
    const std::string partial = path.string() + ".partial";
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    std::printf("Generating %s (once)...\n", path.c_str());
    std::fflush(stdout);
    make(partial);
    std::filesystem::rename(partial, path);
    return path.string();
}

// Creates the SQLite file `path` with table t of five text columns a to e and
// `rows` rows; only the last row's column `needleColumn` contains `needle`.
inline void makeFiveColumnTable(const std::string& path, int rows, char needleColumn,
                                const std::string& needle) {
    qv::data::SqliteConnection::Options options;
    options.create = true;
    qv::data::SqliteConnection::open(path, options)
        ->execute(
            "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
            "CREATE TABLE t (a TEXT, b TEXT, c TEXT, d TEXT, e TEXT);"
            "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " +
            std::to_string(rows) +
            ") INSERT INTO t SELECT printf('name %07d', k), printf('city %05d', k % 5000),"
            " printf('customer %d of the generated set', k),"
            " printf('+1 %03d %04d', k % 1000, k % 10000), printf('note %d', k * 7) FROM n;"
            "UPDATE t SET " +
            std::string(1, needleColumn) + " = " + std::string(1, needleColumn) + " || ' " +
            needle + "' WHERE rowid = " + std::to_string(rows) + ";");
}

}  // namespace qv::bench
