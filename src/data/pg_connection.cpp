// SPDX-License-Identifier: MIT
#include "data/pg_connection.h"

#include <libpq-fe.h>

#include <algorithm>

#include "data/data_errors.h"
#include "data/pg_criteria.h"
#include "data/pg_session.h"
#include "data/pg_statement.h"

namespace qv::data {

std::unique_ptr<PgConnection> PgConnection::open(const std::string& conninfo, bool readOnly,
                                                 int lockTimeoutMs, int answerTimeoutMs) {
    // A wait for another session's lock ends as Locked before the answer is
    // given up for lost.
    auto session = std::make_shared<PgSession>(
        conninfo, std::max(answerTimeoutMs, std::max(lockTimeoutMs, 0) + 5000));
    // A standby server, or a role or database set to read only, gives
    // read-only sessions; the server reports both as the session starts.
    const bool serverReadOnly = session->parameter("in_hot_standby") == "on" ||
                                session->parameter("default_transaction_read_only") == "on";
    // 0 would mean "wait for ever" to the server.
    std::string settings = "SET lock_timeout = " + std::to_string(std::max(lockTimeoutMs, 1));
    if (readOnly) settings += "; SET default_transaction_read_only = on";
    session->addSetting(settings);
    return std::unique_ptr<PgConnection>(
        new PgConnection(std::move(session), readOnly || serverReadOnly));
}

PgConnection::PgConnection(std::shared_ptr<PgSession> session, bool readOnly)
    : m_session(std::move(session)), m_readOnly(readOnly) {}

PgConnection::~PgConnection() = default;

std::unique_ptr<DbStatement> PgConnection::prepare(std::string_view sql) {
    return std::make_unique<PgStatement>(m_session, sql);
}

void PgConnection::execute(std::string_view sql) {
    m_session->execute(sql);
}

void PgConnection::begin() {
    execute("BEGIN");
}

void PgConnection::commit() {
    execute("COMMIT");
}

void PgConnection::rollback() noexcept {
    try {
        // A connection that was lost or given up holds no transaction, and
        // connecting again just to learn so would only make the user wait.
        PGconn* conn = m_session->connection();
        if (conn && PQtransactionStatus(conn) != PQTRANS_IDLE) {
            PQclear(m_session->await(PQsendQuery(conn, "ROLLBACK")));
        }
    } catch (const host::Error&) {
        // A lost connection has rolled back on the server already.
    }
}

std::int64_t PgConnection::dataVersion() {
    // The server offers no cheap change counter: every call is a new version,
    // so nothing derived from the data is kept between calls.
    return ++m_version;
}

std::uint64_t PgConnection::sessionNumber() {
    try {
        m_session->live();
    } catch (const host::Error&) {
        // Still lost: the call that follows reports it.
    }
    return m_session->generation();
}

const std::string& PgConnection::path() const {
    return m_session->description();
}

std::optional<DbRelation> PgConnection::findRelation(std::string_view name) {
    // Tables, views and their kin on the search path; a name written exactly
    // wins over one that differs in case.
    // With the columns of its primary key: how many, and the name of one
    // that holds whole numbers.
    PgStatement find(m_session,
                     "SELECT n.nspname, c.relname, c.relkind IN ('v', 'm'), count(a.attname), "
                     "max(a.attname) FILTER (WHERE a.atttypid IN (20, 21, 23)) "
                     "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                     "LEFT JOIN pg_index i ON i.indrelid = c.oid AND i.indisprimary "
                     "LEFT JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum = ANY (i.indkey) "
                     "WHERE c.relkind IN ('r', 'p', 'v', 'm', 'f') "
                     "AND pg_table_is_visible(c.oid) AND lower(c.relname) = lower(?) "
                     "GROUP BY n.nspname, c.relname, c.relkind "
                     "ORDER BY c.relname = ? DESC LIMIT 1");
    find.bind(1, DbValue(std::string(name)));
    find.bind(2, DbValue(std::string(name)));
    if (!find.step()) return std::nullopt;
    DbRelation rel;
    rel.from =
        quoteIdentifier(find.column(0).text()) + "." + quoteIdentifier(find.column(1).text());
    rel.isView = find.column(2).integer() != 0;
    if (rel.isView) return rel;
    const std::int64_t columns = find.column(3).integer();
    const DbValue keyName = find.column(4);
    const bool whole = !keyName.isNull();
    if (columns == 0) {
        rel.noKeyReason = "the table has no primary key";
    } else if (columns > 1 || !whole) {
        rel.noKeyReason = "the table's primary key is not one whole-number column";
    } else {
        rel.key = quoteIdentifier(keyName.text());
    }
    PgStatement notNull(m_session,
                        "SELECT attname FROM pg_attribute WHERE attrelid = ?::regclass "
                        "AND attnum > 0 AND attnotnull AND NOT attisdropped ORDER BY attnum");
    notNull.bind(1, DbValue(rel.from));
    while (notNull.step()) rel.required.push_back(notNull.column(0).text());
    return rel;
}

DbRelation PgConnection::copyRows(std::string_view query, std::string_view tempName) {
    DbRelation rel;
    rel.from = "pg_temp." + quoteIdentifier(tempName);
    rel.key = "qv_row";
    rel.hiddenKey = "qv_row";
    // In a subquery the server refuses statements that change data. The
    // newlines keep a trailing comment of the query from swallowing the ")".
    // A read-only session may still make its own temporary table.
    execute("BEGIN READ WRITE");
    try {
        execute("CREATE TEMP TABLE " + quoteIdentifier(tempName) +
                " AS SELECT row_number() OVER () AS qv_row, q.* FROM (\n" + std::string(query) +
                "\n) q");
        execute("ALTER TABLE " + rel.from + " ADD PRIMARY KEY (qv_row)");
        execute("COMMIT");
    } catch (const host::Error&) {
        rollback();
        throw;
    }
    return rel;
}

const CriteriaDialect* PgConnection::criteriaDialect() const {
    static const PgCriteriaDialect dialect;
    return &dialect;
}

std::string PgConnection::sameValueTest(std::string_view column, bool asText) const {
    if (asText) {
        // format() writes the value as the server sends it (a cast to text
        // may differ: an inet address gains its mask).
        const std::string c(column);
        return "CASE WHEN " + c + " IS NULL THEN NULL ELSE format('%s', " + c +
               ") END IS NOT DISTINCT FROM CAST(? AS text)";
    }
    return std::string(column) + " IS NOT DISTINCT FROM ?";
}

}  // namespace qv::data
