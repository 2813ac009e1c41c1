// SPDX-License-Identifier: MIT
// How the controls that choose a data control by name (a record bar's
// MSDataControl, the property page's list of data controls) spell a control,
// so that the list, the lookup and every program that connects a bar find
// the same control for the same text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::host {

// Returns `name`, followed by "(index)" for an element of a control array
// other than element 0: element 0 and a control outside an array go by the
// bare name.
std::string dataControlName(std::string_view name, std::optional<std::int16_t> index);

// Whether `wanted` spells the control `name` (`index`) by that rule, without
// regard to case.
bool namesDataControl(std::string_view wanted, std::string_view name,
                      std::optional<std::int16_t> index);

}  // namespace qv::host
