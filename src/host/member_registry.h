// SPDX-License-Identifier: MIT
// The registry of a class's named members (properties and methods) that
// late-bound access, form files and property pages all go through, and the
// MemberTable helper that declares a class's members in one table.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/variant.h"

namespace qv::host {

using DispId = std::int32_t;
inline constexpr DispId DispIdValue = 0;  // the default member
inline constexpr DispId DispIdAboutBox = -552;

enum class MemberKind { Property, Method };

// Where a property is saved with its form: the bag key and the default
// passed to WriteProperty and ReadProperty. A control whose loading must not
// run the property's write operation gives `load`, which stores a value read
// back and does nothing else.
struct Persistence {
    std::string key;
    Variant defaultValue;
    std::function<void(Object&, const Variant&)> load;
};

// One argument of a method as a type library lists it.
struct Parameter {
    std::string name;
    std::string type;
};

// Optional facts about a member, given where it is declared. `type` and
// `params` describe the member to hosts that bind through a type library:
// a type name ("Boolean", "String", "Object" or an enumeration's name),
// empty for a method without a result.
struct MemberInfo {
    std::optional<DispId> dispId;
    std::string help;
    std::optional<Persistence> persist;
    std::string type;
    std::vector<Parameter> params;
};

// One named member. Getters, setters and methods receive the object they are
// called on; the registry guarantees it is of the declaring class.
struct Member {
    std::string name;
    MemberKind kind = MemberKind::Property;
    bool readOnly = false;
    // An object property assigned by reference (Set); a plain let is refused.
    bool byReference = false;
    MemberInfo info;
    std::function<Variant(Object&)> get;
    std::function<void(Object&, const Variant&)> put;
    // Arguments are passed by reference: a method may write back into them.
    std::function<Variant(Object&, std::span<Variant>)> invoke;
};

// The members of one class, optionally extending a base class's registry.
// Names are matched without regard to case, as the platform's dispatch does.
class MemberRegistry {
  public:
    explicit MemberRegistry(std::string className, const MemberRegistry* base = nullptr);

    // Adds a member; a name or dispatch identifier already declared in this
    // class throws std::logic_error (a declaration fault, found at start-up).
    void add(Member member);

    // Returns the member named `name` (own members first, then the base's),
    // or nullptr.
    const Member* find(std::string_view name) const;
    // Returns the member with dispatch identifier `id`, or nullptr.
    const Member* find(DispId id) const;

    const std::string& className() const noexcept { return m_className; }
    const MemberRegistry* base() const noexcept { return m_base; }
    // Every member, the base's first, each class in declaration order.
    std::vector<const Member*> all() const;
    // The members this class declares itself, in declaration order.
    std::span<const Member> own() const noexcept { return m_members; }
    // The persisted properties, in the same order.
    std::vector<const Member*> persisted() const;

  private:
    std::string m_className;
    const MemberRegistry* m_base;
    std::vector<Member> m_members;
};

// Compares two names the way the registry does: equal once every letter of
// both (UTF-8) is upper-cased.
bool sameName(std::string_view a, std::string_view b) noexcept;
// Returns a key for `name` that two names share exactly when sameName holds
// for them, for looking names up in a hash table.
std::u32string nameKey(std::string_view name);

// Declares the members of class T into a registry with lambdas on T:
//   MemberTable<Button>(registry)
//       .property("Caption", [](Button& b) { return Variant(b.m_caption); },
//                 [](Button& b, const Variant& v) { b.setCaption(v.toString()); })
//       .method("Refresh", [](Button& b, std::span<Variant>) { b.refresh(); return Variant(); });
template <class T>
class MemberTable {
  public:
    explicit MemberTable(MemberRegistry& registry) : m_registry(registry) {}

    template <class Get, class Put>
    MemberTable& property(std::string name, Get get, Put put, MemberInfo info = {}) {
        Member m{std::move(name), MemberKind::Property, false, false, std::move(info)};
        m.get = [get](Object& o) { return Variant(get(cast(o))); };
        m.put = [put](Object& o, const Variant& v) { put(cast(o), v); };
        m_registry.add(std::move(m));
        return *this;
    }

    template <class Get>
    MemberTable& readOnly(std::string name, Get get, MemberInfo info = {}) {
        Member m{std::move(name), MemberKind::Property, true, false, std::move(info)};
        m.get = [get](Object& o) { return Variant(get(cast(o))); };
        m_registry.add(std::move(m));
        return *this;
    }

    // An object property: read like any other, assigned only by reference.
    template <class Get, class Put>
    MemberTable& objectProperty(std::string name, Get get, Put put, MemberInfo info = {}) {
        Member m{std::move(name), MemberKind::Property, false, true, std::move(info)};
        m.get = [get](Object& o) { return Variant(get(cast(o))); };
        m.put = [put](Object& o, const Variant& v) { put(cast(o), v); };
        m_registry.add(std::move(m));
        return *this;
    }

    template <class Invoke>
    MemberTable& method(std::string name, Invoke invoke, MemberInfo info = {}) {
        Member m{std::move(name), MemberKind::Method, false, false, std::move(info)};
        m.invoke = [invoke](Object& o, std::span<Variant> args) -> Variant {
            if constexpr (std::is_void_v<decltype(invoke(cast(o), args))>) {
                invoke(cast(o), args);
                return Variant();
            } else {
                return Variant(invoke(cast(o), args));
            }
        };
        m_registry.add(std::move(m));
        return *this;
    }

  private:
    static T& cast(Object& o);
    MemberRegistry& m_registry;
};

}  // namespace qv::host

#include "host/object.h"

namespace qv::host {

template <class T>
T& MemberTable<T>::cast(Object& o) {
    auto* typed = dynamic_cast<T*>(&o);
    if (!typed) raise(errc::ObjectDoesntSupportMember, o.className());
    return *typed;
}

}  // namespace qv::host
