// SPDX-License-Identifier: MIT
// The platform API subset this project calls, with the real names, types,
// constants and results. Code above src/platform includes only this header
// (and the picture objects of src/platform/ole) to reach the platform.
#pragma once

#include "platform/win32_gdi.h"
#include "platform/win32_types.h"
#if __has_include("platform/win32_com.h")
#include "platform/win32_com.h"
#endif
#if __has_include("platform/win32_automation.h")
#include "platform/win32_automation.h"
#endif
#if __has_include("platform/win32_ole.h")
#include "platform/win32_ole.h"
#endif
#if __has_include("platform/win32_user.h")
#include "platform/win32_user.h"
#endif
