// SPDX-License-Identifier: MIT
// What a recordset tells the object that shows its records (the data control
// and, through it, the bound controls).
#pragma once

namespace qv::data {

class Recordset;

class RecordsetObserver {
  public:
    virtual ~RecordsetObserver() = default;
    // Called before the recordset saves or leaves a record: hand edits made
    // in bound controls to recordset.setBoundValue(). May throw; the save or
    // move then fails and nothing changes.
    virtual void gatherEdits(Recordset& recordset) = 0;
    // Called after every move, add, cancel and update: show the current (or
    // pending) record. Must not throw.
    virtual void recordChanged(Recordset& recordset) noexcept = 0;
    // True when a pending AddNew or Edit belongs to someone who saves it
    // himself (a record bar): a move or find then fails instead of saving
    // it. Otherwise a move saves the pending change first.
    virtual bool ownsPendingChange() { return false; }
};

}  // namespace qv::data
