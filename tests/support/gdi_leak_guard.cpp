// SPDX-License-Identifier: MIT
#include "gdi_leak_guard.h"

#include <gtest/gtest.h>

namespace qv::test {

GdiLeakGuard::GdiLeakGuard() : m_before(gdi::liveObjectCounts()) {}

GdiLeakGuard::~GdiLeakGuard() {
    const gdi::LiveObjectCounts after = gdi::liveObjectCounts();
    if (after != m_before) {
        ADD_FAILURE() << "GDI objects leaked or over-freed: before " << m_before << ", after "
                      << after;
    }
}

}  // namespace qv::test
