// SPDX-License-Identifier: MIT
// A component registry of the test's own: a fresh folder per test, named by
// QV_REGISTRY_DIR while the object lives, so that tests running side by side
// and the user's own registry never meet.
#pragma once

#include <filesystem>

#include "temp_folder.h"

namespace qv::test {

class PrivateRegistry {
  public:
    PrivateRegistry();
    ~PrivateRegistry();
    PrivateRegistry(const PrivateRegistry&) = delete;
    PrivateRegistry& operator=(const PrivateRegistry&) = delete;

    const std::filesystem::path& dir() const { return m_folder.path(); }
    // The registry file itself, which does not exist until written.
    std::filesystem::path file() const { return dir() / "registry"; }

  private:
    TempFolder m_folder{"qv-registry"};
};

}  // namespace qv::test
