#include "data/pg_session.h"

#include <libpq-fe.h>

#include <cstring>

#include "data/data_errors.h"
#include "data/db_connection.h"

namespace qv::data {

namespace {

// The first line of a libpq message, without the trailing newline.
std::string firstLine(const char* message) {
    std::string text = message ? message : "";
    const auto end = text.find('\n');
    if (end != std::string::npos) text.erase(end);
    return text;
}

// The data error for an SQLSTATE code (five characters, class first).
DataErr errorForState(std::string_view state) {
    struct Entry {
        std::string_view state;  // a full code, or a two-character class
        DataErr err;
    };
    static constexpr Entry kStates[] = {
        {"23505", DataErr::DuplicateKey},
        {"23502", DataErr::NullNotAllowed},
        {"23503", DataErr::RelatedRecordRequired},
        {"23", DataErr::RuleViolated},
        {"55P03", DataErr::Locked},
        {"40P01", DataErr::Locked},
        {"40001", DataErr::Locked},
        {"25006", DataErr::ReadOnly},
        {"42501", DataErr::ReadOnly},
        {"22P02", DataErr::TypeMismatch},
        {"22003", DataErr::TypeMismatch},
        {"22007", DataErr::TypeMismatch},
        {"22008", DataErr::TypeMismatch},
        {"53100", DataErr::DiskFull},
        {"53200", DataErr::OutOfResources},
        {"08", DataErr::ServerUnreachable},
        {"57P", DataErr::ServerUnreachable},
    };
    for (const Entry& e : kStates) {
        if (state.substr(0, e.state.size()) == e.state) return e.err;
    }
    return DataErr::EngineFailure;
}

std::string describe(PGconn* conn) {
    const char* db = conn ? PQdb(conn) : nullptr;
    const char* host = conn ? PQhost(conn) : nullptr;
    std::string text = db && *db ? db : "?";
    if (host && *host) text += std::string(" on ") + host;
    return text;
}

}  // namespace

PgSession::PgSession(std::string conninfo) : m_conninfo(std::move(conninfo)) {
    m_conn = PQconnectdb(m_conninfo.c_str());
    if (!m_conn) raiseData(DataErr::OutOfResources, kDataControlSource);
    m_description = describe(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const std::string why = firstLine(PQerrorMessage(m_conn));
        PQfinish(m_conn);
        m_conn = nullptr;
        raiseData(DataErr::ServerUnreachable, kDataControlSource, m_description, why);
    }
    PQsetErrorVerbosity(m_conn, PQERRORS_DEFAULT);
    // Notices (such as "table does not exist, skipping") are not failures.
    PQsetNoticeProcessor(
        m_conn, [](void*, const char*) {}, nullptr);
}

PgSession::~PgSession() {
    if (m_conn) PQfinish(m_conn);
}

void PgSession::raiseLost(std::string_view detail) {
    raiseData(DataErr::ServerUnreachable, kRecordsetSource, m_description, detail);
}

PGconn* PgSession::live() {
    if (PQstatus(m_conn) == CONNECTION_OK) return m_conn;
    PQreset(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK) raiseLost(firstLine(PQerrorMessage(m_conn)));
    ++m_generation;
    m_retired.clear();  // gone with the old connection
    for (const std::string& sql : m_settings) PQclear(check(PQexec(m_conn, sql.c_str())));
    return m_conn;
}

void PgSession::addSetting(std::string sql) {
    execute(sql);
    m_settings.push_back(std::move(sql));
}

std::string PgSession::parameter(const char* name) const {
    const char* value = PQparameterStatus(m_conn, name);
    return value ? value : "";
}

std::string PgSession::nextStatementName() {
    if (!m_retired.empty()) {
        std::string sql;
        for (const std::string& name : m_retired) sql += "DEALLOCATE " + name + ";";
        m_retired.clear();
        try {
            execute(sql);
        } catch (const host::Error&) {
            // Unused statements cost only memory; the preparation that
            // follows reports a broken connection.
        }
    }
    return "qv_s" + std::to_string(++m_names);
}

PGresult* PgSession::check(PGresult* result) {
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
    const char* stateField = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string state = stateField ? stateField : "";
    std::string detail = firstLine(result ? PQresultErrorMessage(result) : nullptr);
    if (detail.empty()) detail = firstLine(PQerrorMessage(m_conn));
    if (result) PQclear(result);
    // A connection that broke has no SQLSTATE: the server is gone.
    if (PQstatus(m_conn) != CONNECTION_OK || state.empty()) raiseLost(detail);
    const DataErr err = errorForState(state);
    if (err == DataErr::ServerUnreachable) raiseLost(detail);
    raiseData(err, kRecordsetSource, {}, err == DataErr::Locked ? kLockedDetail : detail);
}

void PgSession::execute(std::string_view sql) {
    PGconn* conn = live();
    PQclear(check(PQexec(conn, std::string(sql).c_str())));
}

}  // namespace qv::data
