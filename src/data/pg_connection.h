// SPDX-License-Identifier: MIT
// The PostgreSQL implementation of DbConnection over libpq: a connection
// string instead of a file, tables addressed by their primary key, query
// results copied into a temporary table, and criteria in the server's SQL.
#pragma once

#include <memory>
#include <string>

#include "data/db_connection.h"

namespace qv::data {

class PgSession;

class PgConnection final : public DbConnection {
  public:
    // Connects with `conninfo` (postgresql://... or key=value words). With
    // `readOnly`, every transaction of the session is read-only. A change
    // waits up to `lockTimeoutMs` for a row another session holds, then fails
    // with Locked. No answer is awaited longer than `answerTimeoutMs` (and a
    // little longer than a lock is): a server that is silent that long counts
    // as lost. Throws ServerUnreachable when the server cannot be reached.
    static constexpr int kDefaultAnswerTimeoutMs = 15000;
    static std::unique_ptr<PgConnection> open(const std::string& conninfo, bool readOnly = false,
                                              int lockTimeoutMs = 5000,
                                              int answerTimeoutMs = kDefaultAnswerTimeoutMs);
    ~PgConnection() override;

    std::unique_ptr<DbStatement> prepare(std::string_view sql) override;
    void execute(std::string_view sql) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    std::int64_t dataVersion() override;
    std::uint64_t sessionNumber() override;
    bool isReadOnly() const override { return m_readOnly; }
    const std::string& path() const override;
    std::optional<DbRelation> findRelation(std::string_view name) override;
    DbRelation copyRows(std::string_view query, std::string_view tempName) override;
    std::string sameValueTest(std::string_view column, bool asText) const override;
    const CriteriaDialect* criteriaDialect() const override;

  private:
    PgConnection(std::shared_ptr<PgSession> session, bool readOnly);

    std::shared_ptr<PgSession> m_session;
    bool m_readOnly;
    std::int64_t m_version = 0;
};

}  // namespace qv::data
