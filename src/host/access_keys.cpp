// SPDX-License-Identifier: MIT
#include "host/access_keys.h"

#include <cctype>

#include "host/command_button.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/option_button.h"

namespace qv::host {
namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Sends the focus to the first control of the tab order whose TabIndex
// comes after `tabIndex`.
bool focusAfter(const Form& form, std::int16_t tabIndex) {
    for (FormRunnerControl* control : FormRunner::tabOrder(form)) {
        if (control->TabIndex() > tabIndex) {
            control->SetFocus();
            return true;
        }
    }
    return false;
}

// Gives the key to `control` if it is one that takes access keys.
bool take(const Form& form, Control& control, char key) {
    if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        if (accessKeyOf(button->Caption()) != key) return false;
        if (button->canTakeFocus()) button->SetFocus();
        return button->press();
    }
    if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        if (accessKeyOf(option->Caption()) != key || !option->canTakeFocus()) return false;
        option->SetFocus();
        option->setValue(true);
        return true;
    }
    if (auto* label = dynamic_cast<Label*>(&control)) {
        return accessKeyOf(label->Caption()) == key && focusAfter(form, label->TabIndex());
    }
    if (auto* frame = dynamic_cast<Frame*>(&control)) {
        return accessKeyOf(frame->Caption()) == key && focusAfter(form, frame->TabIndex());
    }
    return false;
}

}  // namespace

char accessKeyOf(std::string_view caption) {
    char key = 0;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') key = lower(caption[i + 1]);
        ++i;  // "&&" and "&x" both take the next character
    }
    return key;
}

bool pressAccessKey(const Form& form, char key) {
    key = lower(key);
    if (!std::isalnum(static_cast<unsigned char>(key))) return false;
    for (const auto& control : form.controls()) {
        if (!control->Visible() || !control->Enabled()) continue;
        if (take(form, *control, key)) return true;
    }
    return false;
}

}  // namespace qv::host
