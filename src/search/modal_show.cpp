#include "search/modal_show.h"

#include <utility>

#include "host/error.h"
#include "host/form.h"

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

void showModal(host::Form& form) {
    form.Show();
    if (!form.loaded()) return;  // Form_Load or Form_Activate closed it already
    // A copy: the loop may install another loop for a nested modal form.
    ModalLoop loop = currentLoop();
    if (!loop) {
        form.Unload();
        throw host::Error(host::errc::InvalidProcedureCall, form.Name(),
                          "No modal loop is running to show " + form.Name());
    }
    try {
        loop(form);
    } catch (...) {
        if (form.loaded()) form.Unload();
        throw;
    }
    if (form.loaded()) form.Unload();
}

}  // namespace qv::search
