// SPDX-License-Identifier: MIT
#include "component_commands.h"

#include <ostream>

#include "component_library.h"
#include "frame/component_registry.h"
#include "host/error.h"
#include "platform/win32.h"

namespace qv::qvform {

namespace {

using EntryPoint = HRESULT (*)();

// Says why the registry cannot be changed, when it is the registry's fault.
std::string registryProblem() {
    try {
        frame::ComponentRegistry check(frame::ComponentRegistry::defaultPath());
        return {};
    } catch (const host::Error& e) {
        return e.description();
    }
}

int callEntryPoint(const std::string& path, const char* name, std::ostream& out,
                   std::ostream& err) {
    HRESULT hr = S_OK;
    try {
        const ComponentLibrary library(path);
        auto entry = reinterpret_cast<EntryPoint>(library.entry(name));
        if (!entry) {
            err << "qvform: " << path << " has no entry point " << name << '\n';
            return 1;
        }
        hr = entry();
    } catch (const std::runtime_error& e) {
        err << "qvform: " << e.what() << '\n';
        return 1;
    }
    if (SUCCEEDED(hr)) {
        out << name << " succeeded for " << path << '\n';
        return 0;
    }
    err << "qvform: " << name << " failed with " << hresultText(hr);
    if (const std::string why = registryProblem(); !why.empty()) err << ": " << why;
    err << '\n';
    return 1;
}

int listClasses(std::ostream& out, std::ostream& err) {
    try {
        frame::ComponentRegistry registry(frame::ComponentRegistry::defaultPath());
        for (const std::string& clsid : registry.children("CLSID")) {
            const std::string key = "CLSID\\" + clsid;
            const std::string* name = registry.find(key);
            const std::string* server = registry.find(key + "\\InprocServer32");
            out << clsid << ' ' << (name ? *name : "") << ' ' << (server ? *server : "") << '\n';
        }
        return 0;
    } catch (const host::Error& e) {
        err << "qvform: " << e.description() << " (error " << e.number() << ")\n";
        return 1;
    }
}

}  // namespace

std::optional<int> runComponentCommand(const std::vector<std::string>& args, std::ostream& out,
                                       std::ostream& err) {
    if (args.empty()) return std::nullopt;
    const std::string& command = args[0];
    if (command == "--list-classes") {
        if (args.size() != 1) {
            err << "qvform: --list-classes takes nothing more\n";
            return 2;
        }
        return listClasses(out, err);
    }
    const char* entry = command == "--register"     ? "DllRegisterServer"
                        : command == "--unregister" ? "DllUnregisterServer"
                                                    : nullptr;
    if (!entry) return std::nullopt;
    if (args.size() != 2) {
        err << "qvform: " << command << " needs the path of one library\n";
        return 2;
    }
    return callEntryPoint(args[1], entry, out, err);
}

}  // namespace qv::qvform
