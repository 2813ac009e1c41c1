// SPDX-License-Identifier: MIT
// Screenshots of a shown form: its client window as drawn, with the windows
// of its controls (user controls and data controls included).
#pragma once

#include <string>

namespace qv::host {
class Form;
}

namespace qv::qvform {

// Writes the client area of `form` as a PNG file at `path`, creating its
// folder when needed. Fails with error 75 when the form has no window or the
// file cannot be written.
void writeFormShot(const host::Form& form, const std::string& path);

}  // namespace qv::qvform
