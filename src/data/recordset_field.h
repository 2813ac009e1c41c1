// SPDX-License-Identifier: MIT
// One field of a data-layer Recordset, as the late-bound Field object.
#pragma once

#include <memory>

#include "host/data_contract.h"

namespace qv::data {

class Recordset;

class RecordsetField final : public host::Field {
  public:
    RecordsetField(std::shared_ptr<Recordset> recordset, std::size_t index)
        : m_recordset(std::move(recordset)), m_index(index) {}

    std::string name() const override;
    host::Variant value() const override;
    void setValue(const host::Variant& value) override;
    std::int16_t type() const override;

  private:
    std::shared_ptr<Recordset> m_recordset;
    std::size_t m_index;
};

}  // namespace qv::data
