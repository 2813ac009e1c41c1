// SPDX-License-Identifier: MIT
// What a bound box hands to its field: the text the user typed converted to
// the field's type, so that a number field never holds letters and an
// emptied number box stores Null rather than an empty text.
#pragma once

#include <string_view>

#include "data/db_value.h"
#include "data/field_info.h"
#include "host/locale.h"

namespace qv::data {

// Returns `typed` as a value of `field`'s type:
//   Text, Memo, LongBinary  the text as it is ("" stays "");
//   Long                    a whole number (surrounding blanks allowed);
//   Double, Currency        a number, with '.' as the decimal point;
//   Boolean                 True/False, Yes/No or a number (0 is False), as 1 or 0;
//   Date                    a date in `locale`'s short date order, or
//                           yyyy-mm-dd, with an optional time (H:mm[:ss] and
//                           an AM/PM designator), as "yyyy-mm-dd[ HH:MM:SS]".
// An empty (or blank) text is Null for every type but the text types; for a
// required field that fails with NullNotAllowed (3314), naming the field.
// Fails with TypeMismatch (13), naming the field and the value, when the text
// is not a value of the type.
DbValue typedValue(std::string_view typed, const FieldInfo& field, const host::Locale& locale);

}  // namespace qv::data
