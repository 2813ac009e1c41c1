// SPDX-License-Identifier: MIT
// A recordset that passes every call to the real one, except the calls the
// script's fault plan makes fail: those raise their error without reaching
// the real recordset, so the record and the file stay as they were.
#pragma once

#include <memory>
#include <string>

#include "fault_plan.h"
#include "host/forwarding_recordset.h"

namespace qv::qvform {

class InjectingRecordset final : public host::ForwardingRecordset {
  public:
    // `plan` must outlive the recordset; `owner` names the data control.
    InjectingRecordset(std::shared_ptr<host::Recordset> real, std::string owner, FaultPlan& plan)
        : ForwardingRecordset(std::move(real)), m_owner(std::move(owner)), m_plan(plan) {}

  private:
    // Raises the planned failure of `member`, if there is one.
    void enter(std::string_view member) override;

    std::string m_owner;
    FaultPlan& m_plan;
};

}  // namespace qv::qvform
