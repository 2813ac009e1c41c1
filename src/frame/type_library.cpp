// SPDX-License-Identifier: MIT
#include "frame/type_library.h"

namespace qv::frame {

namespace {

constexpr std::uint32_t kInterfaceFlags = type_flag::Hidden | type_flag::Dual |
                                          type_flag::NonExtensible | type_flag::OleAutomation |
                                          type_flag::Dispatchable;
constexpr std::uint32_t kEventFlags =
    type_flag::Hidden | type_flag::NonExtensible | type_flag::Dispatchable;

// A property becomes a read function and, unless read-only, a write
// function sharing its identifier: a plain put, or a put by reference for
// an object property.
void describe(const host::Member& m, std::vector<FunctionDesc>& out) {
    const host::DispId id = m.info.dispId.value_or(0);
    if (m.kind == host::MemberKind::Method) {
        out.push_back({m.name, id, InvokeKind::Method, m.info.type, m.info.params, m.info.help});
        return;
    }
    out.push_back({m.name, id, InvokeKind::PropertyGet, m.info.type, {}, m.info.help});
    if (m.readOnly) return;
    const InvokeKind put = m.byReference ? InvokeKind::PropertyPutRef : InvokeKind::PropertyPut;
    out.push_back({m.name, id, put, m.info.type, {}, m.info.help});
}

TypeEntry versioned(TypeKind kind, std::string name, const GUID& guid, std::uint32_t flags) {
    TypeEntry e;
    e.kind = kind;
    e.name = std::move(name);
    e.guid = guid;
    e.flags = flags;
    return e;
}

}  // namespace

const ClassDecl* ComponentProject::findPublic(REFCLSID clsid) const {
    for (const ClassDecl& c : classes) {
        if (c.classKind == PublicClassKind && c.clsid == clsid) return &c;
    }
    return nullptr;
}

const TypeEntry* TypeLibrary::find(std::string_view wanted) const {
    for (const TypeEntry& e : entries) {
        if (host::sameName(e.name, wanted)) return &e;
    }
    return nullptr;
}

TypeLibrary buildTypeLibrary(const ComponentProject& project) {
    TypeLibrary lib;
    lib.name = project.libraryName;
    lib.libid = project.libid;
    lib.majorVersion = project.majorVersion;
    lib.minorVersion = project.minorVersion;
    lib.lcid = project.lcid;
    lib.flags = LibFlagControl;
    lib.helpString = project.helpString;
    for (const ClassDecl& c : project.classes) {
        if (c.classKind != PublicClassKind) continue;
        TypeEntry iface = versioned(TypeKind::DualInterface, "_" + c.name, c.iid, kInterfaceFlags);
        if (c.members) {
            for (const host::Member& m : c.members->own()) {
                if (m.info.dispId) describe(m, iface.functions);
            }
        }
        lib.entries.push_back(std::move(iface));

        TypeEntry coclass =
            versioned(TypeKind::CoClass, c.name, c.clsid, c.control ? type_flag::Control : 0);
        coclass.implements.push_back({"_" + c.name, true, false});
        if (c.hasEvents) coclass.implements.push_back({"__" + c.name, true, true});
        lib.entries.push_back(std::move(coclass));

        if (!c.hasEvents) continue;
        TypeEntry events =
            versioned(TypeKind::DispInterface, "__" + c.name, c.eventIid, kEventFlags);
        for (const EventDecl& e : c.events)
            events.functions.push_back({e.name, e.dispId, InvokeKind::Method, "", {}, ""});
        lib.entries.push_back(std::move(events));
    }
    for (const EnumDecl& e : project.enums) {
        TypeEntry entry = versioned(TypeKind::Enumeration, e.name, e.guid, 0);
        entry.constants = e.members;
        lib.entries.push_back(std::move(entry));
    }
    return lib;
}

}  // namespace qv::frame
