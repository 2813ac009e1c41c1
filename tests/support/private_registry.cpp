// SPDX-License-Identifier: MIT
#include "private_registry.h"

#include <cstdlib>

namespace qv::test {

PrivateRegistry::PrivateRegistry() {
    ::setenv("QV_REGISTRY_DIR", dir().c_str(), 1);
}

PrivateRegistry::~PrivateRegistry() {
    ::unsetenv("QV_REGISTRY_DIR");
}

}  // namespace qv::test
