// SPDX-License-Identifier: MIT
#include "data/record_source.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cctype>
#include <numeric>

#include "data/criteria.h"
#include "data/data_errors.h"
#include "data/db_transaction.h"
#include "host/member_registry.h"

namespace qv::data {

namespace {

// Resets a statement when the scope ends, so no statement stays active
// (holding a read lock) between calls.
class ResetOnExit {
  public:
    explicit ResetOnExit(DbStatement& s) : m_s(s) {}
    ~ResetOnExit() { m_s.reset(); }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

  private:
    DbStatement& m_s;
};

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && (std::isspace(static_cast<unsigned char>(s.back())) || s.back() == ';')) {
        s.remove_suffix(1);
    }
    return s;
}

bool startsWithWord(std::string_view s, std::string_view word) {
    if (s.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(s[i])) != word[i]) return false;
    }
    return s.size() == word.size() || !std::isalnum(static_cast<unsigned char>(s[word.size()]));
}

bool looksLikeQuery(std::string_view s) {
    while (!s.empty() &&
           (s.front() == '(' || std::isspace(static_cast<unsigned char>(s.front())))) {
        s.remove_prefix(1);
    }
    return startsWithWord(s, "SELECT") || startsWithWord(s, "WITH") || startsWithWord(s, "VALUES");
}

std::atomic<int> g_tempCounter{0};

}  // namespace

std::unique_ptr<RecordSource> RecordSource::open(std::shared_ptr<DbConnection> db,
                                                 std::string_view source) {
    const std::string_view text = trim(source);
    std::string query;
    std::string readOnlyReason;
    if (looksLikeQuery(text)) {
        query = text;
        try {
            auto probe = db->prepare(query);
            if (!probe->isReadOnly() || probe->columnCount() == 0) {
                raiseData(DataErr::QueryNotSelect, kRecordsetSource, text);
            }
        } catch (const host::Error& e) {
            if (e.number() == static_cast<std::int32_t>(DataErr::QueryNotSelect)) throw;
            raiseData(DataErr::QueryNotSelect, kRecordsetSource, text, e.description());
        }
    } else {
        std::string name(text);
        if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
            name = name.substr(1, name.size() - 2);
        }
        auto rel = name.empty() ? std::nullopt : db->findRelation(name);
        if (!rel) raiseData(DataErr::TableNotFound, kRecordsetSource, name);
        if (!rel->isView && !rel->key.empty()) {
            std::unique_ptr<RecordSource> table(
                new RecordSource(db, rel->from, rel->key, true, false));
            table->loadFields(rel->shape.get());
            for (FieldInfo& f : table->m_fields) {
                f.required = std::find(rel->required.begin(), rel->required.end(), f.name) !=
                             rel->required.end();
            }
            return table;
        }
        // A view, or a table without a way to address its rows, is read like a query.
        query = "SELECT * FROM " + rel->from;
        readOnlyReason = rel->noKeyReason;
    }
    const std::string temp = "qv_rs_" + std::to_string(++g_tempCounter);
    const std::uint64_t session = db->sessionNumber();
    const DbRelation copied = db->copyRows(query, temp);
    std::unique_ptr<RecordSource> copy(new RecordSource(db, copied.from, copied.key, false, true));
    copy->m_hiddenKey = copied.hiddenKey;
    copy->m_query = query;
    copy->m_copyName = temp;
    copy->m_copySession = session;
    copy->m_readOnlyReason = readOnlyReason;
    copy->loadFields();
    return copy;
}

RecordSource::RecordSource(std::shared_ptr<DbConnection> db, std::string from, std::string rowid,
                           bool isTable, bool temporary)
    : m_db(std::move(db)),
      m_from(std::move(from)),
      m_rowid(std::move(rowid)),
      m_isTable(isTable),
      m_temporary(temporary) {}

RecordSource::~RecordSource() {
    // Statements go first: a table cannot be dropped while one is prepared on it
    // and active.
    m_first.reset();
    m_last.reset();
    m_next.reset();
    m_prev.reset();
    m_nextRun.reset();
    m_prevRun.reset();
    m_read.reset();
    m_exists.reset();
    m_count.reset();
    m_position.reset();
    m_bySql.clear();
    if (m_temporary) {
        try {
            m_db->execute("DROP TABLE IF EXISTS " + m_from);
        } catch (const host::Error&) {
            // The table goes with the connection at the latest.
        }
    }
}

void RecordSource::loadFields(DbStatement* shape) {
    std::unique_ptr<DbStatement> own;
    if (!shape) {
        own = m_db->prepare("SELECT * FROM " + m_from + " LIMIT 0");
        shape = own.get();
    }
    m_fields.clear();
    m_columns.clear();
    for (int i = 0; i < shape->columnCount(); ++i) {
        FieldInfo f;
        f.name = shape->columnName(i);
        if (!m_hiddenKey.empty() && f.name == m_hiddenKey) continue;
        if (!m_columns.empty()) m_columns += ", ";
        m_columns += quoteIdentifier(f.name);
        f.declaredType = shape->columnDeclaredType(i);
        f.type = fieldTypeFor(f.declaredType);
        f.comparedAsText = shape->columnComparedAsText(i);
        m_fields.push_back(std::move(f));
    }
}

bool RecordSource::updatable() const {
    return m_isTable && !m_db->isReadOnly();
}

void RecordSource::renewLostCopy() {
    if (!m_temporary || m_db->sessionNumber() == m_copySession) return;
    const std::uint64_t session = m_db->sessionNumber();
    m_db->copyRows(m_query, m_copyName);
    m_copySession = session;
    dropWindow();
    m_cachedCount.reset();
}

DbStatement& RecordSource::cached(std::unique_ptr<DbStatement>& slot,
                                  std::initializer_list<std::string_view> sql) {
    renewLostCopy();
    if (!slot) {
        std::string text;
        for (std::string_view part : sql) text += part;
        slot = m_db->prepare(text);
    }
    return *slot;
}

DbStatement& RecordSource::cachedBySql(const std::string& sql) {
    renewLostCopy();
    auto it = m_bySql.find(sql);
    if (it != m_bySql.end()) return *it->second;
    auto stmt = m_db->prepare(sql);
    return *m_bySql.emplace(sql, std::move(stmt)).first->second;
}

std::optional<std::int64_t> RecordSource::rowidQuery(DbStatement& stmt,
                                                     std::optional<std::int64_t> arg) {
    ResetOnExit reset(stmt);
    if (arg) stmt.bind(1, DbValue(*arg));
    if (!stmt.step()) return std::nullopt;
    return stmt.column(0).integer();
}

std::optional<std::int64_t> RecordSource::first() {
    return rowidQuery(
        cached(m_first, {"SELECT ", m_rowid, " FROM ", m_from, " ORDER BY ", m_rowid, " LIMIT 1"}),
        std::nullopt);
}

std::optional<std::int64_t> RecordSource::last() {
    return rowidQuery(cached(m_last, {"SELECT ", m_rowid, " FROM ", m_from, " ORDER BY ", m_rowid,
                                      " DESC LIMIT 1"}),
                      std::nullopt);
}

namespace {
constexpr int kWindowRows = 1024;
}

// How far `to` lies from `from` in the direction of a move; the rows of a
// window lie on one side of its anchor, so the difference never overflows.
std::uint64_t RecordSource::stepsFrom(std::int64_t from, std::int64_t to, bool forward) {
    const auto a = static_cast<std::uint64_t>(from), b = static_cast<std::uint64_t>(to);
    return forward ? b - a : a - b;
}

bool RecordSource::fillRunWindow(std::int64_t anchor, bool forward) {
    DbStatement& probe =
        forward ? cached(m_nextRun, {"SELECT ", m_rowid, " FROM ", m_from, " WHERE ", m_rowid,
                                     " > ? ORDER BY ", m_rowid, " LIMIT 1 OFFSET ?"})
                : cached(m_prevRun, {"SELECT ", m_rowid, " FROM ", m_from, " WHERE ", m_rowid,
                                     " < ? ORDER BY ", m_rowid, " DESC LIMIT 1 OFFSET ?"});
    std::int64_t far = 0;
    {
        ResetOnExit reset(probe);
        probe.bind(1, DbValue(anchor));
        probe.bind(2, DbValue(std::int64_t{kWindowRows - 1}));
        if (!probe.step()) return false;
        far = probe.columnInteger(0);
    }
    // kWindowRows distinct whole numbers between the anchor and `far`, which
    // lies kWindowRows further on: every number between is a row.
    if (stepsFrom(anchor, far, forward) != std::uint64_t{kWindowRows}) return false;
    m_window.resize(std::size_t{kWindowRows});
    m_windowLow = forward ? anchor + 1 : far;
    m_windowHigh = forward ? far : anchor - 1;
    std::iota(m_window.begin(), m_window.end(), m_windowLow);
    return true;
}

void RecordSource::fillWindow(std::int64_t anchor, bool forward) {
    m_window.clear();
    if (m_probeForRuns && fillRunWindow(anchor, forward)) return;
    DbStatement& st = forward
                          ? cached(m_next, {"SELECT ", m_rowid, " FROM ", m_from, " WHERE ",
                                            m_rowid, " > ? ORDER BY ", m_rowid, " LIMIT ?"})
                          : cached(m_prev, {"SELECT ", m_rowid, " FROM ", m_from, " WHERE ",
                                            m_rowid, " < ? ORDER BY ", m_rowid, " DESC LIMIT ?"});
    // Read into a local list: a lookup that fails half way must not leave a
    // window whose rows and bounds disagree.
    std::vector<std::int64_t> rows;
    {
        ResetOnExit reset(st);
        st.bind(1, DbValue(anchor));
        st.bind(2, DbValue(std::int64_t{kWindowRows}));
        while (st.step()) rows.push_back(st.columnInteger(0));
    }
    m_window = std::move(rows);
    // A window with gaps suggests that the next one has gaps too, and that
    // probing it for an unbroken run would be wasted.
    m_probeForRuns = m_window.empty() ||
                     stepsFrom(m_window.front(), m_window.back(), forward) == m_window.size() - 1;
    if (m_window.empty()) return;
    if (forward) {
        m_windowLow = anchor + 1;
        m_windowHigh = m_window.back();
    } else {
        std::reverse(m_window.begin(), m_window.end());
        m_windowLow = m_window.front();
        m_windowHigh = anchor - 1;
    }
}

std::int64_t RecordSource::answerFromWindow(std::size_t at) {
    // The window holds the row the recordset lands on: the answer lies in
    // the range the window covers, and the next move starts from it.
    assert(at < m_window.size());
    m_windowAt = at;
    checkWindow();
    return m_window[at];
}

void RecordSource::checkWindow() const {
    if (m_window.empty()) return;
    assert(m_windowAt < m_window.size() && "the next move starts inside the window");
    assert(std::is_sorted(m_window.begin(), m_window.end()) &&
           std::adjacent_find(m_window.begin(), m_window.end()) == m_window.end() &&
           "the window's rows ascend");
    assert(m_window.front() >= m_windowLow && m_window.back() <= m_windowHigh &&
           "the window's rows lie inside its bounds");
}

std::optional<std::int64_t> RecordSource::next(std::int64_t after) {
    // Known when every row between `after` and the answer is in the window.
    if (m_windowAt + 1 < m_window.size() && m_window[m_windowAt] == after) {
        return answerFromWindow(m_windowAt + 1);
    }
    if (!m_window.empty() && after < m_window.back() && after + 1 >= m_windowLow) {
        const auto it = std::upper_bound(m_window.begin(), m_window.end(), after);
        return answerFromWindow(static_cast<std::size_t>(it - m_window.begin()));
    }
    fillWindow(after, true);
    if (m_window.empty()) return std::nullopt;
    m_windowAt = 0;
    checkWindow();
    return m_window.front();
}

std::optional<std::int64_t> RecordSource::previous(std::int64_t before) {
    if (m_windowAt > 0 && m_windowAt < m_window.size() && m_window[m_windowAt] == before) {
        return answerFromWindow(m_windowAt - 1);
    }
    if (!m_window.empty() && before > m_window.front() && before - 1 <= m_windowHigh) {
        const auto it = std::lower_bound(m_window.begin(), m_window.end(), before) - 1;
        return answerFromWindow(static_cast<std::size_t>(it - m_window.begin()));
    }
    fillWindow(before, false);
    if (m_window.empty()) return std::nullopt;
    m_windowAt = m_window.size() - 1;
    checkWindow();
    return m_window.back();
}

bool RecordSource::exists(std::int64_t rowid) {
    return rowidQuery(
               cached(m_exists, {"SELECT ", m_rowid, " FROM ", m_from, " WHERE ", m_rowid, " = ?"}),
               rowid)
        .has_value();
}

std::optional<std::vector<DbValue>> RecordSource::read(std::int64_t rowid) {
    DbStatement& st =
        cached(m_read, {"SELECT ", m_columns, " FROM ", m_from, " WHERE ", m_rowid, " = ?"});
    ResetOnExit reset(st);
    st.bind(1, DbValue(rowid));
    if (!st.step()) return std::nullopt;
    std::vector<DbValue> row;
    row.reserve(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) row.push_back(st.column(static_cast<int>(i)));
    return row;
}

std::int64_t RecordSource::count() {
    const std::int64_t version = m_db->dataVersion();
    if (!m_cachedCount || version != m_countVersion) {
        DbStatement& st = cached(m_count, {"SELECT count(*) FROM ", m_from});
        ResetOnExit reset(st);
        m_cachedCount = st.step() ? st.column(0).integer() : 0;
        m_countVersion = version;
    }
    return *m_cachedCount;
}

std::int64_t RecordSource::positionOf(std::int64_t rowid) {
    DbStatement& st =
        cached(m_position, {"SELECT count(*) FROM ", m_from, " WHERE ", m_rowid, " < ?"});
    ResetOnExit reset(st);
    st.bind(1, DbValue(rowid));
    return st.step() ? st.column(0).integer() : 0;
}

std::optional<std::int64_t> RecordSource::find(const Criteria& criteria, Direction direction,
                                               std::optional<std::int64_t> anchor) {
    const bool forward = direction == Direction::Forward;
    std::string sql = "SELECT " + m_rowid + " FROM " + m_from + " WHERE (" + criteria.sql() + ")";
    if (anchor) sql += " AND " + m_rowid + (forward ? " > ?" : " < ?");
    sql += " ORDER BY " + m_rowid + (forward ? "" : " DESC") + " LIMIT 1";
    // Keep the statements of the last few criteria: the Find dialog repeats one
    // criterion while the user presses Find Next.
    constexpr std::size_t kKeptFinds = 16;
    if (m_bySql.find(sql) == m_bySql.end()) {
        if (m_findOrder.size() >= kKeptFinds) {
            m_bySql.erase(m_findOrder.front());
            m_findOrder.erase(m_findOrder.begin());
        }
        m_findOrder.push_back(sql);
    }
    DbStatement& st = cachedBySql(sql);
    ResetOnExit reset(st);
    int index = 1;
    for (const DbValue& p : criteria.parameters()) st.bind(index++, p);
    if (anchor) st.bind(index, DbValue(*anchor));
    if (!st.step()) return std::nullopt;
    return st.column(0).integer();
}

std::int64_t RecordSource::insert(const FieldChanges& values) {
    std::string cols, marks;
    for (std::size_t i = 0; i < values.size() && i < m_fields.size(); ++i) {
        if (!values[i]) continue;
        if (!cols.empty()) {
            cols += ", ";
            marks += ", ";
        }
        cols += quoteIdentifier(m_fields[i].name);
        marks += "?";
    }
    const std::string sql =
        "INSERT INTO " + m_from +
        (cols.empty() ? " DEFAULT VALUES" : " (" + cols + ") VALUES (" + marks + ")") +
        " RETURNING " + m_rowid;
    DbStatement& st = cachedBySql(sql);
    dropWindow();
    DbTransaction txn(*m_db);
    std::int64_t rowid = 0;
    {
        ResetOnExit reset(st);
        int index = 1;
        for (const auto& v : values) {
            if (v) st.bind(index++, *v);
        }
        if (!st.step()) raiseData(DataErr::EngineFailure, kRecordsetSource, {}, "no row inserted");
        rowid = st.column(0).integer();
        while (st.step()) {
        }
    }
    txn.commit();
    m_cachedCount.reset();
    return rowid;
}

std::int64_t RecordSource::update(std::int64_t rowid, const FieldChanges& values,
                                  const std::vector<DbValue>& original) {
    std::string sets;
    for (std::size_t i = 0; i < values.size() && i < m_fields.size(); ++i) {
        if (!values[i]) continue;
        if (!sets.empty()) sets += ", ";
        sets += quoteIdentifier(m_fields[i].name) + " = ?";
    }
    // An update that sets nothing still checks the row.
    if (sets.empty()) sets = m_rowid + " = " + m_rowid;
    DbStatement& st = cachedBySql("UPDATE " + m_from + " SET " + sets + " WHERE " + m_rowid +
                                  " = ?" + unchangedCondition(original) + " RETURNING " + m_rowid);
    dropWindow();
    DbTransaction txn(*m_db);
    std::int64_t after = rowid;
    {
        ResetOnExit reset(st);
        int index = 1;
        for (const auto& v : values) {
            if (v) st.bind(index++, *v);
        }
        st.bind(index++, DbValue(rowid));
        bindUnchanged(st, index, original);
        if (!st.step()) raiseMissingRow(rowid);
        after = st.column(0).integer();
        while (st.step()) {
        }
    }
    txn.commit();
    return after;
}

std::string RecordSource::unchangedCondition(const std::vector<DbValue>& original) const {
    // Every field is compared (NULL equal to NULL), so a change by someone
    // else is never overwritten or deleted unseen.
    std::string unchanged;
    for (std::size_t i = 0; i < original.size() && i < m_fields.size(); ++i) {
        unchanged += " AND " + m_db->sameValueTest(quoteIdentifier(m_fields[i].name),
                                                   m_fields[i].comparedAsText);
    }
    return unchanged;
}

void RecordSource::bindUnchanged(DbStatement& st, int& index,
                                 const std::vector<DbValue>& original) {
    for (std::size_t i = 0; i < original.size() && i < m_fields.size(); ++i) {
        st.bind(index++, original[i]);
    }
}

void RecordSource::raiseMissingRow(std::int64_t rowid) {
    raiseData(exists(rowid) ? DataErr::ChangedByOther : DataErr::RecordDeleted, kRecordsetSource);
}

void RecordSource::remove(std::int64_t rowid, const std::vector<DbValue>& original) {
    DbStatement& st = cachedBySql("DELETE FROM " + m_from + " WHERE " + m_rowid + " = ?" +
                                  unchangedCondition(original) + " RETURNING " + m_rowid);
    dropWindow();
    DbTransaction txn(*m_db);
    {
        ResetOnExit reset(st);
        int index = 1;
        st.bind(index++, DbValue(rowid));
        bindUnchanged(st, index, original);
        if (!st.step()) raiseMissingRow(rowid);
        while (st.step()) {
        }
    }
    txn.commit();
    m_cachedCount.reset();
}

}  // namespace qv::data
