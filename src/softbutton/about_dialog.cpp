// SPDX-License-Identifier: MIT
#include "softbutton/about_dialog.h"

#include "designtime/frmAbout.h"

namespace qv::softbutton {

void showAboutDialog() {
    designtime::frmAbout::showDialog();
}

}  // namespace qv::softbutton
