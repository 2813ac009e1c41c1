// SPDX-License-Identifier: MIT
// The design-mode commands of a script: `page CONTROL PAGE` opens a
// control's property page in a window, `apply` presses the page host's
// Apply, `save [FILE]` writes the form file back.
#pragma once

#include <memory>
#include <string>

#include "host/property_page_host.h"

namespace qv::host {
class Form;
}

namespace qv::qvform {

class DesignCommands {
  public:
    DesignCommands() = default;
    DesignCommands(const DesignCommands&) = delete;
    DesignCommands& operator=(const DesignCommands&) = delete;
    ~DesignCommands();

    // Opens `pageName` for the control `controlName` of `form`. The page must
    // be the one the control's class names; a page already open is closed
    // first (unapplied changes are dropped). Throws std::runtime_error.
    void openPage(host::Form& form, const std::string& controlName, const std::string& pageName);
    // Applies the open page; throws std::runtime_error when none is open or
    // it has no changes to apply.
    void apply();
    // Writes `form` to `file`.
    static void save(host::Form& form, const std::string& file);

    // The open page's form, which takes the script's input, or nullptr.
    host::Form* pageForm() const;

  private:
    void close();
    host::PropertyPageHost m_host;
};

}  // namespace qv::qvform
