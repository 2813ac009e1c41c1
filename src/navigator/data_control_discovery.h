// SPDX-License-Identifier: MIT
// Finding the data controls of a form through its controls collection:
// listing them for a list box, naming a control as the list shows it, and
// finding a control back from such a name. Every control, list and
// collection is reached by member name only (Count, Item, Name, Index,
// AddItem), so any host objects with those members will do.
#pragma once

#include <string>
#include <string_view>

#include "host/object.h"

namespace qv::navigator {

// Returns the display name of `control`: its Name, followed by "(Index)" when
// it is a control array element with an Index above 0. Failing reads are
// skipped: a control without Index shows its bare name, one without Name
// shows only its suffix.
std::string GetControlName(host::Object& control);

// Appends to `list` (through its AddItem method) the display name of every
// data control in `controls`, in collection order; the list is not cleared
// first. Fails with the error of a failing collection or list access.
void GetDataControls(host::Object& controls, host::Object& list);

// Returns the first control in `controls` whose display name equals `name`
// without regard to case (any kind of control: there is no type test), or
// nothing. Fails with the error of a failing collection access.
host::ObjectRef FindDataControl(host::Object& controls, std::string_view name);

}  // namespace qv::navigator
