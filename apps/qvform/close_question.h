// SPDX-License-Identifier: MIT
// What closing a form's window does while a record bar on it holds an added
// or edited record that is not saved yet: the user is asked whether to save
// it first.
#pragma once

namespace qv::host {
class Form;
}

namespace qv::qvform {

// True when a record bar of `form` is in its pending-change mode (its Save
// button enabled).
bool hasPendingChange(const host::Form& form);

// Asks "Save changes to the current record?" (Yes, No, Cancel) when `form`
// has a pending change. Yes saves through the bar's Save button, No drops
// the change through its Cancel button, Cancel keeps the form. Returns
// whether the form may close now: false for Cancel, and for Yes when the
// save did not happen (refused by a handler or failed), so nothing typed is
// lost. Errors of message boxes that cannot be shown pass to the caller.
bool confirmClose(host::Form& form);

}  // namespace qv::qvform
