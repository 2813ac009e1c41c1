// SPDX-License-Identifier: MIT
// Stands in front of the project's own platform header when the cross-check
// harness is built with the MinGW-w64 compiler: the drawing code then reaches
// the platform's real declarations under the same include name.
#pragma once

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h comes first: the OLE colour translation needs its types.
#include <olectl.h>
