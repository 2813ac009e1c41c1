// SPDX-License-Identifier: MIT
#include "faulty_connection.h"

#include "data/data_errors.h"

namespace qv::data::test {

namespace {

class FaultyStatement final : public DbStatement {
  public:
    FaultyStatement(std::unique_ptr<DbStatement> inner,
                    std::shared_ptr<FaultyConnection::State> state)
        : m_inner(std::move(inner)), m_state(std::move(state)) {}

    void bind(int index, const DbValue& value) override {
        m_state->tick();
        m_inner->bind(index, value);
    }
    bool step() override {
        m_state->tick();
        return m_inner->step();
    }
    void reset() noexcept override { m_inner->reset(); }
    bool isReadOnly() const override { return m_inner->isReadOnly(); }
    int columnCount() const override { return m_inner->columnCount(); }
    std::string columnName(int i) const override { return m_inner->columnName(i); }
    std::string columnDeclaredType(int i) const override { return m_inner->columnDeclaredType(i); }
    std::int64_t columnInteger(int i) const override {
        m_state->tick();
        return m_inner->columnInteger(i);
    }
    DbValue column(int i) const override {
        m_state->tick();
        return m_inner->column(i);
    }

  private:
    std::unique_ptr<DbStatement> m_inner;
    std::shared_ptr<FaultyConnection::State> m_state;
};

}  // namespace

void FaultyConnection::State::tick() {
    ++calls;
    if (failAt != 0 && calls == failAt) {
        fired = true;
        raiseData(DataErr::DiskError, kRecordsetSource, {}, "injected failure");
    }
}

FaultyConnection::FaultyConnection(std::shared_ptr<DbConnection> inner)
    : m_inner(std::move(inner)), m_state(std::make_shared<State>()) {}

void FaultyConnection::failAt(int n) {
    m_state->failAt = n;
    m_state->calls = 0;
    m_state->fired = false;
}

std::unique_ptr<DbStatement> FaultyConnection::prepare(std::string_view sql) {
    m_state->tick();
    return std::make_unique<FaultyStatement>(m_inner->prepare(sql), m_state);
}

void FaultyConnection::execute(std::string_view sql) {
    m_state->tick();
    m_inner->execute(sql);
}

std::optional<DbRelation> FaultyConnection::findRelation(std::string_view name) {
    m_state->tick();
    auto rel = m_inner->findRelation(name);
    if (rel && rel->shape) {
        rel->shape = std::make_unique<FaultyStatement>(std::move(rel->shape), m_state);
    }
    return rel;
}

DbRelation FaultyConnection::copyRows(std::string_view query, std::string_view tempName) {
    m_state->tick();
    return m_inner->copyRows(query, tempName);
}

void FaultyConnection::begin() {
    m_state->tick();
    m_inner->begin();
}

void FaultyConnection::commit() {
    m_state->tick();
    m_inner->commit();
}

std::int64_t FaultyConnection::dataVersion() {
    m_state->tick();
    return m_inner->dataVersion();
}

}  // namespace qv::data::test
