// The recordset over a RecordSource: position (BOF, EOF, a record, or a
// deleted record), the pending AddNew or Edit, finds, and the values bound
// controls changed outside AddNew/Edit, which are saved when the recordset
// moves off their record.
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
    // Sets a field of the pending record; fails without AddNew or Edit.
    void setFieldValue(std::size_t index, const host::Variant& value);
    // True when there is a current or pending record whose fields can be read.
    bool hasRecord() const;
    // Takes a value a bound control changed. With AddNew or Edit pending it
    // becomes the pending value; otherwise it is kept for the current record
    // and saved when the recordset leaves it (fails off a record).
    void setBoundValue(std::size_t index, const host::Variant& value);
    // True while bound-control values wait to be saved with the current record.
    bool hasUnsavedBoundValues() const;

    void setObserver(RecordsetObserver* observer) { m_observer = observer; }
    // Ends the recordset: pending changes are dropped and every later call
    // fails with "Object invalid or no longer set.".
    void close();

  private:
    enum class At { Bof, Eof, Record, Deleted };

    explicit Recordset(std::unique_ptr<RecordSource> source);
    RecordSource& source();
    void requireRecord();
    // Saves the pending change or the bound-control values before a move.
    void leaveRecord();
    void landOn(std::optional<std::int64_t> rowid, At otherwise);
    void find(std::string_view criterion, RecordSource::Direction direction, bool fromCurrent);
    void notify() noexcept;
    const std::vector<DbValue>& currentRow();

    std::unique_ptr<RecordSource> m_source;
    RecordsetObserver* m_observer = nullptr;

    At m_at = At::Bof;
    bool m_bof = true;
    bool m_eof = true;
    std::int64_t m_rowid = 0;  // the current (or just deleted) record
    std::optional<std::vector<DbValue>> m_row;
    bool m_noMatch = false;

    std::int16_t m_editMode = host::edit_mode::None;
    FieldChanges m_pending;
    FieldChanges m_boundValues;  // changed by bound controls outside AddNew/Edit
};

}  // namespace qv::data
