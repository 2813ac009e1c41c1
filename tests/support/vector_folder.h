// SPDX-License-Identifier: MIT
// Where the tests find the recorded platform vectors: the set kept with the
// tests, or the folder QV_PLATFORM_VECTORS names.
#pragma once

#include <filesystem>

namespace qv::test {

// Returns the folder of the platform vector files to check against.
std::filesystem::path platformVectorFolder();

}  // namespace qv::test
