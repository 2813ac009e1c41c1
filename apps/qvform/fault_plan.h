// SPDX-License-Identifier: MIT
// Failures a script asks for with fail-next: how many of the next calls of a
// recordset member fail, for one data control or for any.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host/error.h"

namespace qv::qvform {

class FaultPlan {
  public:
    // Returns whether `member` names a member of the recordset contract
    // ("Update", "MoveNext", "BOF" ...), in any case.
    static bool knows(std::string_view member);

    // Makes the next `count` calls of `member` fail, on the recordset of the
    // data control named `dataControl` ("" for every data control).
    void failNext(std::string_view dataControl, std::string_view member, int count);

    // Called before each call of `member` on the recordset of `dataControl`:
    // uses up one planned failure and returns the error to raise, or returns
    // nothing. A plan for the named control is used before one for any.
    std::optional<host::Error> take(std::string_view dataControl, std::string_view member);

    // The error a planned failure raises for `member`: a locked database for
    // the members that change data, a failed database call for the others.
    static host::Error failureOf(std::string_view member);

  private:
    std::map<std::pair<std::string, std::string>, int> m_pending;
};

}  // namespace qv::qvform
