// SPDX-License-Identifier: MIT
// Markers in a shared folder that let the scripts of two qvform processes on
// one database take turns: one creates a marker, the other waits for it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace qv::qvform {

class SyncMarkers {
  public:
    // No folder: every signal and wait is refused.
    SyncMarkers() = default;
    explicit SyncMarkers(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // Creates the marker `name`. Fails with std::runtime_error without a
    // folder, for a name that is not a plain file name, or when the file
    // cannot be created.
    void signal(const std::string& name) const;
    // Returns once the marker `name` exists; fails with std::runtime_error
    // when it has not appeared within `timeout`.
    void wait(const std::string& name,
              std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;

  private:
    std::filesystem::path marker(const std::string& name) const;

    std::filesystem::path m_folder;
};

}  // namespace qv::qvform
