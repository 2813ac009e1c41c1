// SPDX-License-Identifier: MIT
// The window classes every thread has without registering them (the tooltip
// control) and the hook through which the GDI reaches window surfaces.
#pragma once

namespace qv::user {

// Registers the built-in classes of the calling thread once and installs the
// window DC provider of the GDI once per process. Cheap after the first call.
void registerBuiltinClasses();

}  // namespace qv::user
