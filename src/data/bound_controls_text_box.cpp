// SPDX-License-Identifier: MIT
#include "data/bound_controls_text_box.h"

#include "data/bound_controls.h"
#include "data/data_control.h"
#include "host/form.h"
#include "host/property_bag.h"

namespace qv::data {

void DataTextBox::showValue(const host::Variant& value) {
    // The late-bound DataSource answers the data control once it shows data.
    if (!DataSource()) {
        if (auto form = Parent()) setDataSource(form->find(m_sourceName));
    }
    setText(value.isNull() || value.isEmpty() ? std::string() : value.toString());
}

bool DataTextBox::allowUserChange() {
    const auto form = Parent();
    if (!form || m_sourceName.empty()) return true;
    auto data = std::dynamic_pointer_cast<DataControl>(form->find(m_sourceName));
    return !data || data->allowTyping();
}

void DataTextBox::hostReadProperties(const host::PropertyBag& bag) {
    TextBox::hostReadProperties(bag);
    m_sourceName = readDataSourceName(bag);
}

void DataTextBox::hostWriteProperties(host::PropertyBag& bag) {
    TextBox::hostWriteProperties(bag);
    writeDataSourceName(bag, m_sourceName);
}

}  // namespace qv::data
