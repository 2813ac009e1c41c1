// SPDX-License-Identifier: MIT
// The type library as data: the entries and members a host reads to list
// and bind the library's public classes, derived from the project descriptor
// (and so from the same member registries late binding and form files use).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame/component_project.h"

namespace qv::frame {

enum class TypeKind { DualInterface, CoClass, DispInterface, Enumeration };

// Entry flags, as combinable bits.
namespace type_flag {
inline constexpr std::uint32_t Control = 0x20;
inline constexpr std::uint32_t Dual = 0x40;
inline constexpr std::uint32_t NonExtensible = 0x80;
inline constexpr std::uint32_t OleAutomation = 0x100;
inline constexpr std::uint32_t Dispatchable = 0x1000;
inline constexpr std::uint32_t Hidden = 0x10;
}  // namespace type_flag

// Library flags.
inline constexpr std::uint32_t LibFlagControl = 0x2;

enum class InvokeKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

struct FunctionDesc {
    std::string name;
    host::DispId dispId = 0;
    InvokeKind kind = InvokeKind::Method;
    std::string type;  // the result of a get, the value of a put; "" for none
    std::vector<host::Parameter> params;
    std::string help;
};

struct ImplementedInterface {
    std::string name;
    bool isDefault = false;
    bool isSource = false;
};

struct TypeEntry {
    TypeKind kind = TypeKind::DualInterface;
    std::string name;
    GUID guid{};
    std::uint32_t flags = 0;
    std::uint16_t majorVersion = 1;
    std::uint16_t minorVersion = 0;
    std::vector<FunctionDesc> functions;
    std::vector<ImplementedInterface> implements;
    std::vector<EnumMember> constants;
};

struct TypeLibrary {
    std::string name;
    GUID libid{};
    std::uint16_t majorVersion = 1;
    std::uint16_t minorVersion = 0;
    std::uint32_t lcid = 0;
    std::uint32_t flags = 0;
    std::string helpString;
    std::vector<TypeEntry> entries;

    // Returns the entry named `wanted` (case-insensitive), or nullptr.
    const TypeEntry* find(std::string_view wanted) const;
};

// Describes the public classes of `project` in their order: each class's
// default interface, the class, then its event interface; then the
// enumerations. Private classes are left out.
TypeLibrary buildTypeLibrary(const ComponentProject& project);

}  // namespace qv::frame
