// SPDX-License-Identifier: MIT
#include "platform/user/subclass_chain.h"

#include <algorithm>

#include "platform/user/thread_state.h"

namespace qv::user {

namespace {

void eraseRetired(Window& w, WNDPROC proc) {
    threadState().retiredProcs -=
        static_cast<int>(std::erase_if(w.retired, [&](const auto& r) { return r.first == proc; }));
}

}  // namespace

WNDPROC resolveForward(const Window& w, WNDPROC proc) {
    // Each retirement points one step down the chain, so this ends.
    for (std::size_t guard = 0; guard <= w.retired.size(); ++guard) {
        auto it = std::find_if(w.retired.begin(), w.retired.end(),
                               [&](const auto& r) { return r.first == proc; });
        if (it == w.retired.end()) {
            return proc;
        }
        proc = it->second;
    }
    return proc;
}

WNDPROC replaceWindowProc(Window& w, WNDPROC proc) {
    const WNDPROC old = w.proc;
    proc = resolveForward(w, proc);
    auto& chain = w.procChain;
    // The newest occurrence below the top: a restore of a saved procedure.
    std::ptrdiff_t k = -1;
    for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(chain.size()) - 2; i >= 0; --i) {
        if (chain[static_cast<std::size_t>(i)] == proc) {
            k = i;
            break;
        }
    }
    if (k < 0) {
        eraseRetired(w, proc);
        chain.push_back(proc);
        w.proc = proc;
        return old;
    }
    const auto remover = static_cast<std::size_t>(k) + 1;
    const WNDPROC removed = chain[remover];
    chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(remover));
    if (remover < chain.size()) {
        // Out of order: later procedures still forward to the removed one.
        eraseRetired(w, removed);
        w.retired.emplace_back(removed, proc);
        ++threadState().retiredProcs;
    } else {
        w.proc = proc;
    }
    return old;
}

}  // namespace qv::user
