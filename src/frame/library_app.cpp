// SPDX-License-Identifier: MIT
#include "frame/library_app.h"

#include "frame/version_info.h"

namespace qv::frame {

host::App& libraryApp() {
    thread_local host::App app = [] {
        host::App made;
        made.setTitle(libraryVersion().text("ProductName").value_or("qvRecordBar"));
        return made;
    }();
    return app;
}

}  // namespace qv::frame
