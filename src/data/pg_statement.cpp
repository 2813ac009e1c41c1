// SPDX-License-Identifier: MIT
#include "data/pg_statement.h"

#include <libpq-fe.h>

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "data/data_errors.h"
#include "data/pg_session.h"

namespace qv::data {

namespace {

// Type numbers of the server's built-in types the recordset tells apart.
enum : unsigned int {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kNumeric = 1700,
    kName = 19,
    kText = 25,
    kBpchar = 1042,
    kVarchar = 1043,
    kUuid = 2950,
    kDate = 1082,
    kTime = 1083,
    kTimestamp = 1114,
    kTimestampTz = 1184,
};

bool isInteger(unsigned int t) {
    return t == kInt8 || t == kInt2 || t == kInt4 || t == kOid;
}

// The types whose values, as the recordset reads them, compare equal with
// the server's own equality.
bool hasExactEquality(unsigned int t) {
    for (unsigned int exact : {kBool, kBytea, kFloat4, kFloat8, kNumeric, kName, kText, kBpchar,
                               kVarchar, kUuid, kDate, kTime, kTimestamp, kTimestampTz}) {
        if (t == exact) return true;
    }
    return isInteger(t);
}

// A double holds every decimal of up to 15 significant digits exactly.
bool fitsADouble(std::string_view number) {
    int digits = 0;
    bool leading = true;
    for (char c : number) {
        if (c == 'e' || c == 'E') break;
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++digits;
    }
    return digits <= 15;
}

std::string hexBytes(const DbBlob& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "\\x";
    for (std::uint8_t b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

std::string_view firstWord(std::string_view sql) {
    while (!sql.empty() &&
           (std::isspace(static_cast<unsigned char>(sql.front())) || sql.front() == '(')) {
        sql.remove_prefix(1);
    }
    std::size_t n = 0;
    while (n < sql.size() && std::isalpha(static_cast<unsigned char>(sql[n]))) ++n;
    return sql.substr(0, n);
}

}  // namespace

std::string numberPlaceholders(std::string_view sql, int* count) {
    std::string out;
    out.reserve(sql.size() + 8);
    int n = 0;
    char quote = 0;
    for (char c : sql) {
        if (quote) {
            if (c == quote) quote = 0;  // a doubled quote closes and reopens
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '?') {
            out += "$" + std::to_string(++n);
            continue;
        }
        out += c;
    }
    if (count) *count = n;
    return out;
}

PgStatement::PgStatement(std::shared_ptr<PgSession> session, std::string_view sql)
    : m_session(std::move(session)) {
    int count = 0;
    m_sql = numberPlaceholders(sql, &count);
    m_params.resize(static_cast<std::size_t>(count));
    prepareOnServer();
}

PgStatement::~PgStatement() {
    reset();
    // Closed on the server with the next preparation, which saves a round
    // trip; a lost connection took it along already.
    if (!m_name.empty() && m_generation == m_session->generation()) m_session->retire(m_name);
}

void PgStatement::prepareOnServer() const {
    PGconn* conn = m_session->live();
    m_name = m_session->nextStatementName();
    m_generation = m_session->generation();
    PQclear(m_session->check(
        m_session->await(PQsendPrepare(conn, m_name.c_str(), m_sql.c_str(), 0, nullptr))));
    m_described = false;
}

void PgStatement::describe() const {
    PGconn* conn = m_session->live();
    if (m_generation != m_session->generation()) prepareOnServer();
    if (m_described) return;
    PGresult* described =
        m_session->check(m_session->await(PQsendDescribePrepared(conn, m_name.c_str())));
    m_paramTypes.clear();
    for (int i = 0; i < PQnparams(described); ++i)
        m_paramTypes.push_back(PQparamtype(described, i));
    m_columns.clear();
    for (int i = 0; i < PQnfields(described); ++i) {
        m_columns.push_back({PQfname(described, i), PQftype(described, i)});
    }
    PQclear(described);
    m_described = true;
}

int PgStatement::columnCount() const {
    describe();
    return static_cast<int>(m_columns.size());
}

void PgStatement::bind(int index, const DbValue& v) {
    if (index < 1 || static_cast<std::size_t>(index) > m_params.size()) {
        raiseData(DataErr::EngineFailure, kRecordsetSource, {},
                  "no parameter " + std::to_string(index));
    }
    // Only whole numbers and bytes are written differently by type.
    if (v.isInteger() || v.isBlob()) describe();
    const std::size_t at = static_cast<std::size_t>(index - 1);
    const unsigned int type = at < m_paramTypes.size() ? m_paramTypes[at] : 0;
    auto& slot = m_params[static_cast<std::size_t>(index - 1)];
    if (v.isNull()) {
        slot.reset();
    } else if (v.isInteger()) {
        // Booleans are stored as whole numbers by the forms runtime.
        slot = type == kBool ? (v.integer() != 0 ? "true" : "false") : std::to_string(v.integer());
    } else if (v.isReal()) {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v.real());
        slot = std::string(buf, r.ptr);
    } else if (v.isText()) {
        slot = v.text();
    } else {
        slot = type == kBytea ? hexBytes(v.blob()) : std::string(v.blob().begin(), v.blob().end());
    }
    // The server's text ends at a NUL character: refused rather than cut.
    if (slot && slot->find('\0') != std::string::npos) {
        slot.reset();
        raiseData(DataErr::TypeMismatch, kRecordsetSource, {},
                  "the text holds a NUL character, which the server cannot store");
    }
}

bool PgStatement::step() {
    if (!m_result) {
        // A connection made again after a loss has none of the old statements.
        PGconn* conn = m_session->live();
        if (m_generation != m_session->generation()) prepareOnServer();
        std::vector<const char*> values;
        for (const auto& p : m_params) values.push_back(p ? p->c_str() : nullptr);
        m_result = m_session->check(m_session->await(
            PQsendQueryPrepared(conn, m_name.c_str(), static_cast<int>(values.size()),
                                values.data(), nullptr, nullptr, 0)));
        m_row = -1;
    }
    return ++m_row < PQntuples(m_result);
}

void PgStatement::reset() noexcept {
    if (m_result) PQclear(m_result);
    m_result = nullptr;
    m_row = -1;
    for (auto& p : m_params) p.reset();
}

bool PgStatement::isReadOnly() const {
    // The recordset reads queries through a subquery, where the server
    // refuses statements that change data.
    const std::string_view word = firstWord(m_sql);
    for (std::string_view query : {"SELECT", "WITH", "VALUES", "TABLE"}) {
        if (word.size() == query.size() &&
            std::equal(word.begin(), word.end(), query.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            })) {
            return true;
        }
    }
    return false;
}

std::string PgStatement::columnName(int index) const {
    describe();
    return m_columns.at(static_cast<std::size_t>(index)).name;
}

std::string PgStatement::columnDeclaredType(int index) const {
    describe();
    const unsigned int t = m_columns.at(static_cast<std::size_t>(index)).type;
    if (t == kBool) return "BOOLEAN";
    if (isInteger(t)) return "INTEGER";
    if (t == kFloat4 || t == kFloat8) return "DOUBLE";
    if (t == kNumeric) return "NUMERIC";
    if (t == kBytea) return "BLOB";
    if (t == kDate || t == kTimestamp || t == kTimestampTz) return "DATETIME";
    if (t == kTime) return "TIME";
    return "TEXT";
}

bool PgStatement::columnComparedAsText(int index) const {
    describe();
    return !hasExactEquality(m_columns.at(static_cast<std::size_t>(index)).type);
}

const char* PgStatement::text(int index) const {
    if (!m_result || m_row < 0 || m_row >= PQntuples(m_result)) {
        raiseData(DataErr::NoCurrentRecord, kRecordsetSource);
    }
    return PQgetvalue(m_result, m_row, index);
}

std::int64_t PgStatement::columnInteger(int index) const {
    return std::strtoll(text(index), nullptr, 10);
}

DbValue PgStatement::column(int index) const {
    const char* value = text(index);
    if (PQgetisnull(m_result, m_row, index)) return DbValue();
    const unsigned int t = PQftype(m_result, index);
    if (t == kBool) return DbValue(std::int64_t{*value == 't' ? 1 : 0});
    if (isInteger(t)) return DbValue(std::int64_t{std::strtoll(value, nullptr, 10)});
    // A numeric a double would round is kept as its exact text.
    if (t == kNumeric && !fitsADouble(value)) return DbValue(std::string(value));
    if (t == kFloat4 || t == kFloat8 || t == kNumeric) return DbValue(std::strtod(value, nullptr));
    if (t == kBytea) {
        const std::string_view hex(value);
        DbBlob bytes;
        for (std::size_t i = 2; i + 1 < hex.size(); i += 2) {
            bytes.push_back(
                static_cast<std::uint8_t>(hexDigit(hex[i]) * 16 + hexDigit(hex[i + 1])));
        }
        return DbValue(std::move(bytes));
    }
    return DbValue(
        std::string(value, static_cast<std::size_t>(PQgetlength(m_result, m_row, index))));
}

}  // namespace qv::data
