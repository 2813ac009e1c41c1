// SPDX-License-Identifier: MIT
// One run of a form, as qvform and embedding programs do it: the message
// boxes, the form session and either the script or the windows.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace qv::qvform {

class FormSession;
class RunHarness;

// Opens the form with `open` (which fails with the form's Error) and runs
// the script file headless, writing the transcript to `out`, or with an
// empty one shows the form in windows until it is closed. Returns the exit
// status: 0, 1 when a script command failed, 2 when the script cannot be
// read or parsed, the form cannot open or there is no display. The reasons
// go to standard error. A `harness` (qvform's own runs; it must outlive the
// call) gives the script planned failures and sync markers.
int runSession(const std::function<void(FormSession&)>& open, const std::string& scriptFile,
               std::ostream& out, RunHarness* harness = nullptr);

}  // namespace qv::qvform
