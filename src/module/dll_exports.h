// SPDX-License-Identifier: MIT
// The four entry points a host finds in the loaded library by name. Each
// passes the library's project descriptor to the runtime, which does the
// work.
#pragma once

#include "platform/win32.h"

extern "C" {
// Hands out the class factory of `rclsid` (qvRecordBar or ppData) with
// interface `riid`; any other class gets CLASS_E_CLASSNOTAVAILABLE.
HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
// S_OK when no object of the library lives and no factory is locked, else
// S_FALSE.
HRESULT DllCanUnloadNow();
// Adds the public classes, their interfaces and the type library to the
// component registry, naming this library's file as their server.
HRESULT DllRegisterServer();
// Removes what DllRegisterServer added.
HRESULT DllUnregisterServer();
}
