// SPDX-License-Identifier: MIT
#include "close_question.h"

#include <memory>

#include "host/command_button.h"
#include "host/form.h"
#include "host/message_box.h"
#include "host/message_box_service.h"
#include "navigator/qvRecordBar.h"

namespace qv::qvform {

namespace {

navigator::qvRecordBar* pendingBar(const host::Form& form) {
    for (const auto& control : form.controls()) {
        auto* bar = dynamic_cast<navigator::qvRecordBar*>(control.get());
        if (bar && bar->Buttonbar(navigator::qvRecordBar::SaveChanges).Enabled()) return bar;
    }
    return nullptr;
}

}  // namespace

bool hasPendingChange(const host::Form& form) {
    return pendingBar(form) != nullptr;
}

bool confirmClose(host::Form& form) {
    navigator::qvRecordBar* bar = pendingBar(form);
    if (!bar) return true;
    const int answer =
        host::MsgBox("Save changes to the current record?",
                     host::msgbox::YesNoCancel | host::msgbox::Question, form.Caption());
    if (answer == host::msgbox::Cancel) return false;
    bar->clickButton(answer == host::msgbox::Yes ? navigator::qvRecordBar::SaveChanges
                                                 : navigator::qvRecordBar::CancelChanges);
    // The bar leaves its pending mode only when the save or cancel went through.
    return !hasPendingChange(form);
}

}  // namespace qv::qvform
