// SPDX-License-Identifier: MIT
#include "engine_database.h"

namespace qv::data::test {

std::string joinColumn(DbConnection& db, std::string_view sql) {
    auto st = db.prepare(sql);
    std::string out;
    while (st->step()) {
        if (!out.empty()) out += ",";
        const DbValue v = st->column(0);
        if (v.isNull()) {
            out += "NULL";
        } else if (v.isInteger()) {
            out += std::to_string(v.integer());
        } else if (v.isText()) {
            out += v.text();
        } else {
            out += "?";
        }
    }
    return out;
}

}  // namespace qv::data::test
