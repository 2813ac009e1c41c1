// SPDX-License-Identifier: MIT
#include "host/message_box_service.h"

#include "host/error.h"
#include "platform/user/system.h"

namespace qv::host {
namespace {

thread_local MessageBoxService* t_service = nullptr;

}  // namespace

MessageBoxService* currentMessageBoxService() {
    return t_service;
}

ScopedMessageBoxService::ScopedMessageBoxService(MessageBoxService& service)
    : m_previous(t_service) {
    t_service = &service;
    m_previousBeep = user::setBeepSink([&service](UINT type) { service.beep(type); });
}

ScopedMessageBoxService::~ScopedMessageBoxService() {
    user::setBeepSink(std::move(m_previousBeep));
    t_service = m_previous;
}

int MsgBox(const std::string& prompt, std::int32_t style, const std::string& title) {
    const MessageBoxRequest box{prompt, style, title};
    box.validate();
    if (!t_service) {
        throw Error(errc::InvalidProcedureCall, "MsgBox",
                    "No message box service is installed to show the " + box.describe());
    }
    return t_service->show(box);
}

void Beep() {
    if (t_service) t_service->beep(0);
}

}  // namespace qv::host
