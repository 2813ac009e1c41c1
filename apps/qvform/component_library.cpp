// SPDX-License-Identifier: MIT
#include "component_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "host/runtime_identity.h"

namespace qv::qvform {

ComponentLibrary::ComponentLibrary(const std::string& path) : m_path(path) {
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) throw std::runtime_error("cannot load " + path + ": " + ::dlerror());
    // A second copy of the runtime would make windows and drawing handles
    // that this program's runtime does not know.
    using Identity = const void* (*)();
    if (auto theirs = reinterpret_cast<Identity>(entry("qvFormsRuntime"));
        theirs && theirs() != qvFormsRuntime()) {
        ::dlclose(m_handle);
        m_handle = nullptr;
        throw std::runtime_error(path +
                                 " carries a forms runtime of its own; load the library this "
                                 "program was installed with");
    }
}

ComponentLibrary::~ComponentLibrary() {
    using CanUnload = HRESULT (*)();
    auto canUnload = reinterpret_cast<CanUnload>(entry("DllCanUnloadNow"));
    // Objects the library made may outlive this wrapper; their code must
    // stay mapped, so the handle is then left open for the process's end.
    if (canUnload && canUnload() == S_OK) ::dlclose(m_handle);
}

void* ComponentLibrary::entry(const char* name) const {
    return ::dlsym(m_handle, name);
}

GetClassObjectFunction ComponentLibrary::getClassObject() const {
    auto function = reinterpret_cast<GetClassObjectFunction>(entry("DllGetClassObject"));
    if (!function) throw std::runtime_error(m_path + " has no entry point DllGetClassObject");
    return function;
}

std::string hresultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::string defaultLibraryPath() {
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (!failed) {
        for (const char* folder : {".", QV_LIBDIR_FROM_BINDIR}) {
            const std::filesystem::path candidate =
                program.parent_path() / folder / QV_LIBRARY_FILE;
            if (std::filesystem::exists(candidate, failed)) return candidate.lexically_normal();
        }
    }
    return QV_LIBRARY_FILE;
}

}  // namespace qv::qvform
