// SPDX-License-Identifier: MIT
#include "data/bound_controls.h"

#include "data/bound_controls_label.h"
#include "data/bound_controls_text_box.h"
#include "host/control_factory.h"
#include "host/property_bag.h"

namespace qv::data {

void registerBoundControls(host::ControlFactory& factory) {
    factory.add("TextBox", [] { return std::make_shared<DataTextBox>(); });
    factory.add("Label", [] { return std::make_shared<DataLabel>(); });
}

std::string readDataSourceName(const host::PropertyBag& bag) {
    return bag.ReadProperty(kDataSourceKey, host::Variant("")).toString();
}

void writeDataSourceName(host::PropertyBag& bag, const std::string& name) {
    bag.WriteProperty(kDataSourceKey, host::Variant(name), host::Variant(""));
}

}  // namespace qv::data
