// SPDX-License-Identifier: MIT
#include "data/pg_session.h"

#include <libpq-fe.h>

#include <poll.h>

#include <chrono>
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

PgSession::PgSession(std::string conninfo, int answerTimeoutMs)
    : m_conninfo(std::move(conninfo)), m_answerTimeoutMs(answerTimeoutMs) {
    connect();
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

void PgSession::connect() {
    // Words given in conninfo come later and win over the bound set here.
    const std::string seconds = std::to_string(kConnectSeconds);
    const char* const keys[] = {"connect_timeout", "dbname", nullptr};
    const char* const values[] = {seconds.c_str(), m_conninfo.c_str(), nullptr};
    m_conn = PQconnectdbParams(keys, values, 1);
}

namespace {
long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

bool PgSession::waitFor(short events, long long deadlineMs) {
    for (;;) {
        const long long left = deadlineMs - nowMs();
        if (left <= 0) return false;
        pollfd fd{PQsocket(m_conn), events, 0};
        const int ready = poll(&fd, 1, static_cast<int>(left));
        if (ready > 0) return true;
        if (ready == 0) return false;
        if (errno != EINTR) return true;  // the next libpq call reports it
    }
}

PGresult* PgSession::await(int sent) {
    if (!sent) return nullptr;
    const long long deadline = nowMs() + m_answerTimeoutMs;
    const auto giveUp = [this] {
        // The answer may still come; the connection is closed so that it
        // cannot be taken for the answer to a later call.
        PQfinish(m_conn);
        m_conn = nullptr;
        raiseLost("the server did not answer within " +
                  std::to_string((m_answerTimeoutMs + 999) / 1000) + " s");
    };
    for (int pending = PQflush(m_conn); pending != 0; pending = PQflush(m_conn)) {
        if (pending < 0) return nullptr;
        if (!waitFor(POLLIN | POLLOUT, deadline)) giveUp();
    }
    PGresult* answer = nullptr;
    for (;;) {
        while (PQisBusy(m_conn)) {
            if (!waitFor(POLLIN, deadline)) {
                if (answer) PQclear(answer);
                giveUp();
            }
            if (!PQconsumeInput(m_conn)) return answer;
        }
        PGresult* next = PQgetResult(m_conn);
        if (!next) return answer;
        // The first failure of several statements is the one to report.
        const bool failed = answer && PQresultStatus(answer) != PGRES_COMMAND_OK &&
                            PQresultStatus(answer) != PGRES_TUPLES_OK;
        if (failed) {
            PQclear(next);
        } else {
            if (answer) PQclear(answer);
            answer = next;
        }
    }
}

void PgSession::raiseLost(std::string_view detail) {
    raiseData(DataErr::ServerUnreachable, kRecordsetSource, m_description, detail);
}

PGconn* PgSession::live() {
    if (m_conn && PQstatus(m_conn) == CONNECTION_OK) return m_conn;
    if (m_conn) {
        PQreset(m_conn);
    } else {
        connect();
        if (!m_conn) raiseData(DataErr::OutOfResources, kRecordsetSource);
    }
    if (PQstatus(m_conn) != CONNECTION_OK) raiseLost(firstLine(PQerrorMessage(m_conn)));
    ++m_generation;
    m_retired.clear();  // gone with the old connection
    for (const std::string& sql : m_settings) {
        PQclear(check(await(PQsendQuery(m_conn, sql.c_str()))));
    }
    return m_conn;
}

void PgSession::addSetting(std::string sql) {
    execute(sql);
    m_settings.push_back(std::move(sql));
}

std::string PgSession::parameter(const char* name) const {
    const char* value = m_conn ? PQparameterStatus(m_conn, name) : nullptr;
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
    if (detail.empty() && m_conn) detail = firstLine(PQerrorMessage(m_conn));
    if (result) PQclear(result);
    // A connection that broke has no SQLSTATE: the server is gone.
    if (!m_conn || PQstatus(m_conn) != CONNECTION_OK || state.empty()) raiseLost(detail);
    const DataErr err = errorForState(state);
    if (err == DataErr::ServerUnreachable) raiseLost(detail);
    raiseData(err, kRecordsetSource, {}, err == DataErr::Locked ? kLockedDetail : detail);
}

void PgSession::execute(std::string_view sql) {
    PGconn* conn = live();
    PQclear(check(await(PQsendQuery(conn, std::string(sql).c_str()))));
}

}  // namespace qv::data
