// SPDX-License-Identifier: MIT
#include "data/field_info.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "data/data_errors.h"
#include "host/data_contract.h"

namespace qv::data {

std::int16_t fieldTypeFor(std::string_view declared) {
    std::string t(declared);
    std::transform(t.begin(), t.end(), t.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto has = [&t](const char* word) { return t.find(word) != std::string::npos; };
    namespace ft = host::field_type;
    if (has("BOOL") || t == "BIT" || t == "YESNO") return ft::Boolean;
    if (has("INT")) return ft::Long;
    if (has("MEMO") || has("CLOB")) return ft::Memo;
    if (has("CHAR") || has("TEXT")) return ft::Text;
    if (has("BLOB") || has("BINARY")) return ft::LongBinary;
    if (has("DATE") || has("TIME")) return ft::Date;
    if (has("MONEY") || has("CURRENCY")) return ft::Currency;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC")) return ft::Double;
    return ft::Text;
}

host::Variant toVariant(const DbValue& v, std::int16_t fieldType) {
    if (v.isNull()) return host::Variant::null();
    if (v.isInteger()) {
        const std::int64_t i = v.integer();
        if (fieldType == host::field_type::Boolean) return host::Variant(i != 0);
        if (i >= std::numeric_limits<std::int32_t>::min() &&
            i <= std::numeric_limits<std::int32_t>::max()) {
            return host::Variant(static_cast<int>(i));
        }
        return host::Variant(static_cast<double>(i));
    }
    if (v.isReal()) {
        if (fieldType == host::field_type::Date) return host::Variant::date(v.real());
        return host::Variant(v.real());
    }
    if (v.isText()) return host::Variant(v.text());
    return host::Variant(std::string(v.blob().begin(), v.blob().end()));
}

DbValue toDbValue(const host::Variant& v) {
    using host::VarType;
    switch (v.type()) {
        case VarType::Empty:
        case VarType::Null:
            return DbValue();
        case VarType::Boolean:
            return DbValue(std::int64_t{v.toBool16()});
        case VarType::Integer:
        case VarType::Long:
            return DbValue(std::int64_t{v.toLong()});
        case VarType::Single:
        case VarType::Double:
            return DbValue(v.toDouble());
        case VarType::Date:
            return DbValue(v.toDate());
        case VarType::String:
            return DbValue(v.toString());
        case VarType::Object:
            break;
    }
    raiseData(DataErr::TypeMismatch, kRecordsetSource);
}

}  // namespace qv::data
