// SPDX-License-Identifier: MIT
// One component library as the runner loads it: the file opened with
// dlopen, checked to share the runner's forms runtime, and its entry points
// found by name. The library is unloaded only when it says no object of its
// making lives.
#pragma once

#include <string>

#include "platform/win32.h"

namespace qv::qvform {

using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, LPVOID*);

class ComponentLibrary {
  public:
    // Loads the library at `path`. Fails with std::runtime_error naming the
    // file when it cannot be loaded or carries a forms runtime of its own.
    explicit ComponentLibrary(const std::string& path);
    ~ComponentLibrary();
    ComponentLibrary(const ComponentLibrary&) = delete;
    ComponentLibrary& operator=(const ComponentLibrary&) = delete;

    const std::string& path() const { return m_path; }
    // Returns the exported function `name`, or nullptr when there is none.
    void* entry(const char* name) const;
    // Returns the library's DllGetClassObject; fails with std::runtime_error
    // when it exports none.
    GetClassObjectFunction getClassObject() const;

  private:
    std::string m_path;
    void* m_handle = nullptr;
};

// Returns `hr` as messages write it: "0x" and eight hexadecimal digits.
std::string hresultText(HRESULT hr);

// Returns the component library installed with this program: the one in the
// program's own folder, else the one in the library folder of its install
// prefix, else the bare file name for the loader's search path.
std::string defaultLibraryPath();

}  // namespace qv::qvform
