// The control types a form may name, in one list for the form runner, the
// embedding API, form files and the tests. The runtime makes the standard
// ones (registerStandardControls); the data layer adds the Data control
// and bound forms of TextBox and Label; the library adds its own controls.
#pragma once

#include <string_view>

namespace qv::host {

struct ControlType {
    std::string_view name;
    bool standard;  // made by the runtime itself
};

inline constexpr ControlType kControlTypes[] = {
    {"CommandButton", true}, {"TextBox", true},      {"Label", true},        {"Frame", true},
    {"Line", true},          {"ComboBox", true},     {"OptionButton", true}, {"Data", false},
    {"qvSoftButton", false}, {"qvRecordBar", false},
};

class ControlFactory;

// Registers the standard controls of kControlTypes with `factory` under
// their type names.
void registerStandardControls(ControlFactory& factory);

}  // namespace qv::host
