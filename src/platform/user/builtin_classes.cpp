// SPDX-License-Identifier: MIT
#include "platform/user/builtin_classes.h"

#include <mutex>

#include "platform/user/thread_state.h"
#include "platform/user/tooltip_control.h"

namespace qv::user {

void installWindowDcProvider();

void registerBuiltinClasses() {
    static std::once_flag s_provider;
    std::call_once(s_provider, installWindowDcProvider);
    auto& windows = threadState().windows;
    if (windows.findClass(TOOLTIPS_CLASSA)) {
        return;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = TOOLTIPS_CLASSA;
    cls->style = CS_DBLCLKS;
    cls->proc = TooltipControl::windowProc;
    cls->builtIn = true;
    windows.addClass(std::move(cls));
}

}  // namespace qv::user
