// SPDX-License-Identifier: MIT
// The text clipboard of the calling thread: what text boxes copy and cut to
// and paste from. Each thread has a private one, unless the host shares the
// window system's clipboard (with other programs) through a hook.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv::user {

// Returns the text last put on the clipboard, or "" when there is none.
const std::string& clipboardText();
// Puts `text` on the clipboard, replacing what was there.
void setClipboardText(std::string_view text);
// Empties the clipboard.
void clearClipboard();

// A clipboard shared with other programs. `read` returns its text, or
// nothing when it cannot be read (the private text then stands); `write`
// puts text on it.
struct SharedClipboard {
    std::function<std::optional<std::string>()> read;
    std::function<void(std::string_view)> write;
};
// Installs `shared` for the calling thread: the functions above then go to
// it. Functions left empty (the default) bring the private clipboard back.
void shareClipboard(SharedClipboard shared);

}  // namespace qv::user
