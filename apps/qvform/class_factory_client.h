// SPDX-License-Identifier: MIT
// The runner as a host of the library's public classes: it makes them
// through the library's DllGetClassObject, as any host would, and keeps the
// library's object alive for as long as the runtime holds the control.
#pragma once

#include <memory>

#include "component_library.h"
#include "platform/win32.h"

namespace qv::host {
class Object;
}

namespace qv::qvform {

struct MadeObject {
    std::shared_ptr<host::Object> object;  // nullptr when the library refused
    HRESULT result = S_OK;                 // why it refused
};

// Returns a new object of class `clsid` made by the class factory that
// `getClassObject` hands out, or the library's refusal. The library's
// reference is released when the last copy of the returned pointer goes.
MadeObject createThroughFactory(GetClassObjectFunction getClassObject, REFCLSID clsid);

}  // namespace qv::qvform
