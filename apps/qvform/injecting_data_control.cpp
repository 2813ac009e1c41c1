// SPDX-License-Identifier: MIT
#include "injecting_data_control.h"

#include "host/form.h"

namespace qv::qvform {

std::shared_ptr<host::Recordset> InjectingDataControl::recordset() {
    auto real = m_real->recordset();
    if (!real) {
        m_wrapper.reset();
        return nullptr;
    }
    if (!m_wrapper || m_wrapper->real() != real) {
        m_wrapper = std::make_shared<InjectingRecordset>(real, host::displayName(*m_real), m_plan);
    }
    return m_wrapper;
}

}  // namespace qv::qvform
