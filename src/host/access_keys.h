// SPDX-License-Identifier: MIT
// Access keys: the character after a single '&' in a caption, pressed with
// Alt. A command button's key clicks it, an option button's key chooses it,
// and a label's or frame's key sends the focus to the control after it in
// tab order.
#pragma once

#include <string_view>

namespace qv::host {

class Form;

// The access key of a caption in lower case ("Find &Next" gives 'n'), or 0
// when it has none. "&&" is a literal ampersand; the last prefix counts.
char accessKeyOf(std::string_view caption);

// Acts on Alt+`key` (a letter or digit, any case) on `form`, the form the
// focus is on. Returns whether a visible, enabled control took the key.
bool pressAccessKey(const Form& form, char key);

}  // namespace qv::host
