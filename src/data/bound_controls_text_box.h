// SPDX-License-Identifier: MIT
// DataTextBox: the standard TextBox bound to a field of a Data control. It
// shows the field's value after every move, add, cancel and refresh, and
// what the user typed becomes the field's value when the record is saved.
#pragma once

#include <string>

#include "data/bound_control.h"
#include "host/text_box.h"

namespace qv::data {

class DataTextBox final : public host::TextBox, public BoundControl {
  public:
    DataTextBox() = default;

    // The name of the data control, as saved with the form.
    const std::string& dataSourceName() const noexcept { return m_sourceName; }
    void setDataSourceName(std::string name) { m_sourceName = std::move(name); }

    // BoundControl.
    std::string dataSource() const override { return m_sourceName; }
    std::string dataField() const override { return DataField(); }
    // Null and Empty show as an empty box.
    void showValue(const host::Variant& value) override;
    bool dataChanged() const override { return DataChanged(); }
    void setDataChanged(bool changed) override { TextBox::setDataChanged(changed); }
    // The text as typed: an empty box gives "", not Null.
    host::Variant dataValue() const override { return host::Variant(Text()); }

    void hostReadProperties(const host::PropertyBag& bag) override;
    void hostWriteProperties(host::PropertyBag& bag) override;

  protected:
    // The data control decides: see DataControl::allowTyping().
    bool allowUserChange() override;

  private:
    std::string m_sourceName;
};

}  // namespace qv::data
