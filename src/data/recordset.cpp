// SPDX-License-Identifier: MIT
#include "data/recordset.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <limits>

#include "data/criteria.h"
#include "data/data_errors.h"
#include "data/recordset_fields.h"
#include "data/recordset_observer.h"
#include "host/member_registry.h"

namespace qv::data {

namespace {

bool anySet(const FieldChanges& changes) {
    return std::any_of(changes.begin(), changes.end(), [](const auto& v) { return v.has_value(); });
}

std::int32_t clampToLong(std::int64_t v) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::shared_ptr<Recordset> Recordset::open(std::shared_ptr<DbConnection> db,
                                           std::string_view source) {
    std::shared_ptr<Recordset> rs(new Recordset(RecordSource::open(std::move(db), source)));
    rs->landOn(rs->source().first(), At::Eof);
    return rs;
}

Recordset::Recordset(std::unique_ptr<RecordSource> source) : m_source(std::move(source)) {}

Recordset::~Recordset() = default;

void Recordset::close() {
    m_source.reset();
    m_observer = nullptr;
    m_pending.clear();
    m_boundValues.clear();
    m_editMode = host::edit_mode::None;
    m_row.reset();
}

RecordSource& Recordset::source() {
    if (!m_source) raiseData(DataErr::ObjectClosed, kRecordsetSource);
    return *m_source;
}

const std::vector<FieldInfo>& Recordset::fieldInfo() const {
    if (!m_source) raiseData(DataErr::ObjectClosed, kRecordsetSource);
    return m_source->fields();
}

int Recordset::fieldIndex(std::string_view name) const {
    const auto& fields = fieldInfo();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (host::sameName(fields[i].name, name)) return static_cast<int>(i);
    }
    return -1;
}

void Recordset::requireRecord() {
    source();
    if (m_at != At::Record) raiseData(DataErr::NoCurrentRecord, kRecordsetSource);
}

void Recordset::requireNoPendingChange() {
    source();
    if (m_editMode != host::edit_mode::None) {
        raiseData(DataErr::InvalidOperation, kRecordsetSource, {},
                  "a change is pending; call Update or CancelUpdate first");
    }
}

void Recordset::requireUpdatable() {
    if (!source().updatable()) {
        raiseData(DataErr::ReadOnly, kRecordsetSource, {}, source().readOnlyReason());
    }
}

void Recordset::settle() {
    RecordSource& rows = source();
    if (!m_unsettled) return;
    // The flag goes only once the check has been made: a lookup that failed
    // (a lock, a lost server) is made again by the next caller.
    if (m_at == At::Record && !rows.exists(m_rowid)) {
        // The window no longer matches the table; the lookup below starts afresh.
        rows.dropWindow();
        if (m_lastMoveForward) {
            landOn(rows.next(m_rowid), At::Eof);
        } else {
            landOn(rows.previous(m_rowid), At::Bof);
        }
    }
    m_unsettled = false;
    checkPosition();
}

const std::vector<DbValue>& Recordset::currentRow() {
    requireRecord();
    if (!m_row) {
        m_row = source().read(m_rowid);
        if (!m_row) raiseData(DataErr::RecordDeleted, kRecordsetSource);
    }
    return *m_row;
}

bool Recordset::hasRecord() const {
    return m_source && (m_editMode != host::edit_mode::None || m_at == At::Record);
}

Recordset::Position Recordset::position() const {
    // The row's values join the position when the move lets go of them (landOn).
    return {m_at,           m_bof, m_eof, m_rowid, std::nullopt, m_unsettled, m_lastMoveForward,
            m_valuesUnknown};
}

void Recordset::restore(Position p) {
    m_at = p.at;
    m_bof = p.bof;
    m_eof = p.eof;
    m_rowid = p.rowid;
    m_row = std::move(p.row);
    m_unsettled = p.unsettled;
    m_lastMoveForward = p.lastMoveForward;
    m_valuesUnknown = p.valuesUnknown;
    checkPosition();
}

void Recordset::arrive(Position before) {
    if (m_observer) {
        try {
            settle();
            if (m_at == At::Record) currentRow();
        } catch (...) {
            // The observer still shows the record the move started from.
            restore(std::move(before));
            throw;
        }
    }
    notify();
}

void Recordset::notify() noexcept {
    if (!m_observer) return;
    if (m_editMode != host::edit_mode::Add) {
        try {
            settle();
            if (m_at == At::Record) currentRow();
            m_valuesUnknown = false;
        } catch (const std::exception&) {
            // Shown as unknown rather than as whatever was shown before.
            m_valuesUnknown = m_at == At::Record;
        }
    }
    m_observer->recordChanged(*this);
}

void Recordset::showRowAsItIsNow() noexcept {
    try {
        m_row = source().read(m_rowid);
    } catch (const host::Error&) {
        m_row.reset();
    }
    notify();
}

// Lands on `rowid`, or when there is none on the end named by `otherwise`;
// the other end's flag is then set only when the recordset is empty. The
// current row's values are dropped, or with `from` moved into it, so that a
// move that fails can bring them back without a copy per move.
void Recordset::landOn(std::optional<std::int64_t> rowid, At otherwise, Position* from) {
    if (rowid) {
        m_at = At::Record;
        m_rowid = *rowid;
        m_bof = m_eof = false;
    } else {
        const bool empty = !source().first().has_value();
        m_at = otherwise;
        m_bof = otherwise == At::Bof || empty;
        m_eof = otherwise == At::Eof || empty;
    }
    if (from) from->row = std::move(m_row);
    m_row.reset();
    m_unsettled = false;
    m_valuesUnknown = false;
    checkPosition();
}

void Recordset::checkPosition() const {
    assert((m_at != At::Record || (!m_bof && !m_eof)) && "a current record is at neither end");
    assert((m_at != At::Bof || m_bof) && "before the first record BOF is set");
    assert((m_at != At::Eof || m_eof) && "past the last record EOF is set");
}

void Recordset::requireMoveAllowed() {
    // Nothing is saved behind the back of whoever owns the pending change.
    if (m_editMode != host::edit_mode::None && m_observer && m_observer->ownsPendingChange()) {
        requireNoPendingChange();
    }
}

void Recordset::leaveRecord() {
    // The usual move: nothing waits to be saved and nobody shows the record.
    if (m_editMode == host::edit_mode::None && !m_observer && m_boundValues.empty()) return;
    requireMoveAllowed();
    if (m_observer) m_observer->gatherEdits(*this);
    if (m_editMode != host::edit_mode::None) {
        update();
        return;
    }
    if (!anySet(m_boundValues)) return;
    if (m_at != At::Record) {
        m_boundValues.clear();
        return;
    }
    if (!source().updatable()) {
        // These values can never be saved; dropping them lets the next move go on.
        m_boundValues.clear();
        requireUpdatable();
    }
    try {
        std::vector<DbValue> shown = currentRow();
        m_rowid = save(m_boundValues, shown);
    } catch (const host::Error& e) {
        // Values typed into a record someone else deleted have nowhere to
        // go: the user hears so once, and the next move goes on.
        if (e.number() == static_cast<std::int32_t>(DataErr::RecordDeleted)) {
            m_boundValues.clear();
            m_at = At::Deleted;
            m_row.reset();
        }
        throw;
    }
    m_boundValues.clear();
    m_row.reset();
}

std::int64_t Recordset::save(const FieldChanges& values, std::vector<DbValue>& original) {
    try {
        return source().update(m_rowid, values, original);
    } catch (const host::Error& e) {
        if (e.number() != static_cast<std::int32_t>(DataErr::ChangedByOther)) throw;
        // The user has been told and is shown the row as it is now (with the
        // pending values); the next save goes over that row.
        showRowAsItIsNow();
        if (m_row) original = *m_row;
        throw;
    }
}

bool Recordset::bof() {
    settle();
    return m_bof;
}

bool Recordset::eof() {
    settle();
    return m_eof;
}

void Recordset::moveFirst() {
    leaveRecord();
    Position before = position();
    landOn(source().first(), At::Eof, &before);
    arrive(std::move(before));
}

void Recordset::moveLast() {
    leaveRecord();
    Position before = position();
    landOn(source().last(), At::Bof, &before);
    arrive(std::move(before));
}

void Recordset::moveNext() {
    leaveRecord();
    if (m_at == At::Eof) return;  // already past the end: nothing to do, no failure
    Position before = position();
    landOn(m_at == At::Bof ? source().first() : source().next(m_rowid), At::Eof, &before);
    m_unsettled = true;
    m_lastMoveForward = true;
    arrive(std::move(before));
}

void Recordset::movePrevious() {
    leaveRecord();
    if (m_at == At::Bof) return;
    Position before = position();
    landOn(m_at == At::Eof ? source().last() : source().previous(m_rowid), At::Bof, &before);
    m_unsettled = true;
    m_lastMoveForward = false;
    arrive(std::move(before));
}

void Recordset::addNew() {
    requireNoPendingChange();
    requireUpdatable();
    leaveRecord();
    m_pending.assign(source().fields().size(), std::nullopt);
    m_editMode = host::edit_mode::Add;
    notify();
}

void Recordset::edit() {
    requireNoPendingChange();
    requireUpdatable();
    // The record as the user sees it is what the save will require.
    m_original = currentRow();
    // Values bound controls changed on this record carry over into the edit.
    m_pending = m_boundValues;
    m_pending.resize(source().fields().size());
    m_boundValues.clear();
    m_editMode = host::edit_mode::InProgress;
}

void Recordset::update() {
    source();
    if (m_editMode == host::edit_mode::None) {
        raiseData(DataErr::UpdateWithoutEdit, kRecordsetSource);
    }
    if (m_observer) m_observer->gatherEdits(*this);
    // On failure nothing below runs: the pending record and its values stay.
    if (m_editMode == host::edit_mode::Add) {
        const std::int64_t rowid = source().insert(m_pending);
        m_at = At::Record;
        m_rowid = rowid;
        m_bof = m_eof = false;
    } else {
        m_rowid = save(m_pending, m_original);
    }
    m_row.reset();
    m_pending.clear();
    m_original.clear();
    m_editMode = host::edit_mode::None;
    notify();
}

void Recordset::cancelUpdate() {
    source();
    if (m_editMode == host::edit_mode::None) {
        raiseData(DataErr::UpdateWithoutEdit, kRecordsetSource);
    }
    m_pending.clear();
    m_original.clear();
    m_editMode = host::edit_mode::None;
    notify();
}

void Recordset::deleteRecord() {
    requireNoPendingChange();
    requireRecord();
    requireUpdatable();
    const auto gone = [this] {
        m_at = At::Deleted;
        m_row.reset();
        m_boundValues.clear();
    };
    try {
        // Only the row the user saw is deleted: its number may have gone to a
        // new row since.
        const std::vector<DbValue> seen = currentRow();
        source().remove(m_rowid, seen);
    } catch (const host::Error& e) {
        // Someone else deleted it first: the recordset stands on a deleted
        // record either way, and the caller hears why. Someone else changed
        // it: the user is shown the row as it is now, which a second Delete
        // removes.
        if (e.number() == static_cast<std::int32_t>(DataErr::RecordDeleted)) gone();
        if (e.number() == static_cast<std::int32_t>(DataErr::ChangedByOther)) showRowAsItIsNow();
        throw;
    }
    gone();
    notify();
}

std::shared_ptr<host::Fields> Recordset::fields() {
    source();
    return std::make_shared<RecordsetFields>(
        std::static_pointer_cast<Recordset>(shared_from_this()));
}

host::Variant Recordset::fieldValue(std::size_t index) {
    const auto& info = fieldInfo();
    if (index >= info.size())
        raiseData(DataErr::ItemNotFound, kRecordsetSource, std::to_string(index));
    const std::int16_t type = info[index].type;
    settle();
    if (m_editMode == host::edit_mode::Add) {
        return m_pending[index] ? toVariant(*m_pending[index], type) : host::Variant::null();
    }
    if (m_editMode == host::edit_mode::InProgress && m_pending[index]) {
        return toVariant(*m_pending[index], type);
    }
    return toVariant(currentRow()[index], type);
}

host::Variant Recordset::shownValue(std::size_t index) {
    if (m_editMode == host::edit_mode::None && index < m_boundValues.size() &&
        m_boundValues[index]) {
        return toVariant(*m_boundValues[index], fieldInfo()[index].type);
    }
    return fieldValue(index);
}

void Recordset::setFieldValue(std::size_t index, const host::Variant& value) {
    const auto& info = fieldInfo();
    if (index >= info.size())
        raiseData(DataErr::ItemNotFound, kRecordsetSource, std::to_string(index));
    if (m_editMode == host::edit_mode::None)
        raiseData(DataErr::UpdateWithoutEdit, kRecordsetSource);
    m_pending[index] = toDbValue(value);
}

void Recordset::setBoundValue(std::size_t index, const host::Variant& value) {
    setBoundValue(index, toDbValue(value));
}

void Recordset::setBoundValue(std::size_t index, DbValue value) {
    const auto& info = fieldInfo();
    if (index >= info.size())
        raiseData(DataErr::ItemNotFound, kRecordsetSource, std::to_string(index));
    if (m_editMode != host::edit_mode::None) {
        m_pending[index] = std::move(value);
        return;
    }
    requireRecord();
    if (m_valuesUnknown) {
        raiseData(DataErr::NoCurrentRecord, kRecordsetSource, {},
                  "its values could not be read; move to it again to show them");
    }
    m_boundValues.resize(info.size());
    m_boundValues[index] = std::move(value);
}

bool Recordset::hasUnsavedBoundValues() const {
    return anySet(m_boundValues);
}

void Recordset::find(std::string_view criterion, RecordSource::Direction direction,
                     bool fromCurrent) {
    std::vector<std::string> names;
    std::vector<bool> text;
    for (const FieldInfo& f : fieldInfo()) {
        names.push_back(f.name);
        text.push_back(f.type == host::field_type::Text || f.type == host::field_type::Memo);
    }
    // A criterion that does not compile fails before anything changes.
    const Criteria criteria =
        Criteria::compile(criterion, names, source().connection().criteriaDialect(), text);
    requireMoveAllowed();
    const bool forward = direction == RecordSource::Direction::Forward;
    std::optional<std::int64_t> anchor;
    if (fromCurrent) {
        const At start = forward ? At::Bof : At::Eof;
        const At end = forward ? At::Eof : At::Bof;
        if (m_at == end) {
            m_noMatch = true;
            return;
        }
        if (m_at != start) anchor = m_rowid;
    }
    // A find that does not move leaves every typed change where it was: the
    // record is left (and its changes saved) only once there is a match.
    auto found = source().find(criteria, direction, anchor);
    if (!found) {
        m_noMatch = true;
        return;
    }
    const std::int64_t startId = m_rowid;
    const bool onRecord = m_at == At::Record;
    leaveRecord();
    // Saving may have given the current row a new id.
    if (onRecord && *found == startId) found = m_rowid;
    Position before = position();
    landOn(found, At::Eof, &before);
    arrive(std::move(before));
    m_noMatch = false;
}

void Recordset::findFirst(std::string_view c) {
    find(c, RecordSource::Direction::Forward, false);
}
void Recordset::findNext(std::string_view c) {
    find(c, RecordSource::Direction::Forward, true);
}
void Recordset::findPrevious(std::string_view c) {
    find(c, RecordSource::Direction::Backward, true);
}
void Recordset::findLast(std::string_view c) {
    find(c, RecordSource::Direction::Backward, false);
}

bool Recordset::noMatch() {
    source();
    return m_noMatch;
}

std::int32_t Recordset::recordCount() {
    return clampToLong(source().count());
}

std::int32_t Recordset::absolutePosition() {
    settle();
    if (m_at != At::Record) return -1;
    return clampToLong(source().positionOf(m_rowid));
}

host::Variant Recordset::bookmark() {
    settle();
    requireRecord();
    return host::Variant(std::to_string(m_rowid));
}

void Recordset::setBookmark(const host::Variant& value) {
    source();
    const std::string text = value.toString();
    std::int64_t rowid = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), rowid);
    if (r.ec != std::errc{} || r.ptr != text.data() + text.size() || !source().exists(rowid)) {
        raiseData(DataErr::InvalidBookmark, kRecordsetSource);
    }
    leaveRecord();
    Position before = position();
    landOn(rowid, At::Eof, &before);
    arrive(std::move(before));
}

std::int16_t Recordset::editMode() {
    source();
    return m_editMode;
}

bool Recordset::updatable() {
    return source().updatable();
}

}  // namespace qv::data
