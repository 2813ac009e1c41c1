#include "search/modal_show.h"

#include <utility>

#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"

namespace qv::search {

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

void showModal(const std::shared_ptr<host::Form>& form) {
    // A copy: the loop may install another loop for a nested modal form.
    ModalLoop loop = currentLoop();
    if (!loop) {
        host::FormRunner::Show(form, 1);
        return;
    }
    form->Show();
    if (!form->loaded()) return;  // Form_Load or Form_Activate closed it already
    try {
        loop(*form);
    } catch (...) {
        if (form->loaded()) host::FormRunner::Unload(form);
        throw;
    }
    if (form->loaded()) host::FormRunner::Unload(form);
}

}  // namespace qv::search
