// SPDX-License-Identifier: MIT
// The one rule by which a control is chosen by name as a data control: the
// spelling a list shows and the lookup matches.
#include <gtest/gtest.h>

#include "host/data_control_names.h"

namespace qv::host::test {
namespace {

TEST(DataControlNames, ElementZeroGoesByTheBareNameAndCaseDoesNotMatter) {
    struct Case {
        const char* name;
        std::optional<std::int16_t> index;
        const char* spelled;
        const char* wanted;
        bool found;
    };
    const Case cases[] = {
        {"Data1", std::nullopt, "Data1", "Data1", true},
        {"Data1", std::nullopt, "Data1", "DATA1", true},
        {"Data1", 0, "Data1", "data1", true},
        {"Data1", 0, "Data1", "Data1(0)", false},
        {"Data1", 3, "Data1(3)", "data1(3)", true},
        {"Data1", 3, "Data1(3)", "Data1", false},
        {"daten\xc3\xa4", std::nullopt, "daten\xc3\xa4", "DATEN\xc3\x84", true},
        {"", 2, "(2)", "(2)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " / " + c.wanted);
        EXPECT_EQ(dataControlName(c.name, c.index), c.spelled);
        EXPECT_EQ(namesDataControl(c.wanted, c.name, c.index), c.found);
    }
}

}  // namespace
}  // namespace qv::host::test
