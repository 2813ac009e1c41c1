// SPDX-License-Identifier: MIT
// The shape of a project descriptor: what a component library is made of as
// its host sees it (its classes with their identifiers, members and events,
// its enumerations, its name and version). The class factories, the type
// library and registration work from such a descriptor; the library's own
// one is in module/library_descriptor.h.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/member_registry.h"
#include "platform/win32.h"

namespace qv::host {
class Object;
}

namespace qv::frame {

struct EventDecl {
    std::string name;
    host::DispId dispId;
};

struct EnumMember {
    std::string name;
    std::int32_t value;
};

struct EnumDecl {
    std::string name;
    GUID guid;
    std::vector<EnumMember> members;
};

// Class kind 0 is a public class; kind 1 a private one, which has its
// identifiers and a registration entry but no type-library entries and no
// class factory.
inline constexpr int PublicClassKind = 0;
inline constexpr int PrivateClassKind = 1;

struct ClassDecl {
    std::string name;
    CLSID clsid{};
    IID iid{};       // the default interface, "_" + name
    IID eventIid{};  // the event interface, "__" + name, when `hasEvents`
    bool hasEvents = false;
    bool control = false;
    int classKind = PublicClassKind;
    std::uint32_t miscStatus = 0;
    int toolboxBitmap = 0;  // a bitmap resource id, 0 for none
    // The class's members; those of its base registry are the runtime's own
    // and are not listed.
    const host::MemberRegistry* members = nullptr;
    std::vector<EventDecl> events;
    // The property page a host opens for the class, and the property that
    // opens it from the host's property list; empty for none.
    std::string propertyPage;
    std::string propertyPageLink;
    std::function<std::shared_ptr<host::Object>()> create;
};

struct ComponentProject {
    std::string libraryName;
    GUID libid{};
    std::uint16_t majorVersion = 1;
    std::uint16_t minorVersion = 0;
    std::uint32_t lcid = 1033;
    std::string helpString;
    std::string fileStem;  // the shared library's name without prefix or suffix
    std::vector<ClassDecl> classes;
    std::vector<EnumDecl> enums;

    // Returns the public class with identifier `clsid`, or nullptr.
    const ClassDecl* findPublic(REFCLSID clsid) const;
};

}  // namespace qv::frame
