// SPDX-License-Identifier: MIT
// What the runtime knows of control types: the entry of a control-type list
// and the registration of the standard controls it makes itself. The one
// list of every type a form may name is the library's (module/control_types.h):
// the data layer adds the Data control and bound forms of TextBox and Label,
// the library adds its own controls.
#pragma once

#include <string_view>

namespace qv::host {

struct ControlType {
    std::string_view name;
    bool standard;  // made by the runtime itself
};

class ControlFactory;

// Registers the runtime's standard controls (CommandButton, TextBox, Label,
// Frame, Line, ComboBox, OptionButton) with `factory` under their type names.
void registerStandardControls(ControlFactory& factory);

}  // namespace qv::host
