// SPDX-License-Identifier: MIT
#include "test_seed.h"

#include <cstdlib>
#include <random>

namespace qv::test {

unsigned testSeed() {
    if (const char* text = std::getenv("QV_TEST_SEED"); text != nullptr && *text != '\0') {
        return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
    }
    return std::random_device{}();
}

}  // namespace qv::test
