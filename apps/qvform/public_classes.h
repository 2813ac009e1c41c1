// SPDX-License-Identifier: MIT
// Where the runner gets the library's public classes, qvRecordBar and
// ppData, as a host gets them: from the class factories of one component
// library, and, for a class that library does not serve, from the library
// the component registry names as the class's server. Other controls come
// from the runtime's control factory and the library's C++ API.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "component_library.h"

namespace qv::host {
class Object;
}

namespace qv::qvform {

class PublicClasses {
  public:
    // The entry points of the library linked into this program: what tests
    // and embedding programs use.
    PublicClasses();
    // The library at `path`. Fails with std::runtime_error naming the file
    // when it cannot be loaded or has no DllGetClassObject.
    explicit PublicClasses(const std::string& libraryPath);
    ~PublicClasses();
    PublicClasses(const PublicClasses&) = delete;
    PublicClasses& operator=(const PublicClasses&) = delete;

    // Returns a new object of the public class `className`. Fails with a
    // host::Error (31037, "qvform") naming the class and why no library
    // made it.
    std::shared_ptr<host::Object> create(std::string_view className);

  private:
    std::shared_ptr<host::Object> createRegistered(std::string_view className, REFCLSID clsid);
    // Returns the library at `path`, loading it the first time.
    ComponentLibrary& registeredLibrary(const std::string& path);

    std::string m_name;  // the library, as messages name it
    GetClassObjectFunction m_getClassObject = nullptr;
    std::unique_ptr<ComponentLibrary> m_library;
    // Libraries loaded for classes the first one does not serve.
    std::vector<std::unique_ptr<ComponentLibrary>> m_registered;
};

// The program's public classes: the linked library's until replaced.
PublicClasses& publicClasses();
void setPublicClasses(std::unique_ptr<PublicClasses> classes);

}  // namespace qv::qvform
