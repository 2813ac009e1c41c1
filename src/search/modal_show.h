// Showing a form modally: the call returns only once the form has been
// unloaded. Whoever drives the user interface of the thread (a window loop
// for people, a script runner for headless runs, a test) installs the loop
// that keeps the form working until it closes.
#pragma once

#include <functional>

namespace qv::host {
class Form;
}

namespace qv::search {

// Runs while `form` is shown modally and must return only once it has been
// unloaded (or fail with an Error, which passes to the caller of showModal).
using ModalLoop = std::function<void(host::Form& form)>;

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
// been unloaded. Without a loop installed on this thread nothing could close
// the form, so it fails with error 5 after unloading the form again. If the
// loop returns with the form still loaded, the form is unloaded here so that
// a modal show never leaves a form open behind its caller.
void showModal(host::Form& form);

}  // namespace qv::search
