// SPDX-License-Identifier: MIT
#include "data/recordset_fields.h"

#include "data/data_errors.h"
#include "data/recordset.h"
#include "data/recordset_field.h"

namespace qv::data {

std::int32_t RecordsetFields::count() const {
    return static_cast<std::int32_t>(m_recordset->fieldInfo().size());
}

std::shared_ptr<host::Field> RecordsetFields::item(const host::Variant& key) {
    std::int64_t index = -1;
    if (key.isString()) {
        index = m_recordset->fieldIndex(key.toString());
    } else if (key.isNumeric()) {
        index = key.toLong();
    }
    if (index < 0 || index >= count()) {
        raiseData(DataErr::ItemNotFound, kRecordsetSource,
                  key.isString() || key.isNumeric() ? key.toString() : std::string());
    }
    return std::make_shared<RecordsetField>(m_recordset, static_cast<std::size_t>(index));
}

}  // namespace qv::data
