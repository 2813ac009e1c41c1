// The text clipboard of the calling thread: what text boxes copy and cut to
// and paste from. One string per thread; nothing is shared between threads.
#pragma once

#include <string>
#include <string_view>

namespace qv::user {

// Returns the text last put on the clipboard, or "" when there is none.
const std::string& clipboardText();
// Puts `text` on the clipboard, replacing what was there.
void setClipboardText(std::string_view text);
// Empties the clipboard.
void clearClipboard();

}  // namespace qv::user
