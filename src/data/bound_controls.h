// SPDX-License-Identifier: MIT
// The standard TextBox and Label as a form file creates them once the data
// layer is linked in: controls that a Data control keeps in step with its
// record when their DataSource names it and their DataField names a field.
#pragma once

#include <string>

namespace qv::host {
class ControlFactory;
class PropertyBag;
}  // namespace qv::host

namespace qv::data {

// Registers "TextBox" and "Label" with `factory` (replacing the plain
// controls), so that the controls of a loaded form can be bound.
void registerBoundControls(host::ControlFactory& factory);

// The form-file key that names a bound control's data control. The control
// holds the name, not the object: the data control may be placed after it.
inline constexpr const char* kDataSourceKey = "DataSource";

// Returns the data-control name stored in `bag`, or "".
std::string readDataSourceName(const host::PropertyBag& bag);
// Stores `name` in `bag` (nothing for "", the default).
void writeDataSourceName(host::PropertyBag& bag, const std::string& name);

}  // namespace qv::data
