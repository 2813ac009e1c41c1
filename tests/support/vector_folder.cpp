// SPDX-License-Identifier: MIT
#include "vector_folder.h"

#include <cstdlib>

namespace qv::test {

std::filesystem::path platformVectorFolder() {
    if (const char* env = std::getenv("QV_PLATFORM_VECTORS"); env != nullptr && *env != '\0') {
        return env;
    }
    return std::filesystem::path(QV_REPO_ROOT) / "tests" / "data" / "platform-vectors";
}

}  // namespace qv::test
