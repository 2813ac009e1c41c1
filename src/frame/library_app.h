// SPDX-License-Identifier: MIT
// The library's own App object, as a component library has one apart from
// the program that hosts it: its title is the library's product name, so
// the library's dialogs name the library whatever program shows them.
#pragma once

#include "host/app.h"

namespace qv::frame {

// This thread's App of the library, made on first use. The host program's
// own App stays host::app().
host::App& libraryApp();

}  // namespace qv::frame
