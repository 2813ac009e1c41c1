// SPDX-License-Identifier: MIT
// Small helpers shared by the data-layer tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "data/recordset.h"
#include "host/error.h"
#include "host/member_registry.h"

namespace qv::data::test {

// Runs `fn` and returns the Error it throws; fails the test when it throws
// nothing or something else.
inline host::Error errorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const host::Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error was raised";
    return host::Error(0, "", "");
}

// Where the recordset stands: "BOF", "EOF", "BOF+EOF", or the value of the
// field `field` of the current record.
inline std::string where(Recordset& rs, const char* field = "name") {
    if (rs.bof() && rs.eof()) return "BOF+EOF";
    if (rs.bof()) return "BOF";
    if (rs.eof()) return "EOF";
    const int index = rs.fieldIndex(field);
    try {
        return rs.fieldValue(static_cast<std::size_t>(index)).toString();
    } catch (const host::Error& e) {
        return "error " + std::to_string(e.number());
    }
}

}  // namespace qv::data::test
