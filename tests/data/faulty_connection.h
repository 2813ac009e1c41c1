// SPDX-License-Identifier: MIT
// A DbConnection decorator that makes the n-th database call fail, to check
// that every step of a change can fail without losing or half-writing data.
#pragma once

#include <memory>

#include "data/db_connection.h"

namespace qv::data::test {

class FaultyConnection final : public DbConnection {
  public:
    explicit FaultyConnection(std::shared_ptr<DbConnection> inner);

    // Makes the n-th fallible call from now on (1-based) fail with a disk
    // error; 0 disarms. Calls that cannot fail (reset, rollback) are not counted.
    void failAt(int n);
    // Fallible calls made since the last failAt().
    int calls() const { return m_state->calls; }
    bool fired() const { return m_state->fired; }

    std::unique_ptr<DbStatement> prepare(std::string_view sql) override;
    void execute(std::string_view sql) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override { m_inner->rollback(); }
    std::int64_t dataVersion() override;
    std::uint64_t sessionNumber() override { return m_inner->sessionNumber(); }
    bool isReadOnly() const override { return m_inner->isReadOnly(); }
    const std::string& path() const override { return m_inner->path(); }
    std::optional<DbRelation> findRelation(std::string_view name) override;
    DbRelation copyRows(std::string_view query, std::string_view tempName) override;
    std::string sameValueTest(std::string_view column, bool asText) const override {
        return m_inner->sameValueTest(column, asText);
    }
    const CriteriaDialect* criteriaDialect() const override { return m_inner->criteriaDialect(); }

    struct State {
        int failAt = 0;
        int calls = 0;
        bool fired = false;
        // Counts a call and throws when it is the one to fail.
        void tick();
    };

  private:
    std::shared_ptr<DbConnection> m_inner;
    std::shared_ptr<State> m_state;
};

}  // namespace qv::data::test
