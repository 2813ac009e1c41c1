// SPDX-License-Identifier: MIT
// DataLabel: the standard Label bound to a field of a Data control; it shows
// the field's value of the current record and is never edited.
#pragma once

#include <string>

#include "data/bound_control.h"
#include "host/label.h"

namespace qv::data {

class DataLabel final : public host::Label, public BoundControl {
  public:
    DataLabel() = default;

    // The label's members plus DataField (saved with the form) and
    // DataChanged (always False).
    static const host::MemberRegistry& dataLabelMembers();
    const host::MemberRegistry& members() const override { return dataLabelMembers(); }

    const std::string& dataSourceName() const noexcept { return m_sourceName; }
    void setDataSourceName(std::string name) { m_sourceName = std::move(name); }
    const std::string& DataField() const noexcept { return m_dataField; }
    void setDataField(std::string field) { m_dataField = std::move(field); }

    // BoundControl.
    std::string dataSource() const override { return m_sourceName; }
    std::string dataField() const override { return m_dataField; }
    void showValue(const host::Variant& value) override;
    bool dataChanged() const override { return false; }
    void setDataChanged(bool) override {}
    host::Variant dataValue() const override { return host::Variant(Caption()); }

    void hostReadProperties(const host::PropertyBag& bag) override;
    void hostWriteProperties(host::PropertyBag& bag) override;

  private:
    std::string m_sourceName;
    std::string m_dataField;
};

}  // namespace qv::data
