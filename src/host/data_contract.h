// SPDX-License-Identifier: MIT
// The interfaces through which the navigator, the Find dialog and the property
// page reach a data control and its recordset: abstract objects whose members
// are also registered for late-bound access by name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/control.h"
#include "host/object.h"
#include "host/variant.h"

namespace qv::host {

// Values of Recordset::editMode().
namespace edit_mode {
inline constexpr std::int16_t None = 0;        // no change pending
inline constexpr std::int16_t InProgress = 1;  // Edit called
inline constexpr std::int16_t Add = 2;         // AddNew called
}  // namespace edit_mode

// Values of Field::type(): the field type codes this kind of recordset uses.
namespace field_type {
inline constexpr std::int16_t Boolean = 1;
inline constexpr std::int16_t Long = 4;
inline constexpr std::int16_t Currency = 5;
inline constexpr std::int16_t Double = 7;
inline constexpr std::int16_t Date = 8;
inline constexpr std::int16_t Text = 10;
inline constexpr std::int16_t LongBinary = 11;
inline constexpr std::int16_t Memo = 12;
}  // namespace field_type

// One field of the current record. Late-bound: Name, Value (default member),
// Type.
class Field : public Object {
  public:
    const MemberRegistry& members() const override;

    virtual std::string name() const = 0;
    // The field's value in the current or pending record; fails with "No
    // current record." off a record.
    virtual Variant value() const = 0;
    // Sets the value in the pending record; fails without AddNew or Edit.
    virtual void setValue(const Variant& value) = 0;
    virtual std::int16_t type() const = 0;
};

// The fields of a recordset in column order. Late-bound: Count, Item (default
// member; a 0-based position or a name).
class Fields : public Object {
  public:
    const MemberRegistry& members() const override;
    bool is(ObjectKind kind) const override { return kind == ObjectKind::Collection; }

    virtual std::int32_t count() const = 0;
    // Returns the field at a 0-based position or with a name (any case);
    // fails with 3265 when there is none.
    virtual std::shared_ptr<Field> item(const Variant& key) = 0;
};

// A recordset. Every member fails with an Error (number, source,
// description); moves past either end land on BOF or EOF without failing.
// Late-bound names: BOF, EOF, MoveFirst, MoveLast, MovePrevious, MoveNext,
// AddNew, Edit, Update, CancelUpdate, Delete, Fields, FindFirst, FindNext,
// FindPrevious, FindLast, NoMatch, RecordCount, AbsolutePosition, Bookmark,
// EditMode, Updatable.
class Recordset : public Object {
  public:
    const MemberRegistry& members() const override;

    virtual bool bof() = 0;
    virtual bool eof() = 0;
    virtual void moveFirst() = 0;
    virtual void moveLast() = 0;
    virtual void movePrevious() = 0;
    virtual void moveNext() = 0;

    virtual void addNew() = 0;
    virtual void edit() = 0;
    virtual void update() = 0;
    virtual void cancelUpdate() = 0;
    virtual void deleteRecord() = 0;

    virtual std::shared_ptr<Fields> fields() = 0;

    virtual void findFirst(std::string_view criterion) = 0;
    virtual void findNext(std::string_view criterion) = 0;
    virtual void findPrevious(std::string_view criterion) = 0;
    virtual void findLast(std::string_view criterion) = 0;
    virtual bool noMatch() = 0;

    virtual std::int32_t recordCount() = 0;
    // The 0-based position of the current record, -1 off a record.
    virtual std::int32_t absolutePosition() = 0;
    // A value that identifies the current record within this recordset.
    virtual Variant bookmark() = 0;
    // Moves to the record a bookmark identifies.
    virtual void setBookmark(const Variant& bookmark) = 0;
    virtual std::int16_t editMode() = 0;
    virtual bool updatable() = 0;
};

// A data control on a form: a control (Name, Index and the rest of the
// extender) whose type test is(ObjectKind::DataControl) is true for data
// controls only. Late-bound: the control's members and Recordset.
class DataControl : public Control {
  public:
    // The control's members plus Recordset; implementations extend it.
    static const MemberRegistry& dataControlMembers();
    const MemberRegistry& members() const override { return dataControlMembers(); }
    bool is(ObjectKind kind) const override {
        return kind == ObjectKind::DataControl || Control::is(kind);
    }

    // The current recordset, or nullptr when none is open.
    virtual std::shared_ptr<Recordset> recordset() = 0;

    // The data control whose records this one hands out: itself, or the
    // control a stand-in wraps.
    virtual const DataControl& underlying() const { return *this; }

  protected:
    DataControl() = default;
};

// Stand-ins for a form's data controls: what a control that finds a data
// control by name is handed in its place (Form::handOver). A test run uses
// them to reach the calls the controls make.
class DataControlStandIns {
  public:
    virtual ~DataControlStandIns() = default;
    // The stand-in for `real`: the same object each time for the same control.
    virtual std::shared_ptr<DataControl> standInFor(const std::shared_ptr<DataControl>& real) = 0;
};

// A control that drives a data control's record through its own Edit, Save
// and Cancel (a record bar). While it has a change pending, only its Save
// stores the change and its Cancel drops it.
class RecordDriver {
  public:
    virtual ~RecordDriver() = default;
    // True when this drives `data` (directly or through a stand-in for it).
    virtual bool drives(const DataControl& data) const = 0;
    // Starts an edit of the current record as the driver's own Edit does:
    // its events, status and look. Returns false when the driver cannot
    // start one now (it is disabled). The driver reports its own failures;
    // afterwards the recordset's EditMode tells whether the edit began.
    virtual bool startEdit() = 0;
};

// Returns the first control on `data`'s form that drives it, or nullptr.
std::shared_ptr<RecordDriver> findRecordDriver(const DataControl& data);

}  // namespace qv::host
