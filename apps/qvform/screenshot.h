// Screenshots of a shown form: its window as drawn, with the images of its
// user controls and the pictures of its data controls laid over it, since
// neither has a window of its own.
#pragma once

#include <string>

namespace qv::host {
class Form;
}

namespace qv::qvform {

// Writes the client area of `form` as a PNG file at `path`. Fails with error
// 75 when the form has no window or the file cannot be written.
void writeFormShot(const host::Form& form, const std::string& path);

}  // namespace qv::qvform
