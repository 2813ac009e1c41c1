// SPDX-License-Identifier: MIT
// The Fields collection of a data-layer Recordset, in column order.
#pragma once

#include <memory>

#include "host/data_contract.h"

namespace qv::data {

class Recordset;

class RecordsetFields final : public host::Fields {
  public:
    explicit RecordsetFields(std::shared_ptr<Recordset> recordset)
        : m_recordset(std::move(recordset)) {}

    std::int32_t count() const override;
    // A number is a 0-based position, a string a field name (any case).
    std::shared_ptr<host::Field> item(const host::Variant& key) override;

  private:
    std::shared_ptr<Recordset> m_recordset;
};

}  // namespace qv::data
