// SPDX-License-Identifier: MIT
// A recordset that forwards every call to a real one, logs the calls the bar
// makes, and fails chosen calls on request; and a data control that hands it
// out, so tests can make any recordset access of the bar fail.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/forwarding_recordset.h"

namespace qv::navigator::test {

class FaultyRecordset : public host::ForwardingRecordset {
  public:
    FaultyRecordset(std::shared_ptr<host::Recordset> real, std::vector<std::string>& log)
        : ForwardingRecordset(std::move(real)), m_log(log) {}

    // After `skip` calls that pass, the next `count` calls of `member`
    // ("BOF", "Update" ...) fail with error 3197 from "Data1.Recordset".
    void failNext(const std::string& member, int count = 1, int skip = 0) {
        m_failures[member] = {skip, count};
    }
    // Makes BOF and EOF read Null until cleared.
    bool nullEnds = false;

    // Late-bound reads of BOF and EOF go through here, so that they can
    // answer Null.
    const host::MemberRegistry& members() const override;

  private:
    // Logs `member` and throws when a failure is pending for it.
    void enter(std::string_view member) override;

    std::vector<std::string>& m_log;
    std::map<std::string, std::pair<int, int>, std::less<>> m_failures;  // skip, count
};

// A data control named by the form, whose Recordset is a FaultyRecordset.
class FaultyDataControl : public host::DataControl {
  public:
    explicit FaultyDataControl(std::shared_ptr<FaultyRecordset> recordset)
        : m_recordset(std::move(recordset)) {}
    std::shared_ptr<host::Recordset> recordset() override { return m_recordset; }
    FaultyRecordset& faulty() { return *m_recordset; }
    // Makes Recordset read Nothing.
    void closeRecordset() { m_recordset.reset(); }

  private:
    std::shared_ptr<FaultyRecordset> m_recordset;
};

}  // namespace qv::navigator::test
