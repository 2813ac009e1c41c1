#include "softbutton/about_dialog.h"

namespace qv::softbutton {

void showAboutDialog() {}

}  // namespace qv::softbutton
