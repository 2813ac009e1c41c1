// SPDX-License-Identifier: MIT
// Showing a form modally: the call returns only once the form has been
// unloaded. Whoever drives the user interface of the thread (a window loop
// for people, a script runner for headless runs, a test) installs the loop
// that keeps the form working until it closes.
#pragma once

#include <functional>
#include <memory>

namespace qv::host {

class Form;

// Runs while `form` is shown modally and must return only once it has been
// unloaded (or fail with an Error, which passes to the caller of showModal).
using ModalLoop = std::function<void(Form& form)>;

// Installs `loop` on this thread for the lifetime of this object; the
// previous loop comes back when it ends.
class ScopedModalLoop {
  public:
    explicit ScopedModalLoop(ModalLoop loop);
    ~ScopedModalLoop();
    ScopedModalLoop(const ScopedModalLoop&) = delete;
    ScopedModalLoop& operator=(const ScopedModalLoop&) = delete;

  private:
    ModalLoop m_previous;
};

// Loads and shows `form` (modal style 1, no owner) and returns once it has
// been unloaded. With a loop installed on this thread the form runner opens
// the form's windows without a modal loop of its own and the loop runs it;
// if it returns with the form still loaded, the form is unloaded here, so a
// modal show never leaves a form open behind its caller. Without one the form
// runner shows it in a window and runs its modal loop (which fails with 5
// when no input can arrive any more). `form` must not be null.
void showModal(const std::shared_ptr<Form>& form);

}  // namespace qv::host
