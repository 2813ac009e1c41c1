// SPDX-License-Identifier: MIT
// A folder of its own under the system's temporary folder for one test or
// fixture: made fresh and empty, and removed with everything in it when the
// object ends.
#pragma once

#include <filesystem>
#include <string_view>

namespace qv::test {

class TempFolder {
  public:
    // The folder's name starts with `prefix`; the rest makes it unique.
    // Fails with std::runtime_error when it cannot be made.
    explicit TempFolder(std::string_view prefix = "qv-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return m_path; }

  private:
    std::filesystem::path m_path;
};

}  // namespace qv::test
