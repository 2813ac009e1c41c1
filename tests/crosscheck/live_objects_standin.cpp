// SPDX-License-Identifier: MIT
// The stand-in counts every live object in its handle table.
#include "crosscheck/harness_platform.h"
#include "platform/gdi/live_objects.h"

namespace qv::crosscheck {

long liveGdiObjects() {
    return gdi::liveObjectCounts().total();
}

}  // namespace qv::crosscheck
