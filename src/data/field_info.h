// SPDX-License-Identifier: MIT
// What a recordset knows about one of its fields, and the conversions
// between the runtime's Variant and the database's values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/db_value.h"
#include "host/variant.h"

namespace qv::data {

struct FieldInfo {
    std::string name;
    std::string declaredType;
    std::int16_t type = 0;  // a host::field_type code
    bool required = false;  // the column refuses NULL
    // True when the engine's type has no equality that holds for the value as
    // read: a change check then compares the text forms.
    bool comparedAsText = false;
};

// Returns the field type code for a declared column type, following the
// engine's affinity rules (INT -> Long, CHAR/TEXT -> Text, REAL -> Double,
// BLOB or none -> Text for expressions ...).
std::int16_t fieldTypeFor(std::string_view declaredType);

// Returns a database value as a Variant: NULL -> Null, integers -> Long when
// they fit (else Double), Boolean fields -> Boolean, text and bytes -> String.
host::Variant toVariant(const DbValue& value, std::int16_t fieldType);

// Returns a Variant as a database value: Empty and Null -> NULL, Boolean ->
// -1 or 0, other numbers as integers or doubles, a Date as its day number,
// String as text. An object fails with 13 (type mismatch).
DbValue toDbValue(const host::Variant& value);

}  // namespace qv::data
