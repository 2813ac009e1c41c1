// SPDX-License-Identifier: MIT
// qvform's own run harness: a fault plan that the record bars reach through
// injecting stand-ins of the form's data controls, and the sync markers of
// --sync. Built into the qvform program and the tests, never installed.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "fault_plan.h"
#include "run_harness.h"
#include "sync_markers.h"

namespace qv::qvform {

class InjectingDataControl;

class FaultHarness final : public RunHarness {
  public:
    // Without a folder every signal and wait is refused.
    FaultHarness() = default;
    explicit FaultHarness(const std::filesystem::path& syncFolder);
    ~FaultHarness() override;

    std::shared_ptr<host::DataControl> standInFor(
        const std::shared_ptr<host::DataControl>& real) override;
    bool plansFailuresOf(std::string_view member) const override;
    void failNext(std::string_view dataControl, std::string_view member, int count) override;
    void signal(const std::string& name) override;
    void wait(const std::string& name) override;

  private:
    FaultPlan m_plan;
    SyncMarkers m_markers;
    std::vector<std::shared_ptr<InjectingDataControl>> m_standIns;
};

}  // namespace qv::qvform
