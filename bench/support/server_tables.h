// SPDX-License-Identifier: MIT
// The PostgreSQL twin of makeFiveColumnTable: table t with a whole-number key
// id and five text columns a to e, filled by the server itself.
#pragma once

#include <string>

#include "data/pg_connection.h"

namespace qv::bench {

// Creates table t with `rows` rows on the server `words` names; only the last
// row's column `needleColumn` contains `needle`. Analyses the table, so that
// the server plans queries on it with its statistics.
inline void makeFiveColumnServerTable(const std::string& words, int rows, char needleColumn,
                                      const std::string& needle) {
    auto db = qv::data::PgConnection::open(words);
    const std::string column(1, needleColumn);
    db->execute(
        "CREATE TABLE t (id bigint PRIMARY KEY, a text, b text, c text, d text, e text);"
        "INSERT INTO t SELECT k, format('name %s', lpad(k::text, 7, '0')), "
        "format('city %s', lpad((k % 5000)::text, 5, '0')), "
        "format('customer %s of the generated set', k), "
        "format('+1 %s %s', lpad((k % 1000)::text, 3, '0'), lpad((k % 10000)::text, 4, '0')), "
        "format('note %s', k * 7) FROM generate_series(1, " +
        std::to_string(rows) + ") AS k; UPDATE t SET " + column + " = " + column + " || ' " +
        needle + "' WHERE id = " + std::to_string(rows) + ";");
    // Alone: the server runs it outside any transaction.
    db->execute("VACUUM ANALYZE t");
}

}  // namespace qv::bench
