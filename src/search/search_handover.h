// SPDX-License-Identifier: MIT
// The per-thread hand-over from the navigator's Find button to the Find
// Record dialog: the recordset to search and the field to preselect.
#pragma once

#include <string>

#include "host/object.h"

namespace qv::search {

// The recordset the Find dialog searches. It holds a reference only while the
// dialog is open; the navigator sets it just before showing the dialog and
// sets it back to nothing afterwards. One copy per user-interface thread.
extern thread_local host::ObjectRef SearchRecordset;

// The field name the Find dialog preselects; it keeps its last value. One
// copy per user-interface thread.
extern thread_local std::string SearchFieldName;

}  // namespace qv::search
