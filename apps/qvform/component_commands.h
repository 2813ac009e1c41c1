// SPDX-License-Identifier: MIT
// qvform's component-registry commands: --register LIBRARY and --unregister
// LIBRARY call the library's own entry points; --list-classes prints the
// classes the registry holds.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace qv::qvform {

// Runs the command `args` (without the program name) asks for, when it is
// one of these three, and returns the exit status: 0 done, 1 the library or
// registry refused, 2 a bad command line. Returns nothing for other
// command lines.
std::optional<int> runComponentCommand(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err);

}  // namespace qv::qvform
