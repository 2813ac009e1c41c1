// SPDX-License-Identifier: MIT
// qvRecordBar::showEditMode: after a click whose action did not run as
// written, the bar takes its buttons and status from the recordset.
//
// Add and Edit switch the buttons before they call AddNew or Edit, and Save
// and Cancel switch back after Update or CancelUpdate. When one of those
// calls fails and the user goes on or aborts, the buttons tell something the
// data does not: a pending look with nothing pending (Save and Cancel then
// fail), or the browse look over a pending record, which the data control
// saves on the next move. The recordset's EditMode is the truth.
#include "host/command_button.h"
#include "host/data_contract.h"
#include "navigator/qvRecordBar.h"

namespace qv::navigator {

void qvRecordBar::showEditMode() {
    std::int16_t mode = host::edit_mode::None;
    try {
        mode = recordset()->get("EditMode").toInteger();
    } catch (const host::Error&) {
        return;  // nothing can be known: the bar stays as the action left it
    }
    const bool browse = mode == host::edit_mode::None;
    for (std::int16_t i = 0; i < ButtonCount; ++i) Buttonbar(i).setEnabled(enabledIn(i, browse));
    writeStatus(mode == host::edit_mode::Add          ? "New Record"
                : mode == host::edit_mode::InProgress ? "Edit Record"
                                                      : "");
}

}  // namespace qv::navigator
