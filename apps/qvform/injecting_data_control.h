// SPDX-License-Identifier: MIT
// A stand-in for a Data control of the form that hands out its recordset
// behind an InjectingRecordset. The runner connects the record bars to it,
// so that the script's planned failures reach exactly the bars' calls.
#pragma once

#include <memory>

#include "fault_plan.h"
#include "host/data_contract.h"
#include "injecting_recordset.h"

namespace qv::qvform {

class InjectingDataControl final : public host::DataControl {
  public:
    // `plan` must outlive this object.
    InjectingDataControl(std::shared_ptr<host::DataControl> real, FaultPlan& plan)
        : m_real(std::move(real)), m_plan(plan) {}

    const std::shared_ptr<host::DataControl>& real() const noexcept { return m_real; }

    // The real control's current recordset behind the injecting one; the
    // same wrapper while the real recordset stays the same (a Refresh makes
    // a new one). Nothing when the real control has no recordset.
    std::shared_ptr<host::Recordset> recordset() override;
    const host::DataControl& underlying() const override { return m_real->underlying(); }

  private:
    std::shared_ptr<host::DataControl> m_real;
    FaultPlan& m_plan;
    std::shared_ptr<InjectingRecordset> m_wrapper;
};

}  // namespace qv::qvform
