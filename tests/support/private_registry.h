// A component registry of the test's own: a fresh folder per test, named by
// QV_REGISTRY_DIR while the object lives, so that tests running side by side
// and the user's own registry never meet.
#pragma once

#include <filesystem>

namespace qv::test {

class PrivateRegistry {
  public:
    PrivateRegistry();
    ~PrivateRegistry();
    PrivateRegistry(const PrivateRegistry&) = delete;
    PrivateRegistry& operator=(const PrivateRegistry&) = delete;

    const std::filesystem::path& dir() const { return m_dir; }
    // The registry file itself, which does not exist until written.
    std::filesystem::path file() const { return m_dir / "registry"; }

  private:
    std::filesystem::path m_dir;
};

}  // namespace qv::test
