// SPDX-License-Identifier: MIT
// The form runner for people: every top-level window of the platform (the
// form, its message boxes and dialogs, tooltips) shown as a real window of
// its own, with the mouse and keyboard of those windows fed to the platform
// through its input calls.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/win32_types.h"

namespace qv::host {
class Form;
}

namespace qv::qvform {

class SdlWindow;
struct ShownWindow;

class Desktop {
  public:
    // Starts SDL's video. Returns nullptr, with the reason in `error`, when
    // there is no display to show windows on.
    static std::unique_ptr<Desktop> open(std::string& error);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Shows `form`, which is shown on the platform, and every other window
    // that comes up, until the form is unloaded. Closing the form's window
    // asks about a pending change first. Returns the exit status: 0.
    int run(host::Form& form);
    // Shows `text` in a message box of its own (when no form could be
    // shown) and returns once it is answered.
    void tell(const std::string& text);

  private:
    Desktop() = default;
    // Handles the SDL events that are there (waiting a little for the
    // first), then brings the real windows in line with the platform's.
    void idle();
    void handle(const SDL_Event& event);
    void requestClose(Uint32 windowId);
    void sync();
    SdlWindow* mirrorOf(Uint32 windowId, ShownWindow* shown);
    // The shown window whose real window `w` is placed against, or nullptr
    // (the form's own window, or nothing shown yet to place it by).
    const ShownWindow* placedBy(const ShownWindow& w, const std::vector<ShownWindow>& shown,
                                HWND frame);

    host::Form* m_form = nullptr;
    // Real windows by the platform window they show.
    std::map<HWND, std::unique_ptr<SdlWindow>> m_mirrors;
};

}  // namespace qv::qvform
