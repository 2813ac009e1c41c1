// SPDX-License-Identifier: MIT
#include "sync_markers.h"

#include <fstream>
#include <stdexcept>
#include <thread>

namespace qv::qvform {

std::filesystem::path SyncMarkers::marker(const std::string& name) const {
    if (m_folder.empty()) throw std::runtime_error("signal and wait need --sync DIR");
    // A marker is a file directly in the folder, never a path elsewhere.
    const bool plain = !name.empty() && name != "." && name != ".." &&
                       name.find_first_of("/\\") == std::string::npos;
    if (!plain) throw std::runtime_error("\"" + name + "\" is not a marker name");
    return m_folder / name;
}

void SyncMarkers::signal(const std::string& name) const {
    const auto path = marker(name);
    // Written under another name and renamed, so a waiter never sees half a file.
    const auto partial = path.string() + ".partial";
    {
        std::ofstream out(partial);
        if (!out) throw std::runtime_error("cannot create the marker " + path.string());
    }
    std::error_code ec;
    std::filesystem::rename(partial, path, ec);
    if (ec) throw std::runtime_error("cannot create the marker " + path.string());
}

void SyncMarkers::wait(const std::string& name, std::chrono::milliseconds timeout) const {
    const auto path = marker(name);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::error_code ec;
    while (!std::filesystem::exists(path, ec)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            throw std::runtime_error("the marker " + name + " did not appear within " +
                                     std::to_string(timeout.count()) + " ms");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace qv::qvform
