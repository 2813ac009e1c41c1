// SPDX-License-Identifier: MIT
#include "data/recordset_field.h"

#include "data/recordset.h"

namespace qv::data {

std::string RecordsetField::name() const {
    return m_recordset->fieldInfo().at(m_index).name;
}

host::Variant RecordsetField::value() const {
    return m_recordset->fieldValue(m_index);
}

void RecordsetField::setValue(const host::Variant& value) {
    m_recordset->setFieldValue(m_index, value);
}

std::int16_t RecordsetField::type() const {
    return m_recordset->fieldInfo().at(m_index).type;
}

}  // namespace qv::data
