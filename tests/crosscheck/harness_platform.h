// SPDX-License-Identifier: MIT
// The little the cross-check harness needs to know about the platform it runs
// on beyond the drawing API: one small source file per platform provides it.
#pragma once

namespace qv::crosscheck {

// The number of GDI objects the process holds now, or -1 when the platform
// cannot tell.
long liveGdiObjects();

}  // namespace qv::crosscheck
