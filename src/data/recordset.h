// SPDX-License-Identifier: MIT
// The recordset over a RecordSource: position (BOF, EOF, a record, or a
// deleted record), the pending AddNew or Edit, finds, and the values bound
// controls changed outside AddNew/Edit, which are saved when the recordset
// moves off their record.
//
// Several users may share the database. An edit (Edit, or values typed into
// bound controls) remembers the record as it was read, and saving it succeeds
// only while the row still holds those values: otherwise it fails with
// ChangedByOther (or RecordDeleted when the row is gone) and the pending values
// stay. After ChangedByOther the remembered values become the row's current
// ones, so saving again stores the user's values over the other change: the
// conflict has been reported once, and Retry then means "keep mine". A move
// onto a row someone else deleted meanwhile goes on to the next one in the
// same direction; the check is made when the position is first read (BOF,
// EOF, a field's value, the position or bookmark), so a run of moves costs
// no extra lookups. Edit and Delete never move: on a vanished row they fail
// with RecordDeleted. Values bound controls typed into a row that vanished
// are dropped after that failure, as there is no record left to hold them.
//
// Delete, like a save, requires the row to hold what the user saw (a row
// number may have been reused by a new row), so it fails with ChangedByOther
// too; the shown record then becomes the row as it is now.
//
// While an observer shows the records, a move reads the record it lands on
// before it completes: when that read fails, the move fails and the recordset
// stays where it was, so the record shown is always the current one. When the
// current record cannot be read after a change (a save or add whose reread
// failed), its values are unknown and nothing typed can be saved into it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "data/db_connection.h"
#include "data/record_source.h"
#include "host/data_contract.h"

namespace qv::data {

class RecordsetObserver;

class Recordset final : public host::Recordset {
  public:
    // Opens `source` (table, view or SELECT) on `db` and moves to the first
    // record. Throws the data errors of RecordSource::open.
    static std::shared_ptr<Recordset> open(std::shared_ptr<DbConnection> db,
                                           std::string_view source);
    ~Recordset() override;

    bool bof() override;
    bool eof() override;
    void moveFirst() override;
    void moveLast() override;
    void movePrevious() override;
    void moveNext() override;
    void addNew() override;
    void edit() override;
    void update() override;
    void cancelUpdate() override;
    void deleteRecord() override;
    std::shared_ptr<host::Fields> fields() override;
    void findFirst(std::string_view criterion) override;
    void findNext(std::string_view criterion) override;
    void findPrevious(std::string_view criterion) override;
    void findLast(std::string_view criterion) override;
    bool noMatch() override;
    std::int32_t recordCount() override;
    std::int32_t absolutePosition() override;
    host::Variant bookmark() override;
    void setBookmark(const host::Variant& bookmark) override;
    std::int16_t editMode() override;
    bool updatable() override;

    // ---- Used by the field objects and the data control. ----
    const std::vector<FieldInfo>& fieldInfo() const;
    // Returns the position of the field named `name` (any case), or -1.
    int fieldIndex(std::string_view name) const;
    // The value of a field in the pending record, or else the current one;
    // fails with "No current record." off a record.
    host::Variant fieldValue(std::size_t index);
    // What a bound control shows: as fieldValue, but a value a bound control
    // changed and that waits to be saved wins over the stored one.
    host::Variant shownValue(std::size_t index);
    // Sets a field of the pending record; fails without AddNew or Edit.
    void setFieldValue(std::size_t index, const host::Variant& value);
    // True when there is a current or pending record whose fields can be read.
    bool hasRecord() const;
    // Takes a value a bound control changed. With AddNew or Edit pending it
    // becomes the pending value; otherwise it is kept for the current record
    // and saved when the recordset leaves it (fails off a record).
    void setBoundValue(std::size_t index, const host::Variant& value);
    // The same for a value already converted to the field's type.
    void setBoundValue(std::size_t index, DbValue value);
    // True while AddNew or Edit is pending.
    bool hasPendingChange() const { return m_editMode != host::edit_mode::None; }
    // True while bound-control values wait to be saved with the current record.
    bool hasUnsavedBoundValues() const;
    // False while the recordset stands on a record whose values could not be
    // read after a change; bound values are then refused.
    bool valuesKnown() const { return !m_valuesUnknown; }

    void setObserver(RecordsetObserver* observer) { m_observer = observer; }
    // Ends the recordset: pending changes are dropped and every later call
    // fails with "Object invalid or no longer set.".
    void close();

  private:
    enum class At { Bof, Eof, Record, Deleted };
    // Everything a move changes, so a move that fails can be undone.
    struct Position {
        At at;
        bool bof, eof;
        std::int64_t rowid;
        std::optional<std::vector<DbValue>> row;
        bool unsettled, lastMoveForward, valuesUnknown;
    };
    Position position() const;
    void restore(Position p);

    explicit Recordset(std::unique_ptr<RecordSource> source);
    RecordSource& source();
    void requireRecord();
    // Fails with InvalidOperation while AddNew or Edit is pending.
    void requireNoPendingChange();
    // Fails with ReadOnly (and the reason, when there is one) unless the
    // source can be changed.
    void requireUpdatable();
    // Checks a position reached from the rowid window: when its row has gone
    // meanwhile, moves on in the direction of the last move.
    void settle();
    // Fails with InvalidOperation while the observer owns a pending change.
    void requireMoveAllowed();
    // Saves the pending change or the bound-control values before a move.
    void leaveRecord();
    void landOn(std::optional<std::int64_t> rowid, At otherwise, Position* from = nullptr);
    // Stores `values` over the current row, which must still hold `original`.
    // After ChangedByOther, `original` holds the row as it is now.
    std::int64_t save(const FieldChanges& values, std::vector<DbValue>& original);
    void find(std::string_view criterion, RecordSource::Direction direction, bool fromCurrent);
    // Completes a move that started at `before`: with an observer, reads the
    // record landed on first, and on failure restores `before` and throws.
    void arrive(Position before);
    // Tells the observer; with one, the current record is read first and is
    // marked unknown when that fails.
    void notify() noexcept;
    // After ChangedByOther: rereads the current row and shows it.
    void showRowAsItIsNow() noexcept;
    const std::vector<DbValue>& currentRow();

    std::unique_ptr<RecordSource> m_source;
    RecordsetObserver* m_observer = nullptr;

    // Debug builds check the position after every move: on a record neither
    // end flag is set, at an end that end's flag is.
    void checkPosition() const;

    At m_at = At::Bof;
    bool m_bof = true;
    bool m_eof = true;
    std::int64_t m_rowid = 0;  // the current (or just deleted) record
    std::optional<std::vector<DbValue>> m_row;
    // True while the current row came from a move and has not been looked at.
    bool m_unsettled = false;
    bool m_lastMoveForward = true;
    // The values the pending edit started from; an update requires them.
    std::vector<DbValue> m_original;
    bool m_noMatch = false;
    bool m_valuesUnknown = false;

    std::int16_t m_editMode = host::edit_mode::None;
    FieldChanges m_pending;
    FieldChanges m_boundValues;  // changed by bound controls outside AddNew/Edit
};

}  // namespace qv::data
