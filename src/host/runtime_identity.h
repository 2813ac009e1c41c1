// SPDX-License-Identifier: MIT
// The forms runtime's identity across loaded modules. A host that loads a
// component library asks it for this value: the same answer as its own means
// the library uses the host's runtime, another answer means the library
// carries a second copy, whose windows, handles and objects the host's
// runtime cannot use.
#pragma once

extern "C" {
// Returns an address that belongs to this copy of the runtime and no other.
const void* qvFormsRuntime();
}
