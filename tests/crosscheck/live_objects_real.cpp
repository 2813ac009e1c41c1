// SPDX-License-Identifier: MIT
// The platform reports the process's GDI objects; an implementation that does
// not keep the count answers 0, which reads as "cannot tell".
#include "crosscheck/harness_platform.h"
#include "platform/win32.h"

namespace qv::crosscheck {

long liveGdiObjects() {
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count == 0 ? -1 : static_cast<long>(count);
}

}  // namespace qv::crosscheck
