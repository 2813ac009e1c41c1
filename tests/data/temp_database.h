// SPDX-License-Identifier: MIT
// A SQLite database file in a fresh temporary folder, removed with the object,
// for tests that need real files.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "data/sqlite_connection.h"
#include "support/temp_folder.h"

namespace qv::data::test {

class TempDatabase {
  public:
    // Creates the folder and a database file `name` in it, running `schemaSql`.
    explicit TempDatabase(std::string_view schemaSql, std::string_view name = "test.db");
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::filesystem::path& folder() const { return m_folder.path(); }
    std::string path() const { return (folder() / m_name).string(); }
    // A new connection to the file (busy timeout 0, so lock tests are quick).
    std::shared_ptr<DbConnection> connect(bool readOnly = false) const;
    // Runs SQL on a connection of its own.
    void exec(std::string_view sql) const;
    // The file's bytes, to check that a failed change left it as it was.
    std::string bytes() const;
    // Runs a one-column query on a separate connection and joins the rows
    // with ",".
    std::string column(std::string_view sql) const;

  private:
    qv::test::TempFolder m_folder{"qvdata"};
    std::string m_name;
};

}  // namespace qv::data::test
