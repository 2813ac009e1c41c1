// SPDX-License-Identifier: MIT
// A scope guard that fails the current test when the live GDI object counts
// at its end differ from those at its start:
//     { qv::test::GdiLeakGuard guard; ...code under test... }
// or QV_EXPECT_NO_GDI_LEAKS({ ... });
#pragma once

#include "platform/gdi/live_objects.h"

namespace qv::test {

class GdiLeakGuard {
  public:
    GdiLeakGuard();
    ~GdiLeakGuard();
    GdiLeakGuard(const GdiLeakGuard&) = delete;
    GdiLeakGuard& operator=(const GdiLeakGuard&) = delete;

    const gdi::LiveObjectCounts& before() const { return m_before; }

  private:
    gdi::LiveObjectCounts m_before;
};

}  // namespace qv::test

// Variadic, so that a block with unbracketed commas passes as one argument.
#define QV_EXPECT_NO_GDI_LEAKS(...)           \
    do {                                      \
        ::qv::test::GdiLeakGuard qvLeakGuard; \
        __VA_ARGS__;                          \
    } while (0)
