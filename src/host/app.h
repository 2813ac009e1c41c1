// SPDX-License-Identifier: MIT
// The application object of a user-interface thread: the library's title,
// module handle and folder, and the clock and regional settings that the
// current date and time are read and written with.
#pragma once

#include <string>
#include <string_view>

#include "host/clock.h"
#include "host/locale.h"
#include "platform/win32_types.h"

namespace qv::host {

class App {
  public:
    // Starts with the running program's name as the title, its folder as the
    // path, no module handle, the system clock and the locale the environment
    // selects.
    App();

    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    HINSTANCE hInstance() const { return m_hInstance; }
    // The folder of the program, without a trailing separator.
    const std::string& path() const { return m_path; }

    Clock& clock() { return m_clock; }
    const Clock& clock() const { return m_clock; }
    const Locale& locale() const { return *m_locale; }
    // `locale` must outlive this App (the built-in locales do).
    void setLocale(const Locale& locale) { m_locale = &locale; }

    // Returns the clock's current time in the named format of the locale
    // ("Short Date", "Long Time" ...). Fails with error 5 for an unknown name.
    std::string formatNow(std::string_view formatName) const;

  private:
    std::string m_title;
    HINSTANCE m_hInstance = nullptr;
    std::string m_path;
    Clock m_clock;
    const Locale* m_locale;
};

// Returns this thread's App, made on first use.
App& app();

}  // namespace qv::host
