// SPDX-License-Identifier: MIT
#include "public_classes.h"

#include "class_factory_client.h"
#include "frame/component_registry.h"
#include "host/error.h"
#include "host/member_registry.h"
#include "module/component_guids.h"
#include "module/dll_exports.h"

namespace qv::qvform {

namespace {

// The identifiers of the classes a form file names by class name.
const CLSID* publicClassId(std::string_view name) {
    if (host::sameName(name, "qvRecordBar")) return &module::guids::CLSID_qvRecordBar;
    if (host::sameName(name, "ppData")) return &module::guids::CLSID_ppData;
    return nullptr;
}

[[noreturn]] void refuse(std::string_view className, const std::string& why) {
    throw host::Error(host::errc::FileLoad, "qvform",
                      std::string(className) + " cannot be made: " + why);
}

}  // namespace

PublicClasses::PublicClasses() : m_name("this program"), m_getClassObject(&DllGetClassObject) {}

PublicClasses::PublicClasses(const std::string& libraryPath)
    : m_name(libraryPath), m_library(std::make_unique<ComponentLibrary>(libraryPath)) {
    m_getClassObject = m_library->getClassObject();
}

PublicClasses::~PublicClasses() = default;

std::shared_ptr<host::Object> PublicClasses::create(std::string_view className) {
    const CLSID* clsid = publicClassId(className);
    if (!clsid) refuse(className, "it is not a public class of the library");
    MadeObject made = createThroughFactory(m_getClassObject, *clsid);
    if (made.object) return made.object;
    if (made.result != CLASS_E_CLASSNOTAVAILABLE)
        refuse(className, m_name + " refused with " + hresultText(made.result));
    return createRegistered(className, *clsid);
}

std::shared_ptr<host::Object> PublicClasses::createRegistered(std::string_view className,
                                                              REFCLSID clsid) {
    const std::string id = frame::guidText(clsid);
    std::string server;
    try {
        const frame::ComponentRegistry registry(frame::ComponentRegistry::defaultPath());
        if (const std::string* named = registry.find("CLSID\\" + id + "\\InprocServer32"))
            server = *named;
    } catch (const host::Error& e) {
        refuse(className, e.description());
    }
    if (server.empty()) {
        refuse(className, m_name + " does not serve " + id +
                              " and the component registry names no library that does");
    }
    GetClassObjectFunction getClassObject = nullptr;
    try {
        getClassObject = registeredLibrary(server).getClassObject();
    } catch (const std::runtime_error& e) {
        refuse(className, std::string("the registered server: ") + e.what());
    }
    MadeObject made = createThroughFactory(getClassObject, clsid);
    if (!made.object) refuse(className, server + " refused with " + hresultText(made.result));
    return made.object;
}

ComponentLibrary& PublicClasses::registeredLibrary(const std::string& path) {
    for (const auto& loaded : m_registered)
        if (loaded->path() == path) return *loaded;
    m_registered.push_back(std::make_unique<ComponentLibrary>(path));
    return *m_registered.back();
}

namespace {

std::unique_ptr<PublicClasses>& current() {
    static std::unique_ptr<PublicClasses> classes;
    return classes;
}

}  // namespace

PublicClasses& publicClasses() {
    if (!current()) current() = std::make_unique<PublicClasses>();
    return *current();
}

void setPublicClasses(std::unique_ptr<PublicClasses> classes) {
    current() = std::move(classes);
}

}  // namespace qv::qvform
