// SPDX-License-Identifier: MIT
#include "host/modal_show.h"

#include <utility>

#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"

namespace qv::host {

namespace {

ModalLoop& currentLoop() {
    thread_local ModalLoop loop;
    return loop;
}

}  // namespace

ScopedModalLoop::ScopedModalLoop(ModalLoop loop) : m_previous(std::move(currentLoop())) {
    currentLoop() = std::move(loop);
}

ScopedModalLoop::~ScopedModalLoop() {
    currentLoop() = std::move(m_previous);
}

void showModal(const std::shared_ptr<Form>& form) {
    // A copy: the loop may install another loop for a nested modal form.
    ModalLoop loop = currentLoop();
    if (!loop) {
        FormRunner::Show(form, 1);
        return;
    }
    // The form gets its windows, so that the loop can drive it as a person
    // would (focus, typing, keys); the loop takes the place of the modal loop.
    FormRunner::Show(form, 0);
    if (!form->loaded()) return;  // Form_Load or Form_Activate closed it already
    // A form unloaded behind the runner's back still has its windows.
    const auto close = [&form] {
        if (form->loaded()) {
            FormRunner::Unload(form);
        } else {
            FormRunner::Hide(*form);
        }
    };
    try {
        loop(*form);
    } catch (...) {
        close();
        throw;
    }
    close();
}

}  // namespace qv::host
