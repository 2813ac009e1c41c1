// The runner as a host of the library's public classes: it makes them
// through the library's DllGetClassObject, as any host would, and keeps the
// library's object alive for as long as the runtime holds the control.
#pragma once

#include <memory>

#include "platform/win32.h"

namespace qv::host {
class Object;
}

namespace qv::qvform {

using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, LPVOID*);

// Returns a new object of class `clsid` made by the class factory that
// `getClassObject` hands out, or nullptr when the library refuses the class
// or cannot make the object. The library's reference is released when the
// last copy of the returned pointer goes.
std::shared_ptr<host::Object> createThroughFactory(GetClassObjectFunction getClassObject,
                                                   REFCLSID clsid);

}  // namespace qv::qvform
