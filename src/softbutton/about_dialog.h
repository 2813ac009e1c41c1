// SPDX-License-Identifier: MIT
// The one place where the picture button reaches the library's About dialog.
#pragma once

namespace qv::softbutton {

// Shows the About dialog modally with no owner and unloads it when it
// closes.
void showAboutDialog();

}  // namespace qv::softbutton
