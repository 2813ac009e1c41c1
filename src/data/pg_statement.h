// SPDX-License-Identifier: MIT
// The PostgreSQL implementation of DbStatement: a statement prepared on the
// server, its parameters sent as text for the server to type, and its result
// rows fetched when it runs. A statement prepared before the connection was
// lost is prepared again on the new connection.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/db_statement.h"

struct pg_result;

namespace qv::data {

class PgSession;

class PgStatement final : public DbStatement {
  public:
    // Prepares `sql`, whose parameters are written `?`, on `session`.
    PgStatement(std::shared_ptr<PgSession> session, std::string_view sql);
    ~PgStatement() override;
    PgStatement(const PgStatement&) = delete;
    PgStatement& operator=(const PgStatement&) = delete;

    void bind(int index, const DbValue& value) override;
    bool step() override;
    void reset() noexcept override;
    bool isReadOnly() const override;
    int columnCount() const override;
    std::string columnName(int index) const override;
    std::string columnDeclaredType(int index) const override;
    bool columnComparedAsText(int index) const override;
    DbValue column(int index) const override;
    std::int64_t columnInteger(int index) const override;

  private:
    struct Column {
        std::string name;
        unsigned int type = 0;  // the server's type number
    };
    void prepareOnServer() const;
    // Asks the server for the types of the parameters and result columns,
    // once per preparation: only what needs them before the first run pays
    // the round trip.
    void describe() const;
    const char* text(int index) const;

    std::shared_ptr<PgSession> m_session;
    std::string m_sql;  // with $1, $2 ... for the parameters
    // Where the statement is prepared; a lost connection makes both change.
    mutable std::string m_name;
    mutable std::uint64_t m_generation = 0;
    mutable bool m_described = false;
    mutable std::vector<unsigned int> m_paramTypes;
    mutable std::vector<Column> m_columns;
    std::vector<std::optional<std::string>> m_params;
    pg_result* m_result = nullptr;
    int m_row = -1;
};

// Returns `sql` with each `?` outside quotes numbered as $1, $2 ...
std::string numberPlaceholders(std::string_view sql, int* count = nullptr);

}  // namespace qv::data
