// SPDX-License-Identifier: MIT
// A write transaction on a DbConnection that rolls back unless committed, so
// a failure anywhere between begin and commit leaves the file unchanged.
#pragma once

#include "data/db_connection.h"

namespace qv::data {

class DbTransaction {
  public:
    // Begins the transaction; throws when the database cannot be locked.
    explicit DbTransaction(DbConnection& db) : m_db(db) { m_db.begin(); }
    ~DbTransaction() {
        if (!m_done) m_db.rollback();
    }
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    // Commits; on failure the destructor rolls back.
    void commit() {
        m_db.commit();
        m_done = true;
    }

  private:
    DbConnection& m_db;
    bool m_done = false;
};

}  // namespace qv::data
