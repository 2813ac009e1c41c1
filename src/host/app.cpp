// SPDX-License-Identifier: MIT
#include "host/app.h"

#include <unistd.h>

#include <array>

#include "host/date_format.h"

namespace qv::host {
namespace {

// Returns the full name of the running program, or "" when it cannot be read.
std::string programFile() {
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

App::App() : m_locale(&Locale::fromEnvironment()) {
    const std::string file = programFile();
    const auto slash = file.rfind('/');
    if (slash == std::string::npos) {
        m_path = ".";
        m_title = file;
    } else {
        m_path = slash == 0 ? "/" : file.substr(0, slash);
        m_title = file.substr(slash + 1);
    }
    const auto dot = m_title.rfind('.');
    if (dot != std::string::npos && dot > 0) m_title.erase(dot);
}

std::string App::formatNow(std::string_view formatName) const {
    return formatNamed(m_clock.now(), formatName, *m_locale);
}

App& app() {
    thread_local App instance;
    return instance;
}

}  // namespace qv::host
