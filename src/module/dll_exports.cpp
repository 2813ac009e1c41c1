// SPDX-License-Identifier: MIT
#include "module/dll_exports.h"

#include <dlfcn.h>

#include "frame/class_factory.h"
#include "frame/component_registry.h"
#include "frame/module_counts.h"
#include "module/library_descriptor.h"

namespace {

// The file this code was loaded from: the shared library when the library
// is loaded as one, else the program that links it. The address asked about
// is this function's own, which no other module can interpose.
std::string thisModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&thisModulePath), &info) && info.dli_fname)
        return std::filesystem::absolute(info.dli_fname).string();
    return {};
}

template <class Change>
HRESULT changeRegistry(Change change) {
    try {
        qv::frame::ComponentRegistry registry(qv::frame::ComponentRegistry::defaultPath());
        change(registry);
        registry.save();
        return S_OK;
    } catch (const std::exception&) {
        // The registry's own errors included: the caller asks the registry
        // why (see qvform --register).
        return SELFREG_E_CLASS;
    }
}

}  // namespace

extern "C" HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    return qv::frame::getClassObject(qv::module::componentProject(), qv::module::typeLibrary(),
                                     rclsid, riid, ppv);
}

extern "C" HRESULT DllCanUnloadNow() {
    return qv::frame::ModuleCounts::instance().canUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT DllRegisterServer() {
    const std::string path = thisModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    return changeRegistry([&](qv::frame::ComponentRegistry& r) {
        qv::frame::registerProject(qv::module::componentProject(), path, r);
    });
}

extern "C" HRESULT DllUnregisterServer() {
    return changeRegistry([](qv::frame::ComponentRegistry& r) {
        qv::frame::unregisterProject(qv::module::componentProject(), r);
    });
}
