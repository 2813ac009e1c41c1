// SPDX-License-Identifier: MIT
// A component library that serves no class at all: what a host meets when
// the library it loaded lacks the class a form needs.
#include "platform/win32.h"

extern "C" HRESULT DllGetClassObject(REFCLSID, REFIID, LPVOID* ppv) {
    if (ppv) *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT DllCanUnloadNow() {
    return S_OK;
}
