// SPDX-License-Identifier: MIT
#include "injecting_recordset.h"

namespace qv::qvform {

void InjectingRecordset::enter(std::string_view member) {
    if (auto failure = m_plan.take(m_owner, member)) throw *failure;
}

}  // namespace qv::qvform
