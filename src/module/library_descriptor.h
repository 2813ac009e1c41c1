// SPDX-License-Identifier: MIT
// The library as a whole: its own project descriptor (the two public
// classes, the private picture button's identity and the border-style
// enumeration) and the type library derived from it. Only this layer knows
// every class; the entry points and the runner read the library from here.
#pragma once

#include "frame/component_project.h"
#include "frame/type_library.h"

namespace qv::module {

// The library's descriptor, built on first use.
const frame::ComponentProject& componentProject();

// The library's type library, built once from componentProject().
const frame::TypeLibrary& typeLibrary();

}  // namespace qv::module
