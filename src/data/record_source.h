// SPDX-License-Identifier: MIT
// The rows a recordset walks: a table (in the order of what addresses its rows,
// updatable: SQLite's rowid, or a server's whole-number primary key) or the
// result of a SELECT (copied once into a temporary table, read-only; so is a
// table without such a key), with the cached statements that move, read,
// find, insert, update and delete by that number, called the rowid below.
//
// Cost: a move is an indexed lookup (rowid > ? ORDER BY rowid), so opening and
// MoveLast never read the whole table. Each lookup fetches the rowids of the
// next (or previous) thousand rows into a window, so stepping through the
// records costs one lookup per window instead of one per move, and no read
// lock is held between calls. Like a keyset, the window is not re-read on
// every move: a row another program deletes meanwhile may still be answered
// (the recordset checks the row it lands on and drops the window), rows it
// inserts inside the window show once the window is left;
// the ends (first, last, past the window) are always looked up afresh, and
// every change made through the recordset drops the window. A SELECT source is
// materialised when opened: time and temporary storage grow with its result,
// after which moves and finds cost as on a table; the copy is a snapshot, so
// later changes to the underlying tables do not show until it is reopened.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/db_connection.h"
#include "data/field_info.h"

namespace qv::data {

class Criteria;

// One pending value per field; nullopt leaves the field as it is.
using FieldChanges = std::vector<std::optional<DbValue>>;

class RecordSource {
  public:
    enum class Direction { Forward, Backward };

    // Opens `source`: a table or view name (plain or in [brackets], any case)
    // or a SELECT statement. Throws TableNotFound or QueryNotSelect.
    static std::unique_ptr<RecordSource> open(std::shared_ptr<DbConnection> db,
                                              std::string_view source);
    ~RecordSource();
    RecordSource(const RecordSource&) = delete;
    RecordSource& operator=(const RecordSource&) = delete;

    const std::vector<FieldInfo>& fields() const { return m_fields; }
    // True for a table on a writable connection.
    bool updatable() const;
    // Why a table that cannot be changed is read-only when the reason is not
    // plain (no key to address its rows), or "".
    const std::string& readOnlyReason() const { return m_readOnlyReason; }
    DbConnection& connection() { return *m_db; }

    std::optional<std::int64_t> first();
    std::optional<std::int64_t> last();
    std::optional<std::int64_t> next(std::int64_t after);
    std::optional<std::int64_t> previous(std::int64_t before);
    // Returns the row's values in field order, or nullopt when it is gone.
    std::optional<std::vector<DbValue>> read(std::int64_t rowid);
    bool exists(std::int64_t rowid);
    std::int64_t count();
    // Returns how many rows come before `rowid`.
    std::int64_t positionOf(std::int64_t rowid);

    // Returns the first row matching `criteria` in `direction`, starting after
    // `anchor` (exclusive) or at the start of that direction when nullopt.
    std::optional<std::int64_t> find(const Criteria& criteria, Direction direction,
                                     std::optional<std::int64_t> anchor);

    // Each runs in its own transaction and either completes or changes
    // nothing. insert returns the new rowid. update changes the row only while
    // it still holds `original` (the values the caller read, in field order),
    // returns the rowid after the change (a changed INTEGER PRIMARY KEY moves
    // it), and throws ChangedByOther when the row holds other values and
    // RecordDeleted when it is gone. remove deletes the row only while it
    // still holds `original`, with the same failures.
    std::int64_t insert(const FieldChanges& values);
    std::int64_t update(std::int64_t rowid, const FieldChanges& values,
                        const std::vector<DbValue>& original);
    void remove(std::int64_t rowid, const std::vector<DbValue>& original);

    // Forgets the window of rowids, so the next move looks the rows up afresh.
    void dropWindow() { m_window.clear(); }

  private:
    RecordSource(std::shared_ptr<DbConnection> db, std::string from, std::string rowid,
                 bool isTable, bool temporary);
    // A copy made in a session that has since been replaced (a server that
    // restarted) is made again from its query before it is read.
    void renewLostCopy();
    // Learns the fields from `shape` (a statement whose result columns are
    // the source's), or from a statement of its own when null.
    void loadFields(DbStatement* shape = nullptr);
    // The statement in `slot`, prepared from the parts of `sql` joined when
    // the slot is empty: a statement in use costs no text building.
    DbStatement& cached(std::unique_ptr<DbStatement>& slot,
                        std::initializer_list<std::string_view> sql);
    DbStatement& cachedBySql(const std::string& sql);
    std::optional<std::int64_t> rowidQuery(DbStatement& stmt, std::optional<std::int64_t> arg);
    // The condition " AND field <=> ? ..." that the row still holds
    // `original`, and the binding of its values from parameter `index` on.
    std::string unchangedCondition(const std::vector<DbValue>& original) const;
    void bindUnchanged(DbStatement& st, int& index, const std::vector<DbValue>& original);
    // Throws ChangedByOther when the row exists, else RecordDeleted.
    [[noreturn]] void raiseMissingRow(std::int64_t rowid);

    std::shared_ptr<DbConnection> m_db;
    std::string m_from;   // quoted table name
    std::string m_rowid;  // the name that reaches the rowid (or the key column)
    bool m_isTable;
    bool m_temporary;
    std::string m_hiddenKey;  // a key column of a copy that is no field
    std::string m_query;      // what a copy was made from, and its name
    std::string m_copyName;
    std::uint64_t m_copySession = 0;
    std::string m_readOnlyReason;
    std::vector<FieldInfo> m_fields;
    std::string m_columns;  // the fields' quoted names, for reading a row

    std::unique_ptr<DbStatement> m_first, m_last, m_next, m_prev, m_nextRun, m_prevRun, m_read,
        m_exists, m_count, m_position;
    // Statements built per shape (which fields an insert or update sets, a
    // find's condition), kept while the recordset lives; finds are bounded.
    std::map<std::string, std::unique_ptr<DbStatement>> m_bySql;
    std::vector<std::string> m_findOrder;

    // Rowids of a run of consecutive rows: every row whose rowid lies in
    // [m_windowLow, m_windowHigh] at the time of the lookup, in order.
    std::vector<std::int64_t> m_window;
    std::int64_t m_windowLow = 0;
    std::int64_t m_windowHigh = -1;
    // Where the last answer from the window stood: the next move usually
    // starts there.
    std::size_t m_windowAt = 0;
    // Fills the window with the rows after (or before) `anchor`.
    void fillWindow(std::int64_t anchor, bool forward);
    // Fills the window without reading its rowids when the rows after (or
    // before) `anchor` run without a gap: one lookup of the row the window
    // ends on proves it. Returns false, the window untouched, otherwise.
    bool fillRunWindow(std::int64_t anchor, bool forward);
    static std::uint64_t stepsFrom(std::int64_t from, std::int64_t to, bool forward);
    // False while the last window read had gaps in its rowids.
    bool m_probeForRuns = true;
    // Returns the window's row at `at` and makes it where the next move starts.
    std::int64_t answerFromWindow(std::size_t at);
    // Debug builds check the window after every move: its rows ascend, lie
    // inside its bounds, and the row the next move starts from is one of them.
    void checkWindow() const;

    std::optional<std::int64_t> m_cachedCount;
    std::int64_t m_countVersion = 0;
};

}  // namespace qv::data
