// The form runner for people: the platform's screen shown in an SDL window,
// with the mouse and keyboard of that window fed to the platform as input.
#pragma once

namespace qv::host {
class Form;
}

namespace qv::qvform {

// Shows the platform's screen, on which `form` is shown, until the form is
// unloaded or the SDL window is closed. Returns 0, or 1 (with the reason on
// standard error) when SDL cannot open a window.
int runInWindow(host::Form& form);

}  // namespace qv::qvform
