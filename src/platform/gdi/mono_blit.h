// SPDX-License-Identifier: MIT
// Whole-byte blit paths where one side is a 1-bpp surface: colour to
// monochrome masks, monochrome expanded into 32-bpp colour, and 1-bpp to
// 1-bpp, for the source-only ROPs the transparent-drawing idiom uses.
#pragma once

#include "platform/gdi/blitter.h"

namespace qv::gdi {

// Runs `job` when it is a plain (unstretched) blit with SRCCOPY, SRCAND,
// SRCPAINT, SRCINVERT or DSna between a 1-bpp surface and a 32-bpp or 1-bpp
// one; returns false, touching nothing, for every other job. Same result as
// blitReference. The caller guarantees the job's rectangles are clipped.
bool tryMonoFastPath(const BlitJob& job);

// Runs `job` when it is a plain blit of any ROP from a 1-bpp source into a
// 32-bpp surface whose pattern, if the ROP uses one, is a single colour (the
// brush idioms of masks: paint the brush where the mask is black, and the
// like); false, touching nothing, otherwise. Same result as blitReference.
bool tryMonoSourceSolidPattern(const BlitJob& job, bool usesPattern);

}  // namespace qv::gdi
