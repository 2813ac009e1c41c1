// SPDX-License-Identifier: MIT
// What a data control needs of a control bound to one of its fields (a text
// box or label naming the data control in DataSource and a field in
// DataField): show a value, and report an edit so it can be saved.
#pragma once

#include <string>

#include "host/variant.h"

namespace qv::data {

class BoundControl {
  public:
    virtual ~BoundControl() = default;

    // The name of the data control (DataSource) and of the field (DataField).
    virtual std::string dataSource() const = 0;
    virtual std::string dataField() const = 0;
    // Shows the field's value of the current record: Null for a Null field,
    // Empty when there is no current record.
    virtual void showValue(const host::Variant& value) = 0;
    // True when the user changed the shown value since the last showValue().
    virtual bool dataChanged() const = 0;
    virtual void setDataChanged(bool changed) = 0;
    // The value the user entered.
    virtual host::Variant dataValue() const = 0;
};

}  // namespace qv::data
