// SPDX-License-Identifier: MIT
// EngineDatabase on SQLite: a TempDatabase.
#include "engine_database.h"
#include "temp_database.h"

namespace qv::data::test {

struct EngineDatabase::Impl {
    explicit Impl(std::string_view schema) : db(schema) {}
    TempDatabase db;
};

EngineDatabase::EngineDatabase(std::string_view schemaSql)
    : m_impl(std::make_unique<Impl>(schemaSql)) {}
EngineDatabase::~EngineDatabase() = default;

std::shared_ptr<DbConnection> EngineDatabase::connect(bool readOnly) const {
    return m_impl->db.connect(readOnly);
}
std::string EngineDatabase::serverWords() const {
    return "";
}
void EngineDatabase::exec(std::string_view sql) const {
    m_impl->db.exec(sql);
}
std::string EngineDatabase::column(std::string_view sql) const {
    return m_impl->db.column(sql);
}
std::string EngineDatabase::snapshot() const {
    return m_impl->db.bytes();
}
const char* EngineDatabase::engine() {
    return "sqlite";
}

}  // namespace qv::data::test
