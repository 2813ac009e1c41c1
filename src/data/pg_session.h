// SPDX-License-Identifier: MIT
// One libpq connection shared by a PostgreSQL connection object and its
// statements: it reconnects after the server went away, maps server failures
// to data errors, and never waits for an answer longer than a set time (a
// server that stops answering is given up like a lost one).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace qv::data {

class PgSession {
  public:
    // Connects with `conninfo` (a postgresql:// URI or key=value words),
    // waiting at most kConnectSeconds unless conninfo says otherwise.
    // Every later answer is awaited at most `answerTimeoutMs`. Throws
    // ServerUnreachable when no connection can be made.
    static constexpr int kConnectSeconds = 5;
    PgSession(std::string conninfo, int answerTimeoutMs);
    ~PgSession();
    PgSession(const PgSession&) = delete;
    PgSession& operator=(const PgSession&) = delete;

    // Returns the live connection, connecting again when the last one was
    // lost outside a transaction; every reconnection counts a new generation
    // (prepared statements of older generations are gone on the server).
    // Throws ServerUnreachable when the server cannot be reached.
    pg_conn* live();
    std::uint64_t generation() const { return m_generation; }
    // The connection as it is, without connecting again: nullptr after one
    // was given up.
    pg_conn* connection() const { return m_conn; }
    // A new name for a prepared statement; statements retired since the last
    // call are closed on the server first, all in one round trip.
    std::string nextStatementName();
    // Notes that the prepared statement `name` is no longer used.
    void retire(std::string name) { m_retired.push_back(std::move(name)); }
    // The value the server reported for a setting as the session started,
    // or "".
    std::string parameter(const char* name) const;
    // Names the server and database for messages (never the password).
    const std::string& description() const { return m_description; }

    // Takes ownership of `result` and returns it when it is a success;
    // otherwise frees it and throws the matching data error.
    pg_result* check(pg_result* result);
    // Runs `sql` (one or more statements without parameters).
    void execute(std::string_view sql);
    // Waits for the answer to what was just sent on the live connection
    // (`sent` is what the PQsend... call returned) and returns it, or nullptr
    // when the connection broke; pass it to check(). A server that does not
    // answer in time is left: the connection is closed (the next call
    // connects again) and ServerUnreachable is thrown.
    pg_result* await(int sent);
    // Runs `sql` now and again on every new connection after a loss: the
    // settings of the session.
    void addSetting(std::string sql);

  private:
    [[noreturn]] void raiseLost(std::string_view detail);
    // Waits until the socket is ready for `events` or the deadline passes.
    bool waitFor(short events, long long deadlineMs);
    void connect();

    pg_conn* m_conn = nullptr;
    std::string m_conninfo;
    std::string m_description;
    std::vector<std::string> m_settings;
    std::vector<std::string> m_retired;
    int m_answerTimeoutMs;
    std::uint64_t m_generation = 0;
    std::uint64_t m_names = 0;
};

}  // namespace qv::data
