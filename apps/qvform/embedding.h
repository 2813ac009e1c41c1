// SPDX-License-Identifier: MIT
// Running forms from a program of one's own: the control types the runtime
// knows, and one call that runs a form, built in code or loaded from a file,
// the way the qvform program does (in windows, or headless with a script).
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

namespace qv::host {
class Form;
}

namespace qv::qvform {

// Registers every control type of module::kControlTypes (module/control_types.h:
// the standard controls, with TextBox and Label bound to data, the Data
// control, qvSoftButton and qvRecordBar) with this thread's control factory,
// so that code and form files can create them by type name. Call it once
// before making controls.
void registerControlTypes();

// Shows `form` (not shown yet) in run mode and opens its data controls,
// whose relative DatabaseName paths start from `folder`. With a script file
// it runs the script headless and writes the transcript to `out`; with an
// empty one it shows the form in windows until the user closes it. Returns
// qvform's exit status: 0 when done, 1 when a script command failed, 2 when
// the form cannot open, the script cannot be read or parsed, or there is no
// display (the reason goes to standard error).
int runForm(const std::shared_ptr<host::Form>& form, const std::string& folder,
            const std::string& scriptFile, std::ostream& out);

}  // namespace qv::qvform
