// SPDX-License-Identifier: MIT
// The control types a form may name, in one list for the runner, the
// embedding API, form files and the tests: the runtime's standard controls
// (host::registerStandardControls makes exactly those marked standard), the
// Data control, and the library's picture button and record bar.
#pragma once

#include "host/control_types.h"

namespace qv::module {

inline constexpr host::ControlType kControlTypes[] = {
    {"CommandButton", true}, {"TextBox", true},      {"Label", true},        {"Frame", true},
    {"Line", true},          {"ComboBox", true},     {"OptionButton", true}, {"Data", false},
    {"qvSoftButton", false}, {"qvRecordBar", false},
};

}  // namespace qv::module
