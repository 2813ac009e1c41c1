// SPDX-License-Identifier: MIT
#include "fault_harness.h"

#include "injecting_data_control.h"

namespace qv::qvform {

FaultHarness::FaultHarness(const std::filesystem::path& syncFolder) {
    if (!syncFolder.empty()) m_markers = SyncMarkers(syncFolder);
}

FaultHarness::~FaultHarness() = default;

std::shared_ptr<host::DataControl> FaultHarness::standInFor(
    const std::shared_ptr<host::DataControl>& real) {
    for (const auto& existing : m_standIns) {
        if (existing->real() == real) return existing;
    }
    m_standIns.push_back(std::make_shared<InjectingDataControl>(real, m_plan));
    return m_standIns.back();
}

bool FaultHarness::plansFailuresOf(std::string_view member) const {
    return FaultPlan::knows(member);
}

void FaultHarness::failNext(std::string_view dataControl, std::string_view member, int count) {
    m_plan.failNext(dataControl, member, count);
}

void FaultHarness::signal(const std::string& name) {
    m_markers.signal(name);
}

void FaultHarness::wait(const std::string& name) {
    m_markers.wait(name);
}

}  // namespace qv::qvform
