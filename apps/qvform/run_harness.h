// SPDX-License-Identifier: MIT
// What a test run adds to a script run: failures planned for the calls of
// the record bars' recordsets, and markers that let two runs take turns.
// The runner works without one (a program of its own that runs a script
// through the embedding API has none); qvform brings its own, which is never
// part of the installed library.
#pragma once

#include <string>
#include <string_view>

#include "host/data_contract.h"

namespace qv::qvform {

// As stand-ins for the form's data controls (standInFor), the harness gives
// the record bars and the script's assignments data controls whose
// recordsets fail the planned calls.
class RunHarness : public host::DataControlStandIns {
  public:
    // Whether `member` names a recordset member ("Update", "MoveNext" ...,
    // in any case) whose failure can be planned.
    virtual bool plansFailuresOf(std::string_view member) const = 0;
    // Makes the next `count` calls of `member` fail on the recordset of the
    // data control named `dataControl` ("" for every data control).
    virtual void failNext(std::string_view dataControl, std::string_view member, int count) = 0;

    // Creates the marker `name`, or returns once it exists. Both fail with
    // std::runtime_error when they cannot (no folder, a bad name, a wait
    // that timed out).
    virtual void signal(const std::string& name) = 0;
    virtual void wait(const std::string& name) = 0;
};

}  // namespace qv::qvform
