// SPDX-License-Identifier: MIT
// Object: the base of every object the runtime reaches by member name
// (controls, forms, collections, pictures), with late-bound get, let, set and
// call through its class's member registry.
#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "host/error.h"
#include "host/variant.h"

namespace qv::host {

class MemberRegistry;
struct Member;
using DispId = std::int32_t;

// What a type test asks of an object; each class answers for itself.
enum class ObjectKind {
    Form,
    Control,
    UserControl,
    DataControl,
    SoftButton,
    RecordBar,
    Picture,
    Collection,
};

class Object : public std::enable_shared_from_this<Object> {
  public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    // Returns the registry of the object's class (static storage).
    virtual const MemberRegistry& members() const = 0;
    // Returns whether the object is of the given kind (the type test).
    virtual bool is(ObjectKind) const { return false; }

    const std::string& className() const;

    // Late-bound access by name (case-insensitive) or dispatch identifier.
    // An unknown member fails with 438; let or set of a read-only property with
    // 383; a plain let of a by-reference property, a set of any other property,
    // or arguments given to a property, with 450.
    Variant get(std::string_view name);
    Variant get(DispId id);
    void let(std::string_view name, const Variant& value);
    void let(DispId id, const Variant& value);
    // Assignment by reference: `value` must be an object or Nothing (else 424).
    void set(std::string_view name, const Variant& value);
    void set(DispId id, const Variant& value);
    // Calls a method (a property without arguments is read). Arguments are
    // passed by reference and may be written back.
    Variant call(std::string_view name, std::span<Variant> args = {});
    Variant call(std::string_view name, std::initializer_list<Variant> args);
    Variant call(DispId id, std::span<Variant> args = {});

  private:
    const Member& member(std::string_view name) const;
    const Member& member(DispId id) const;
    Variant get(const Member& m);
    void let(const Member& m, const Variant& value);
    void set(const Member& m, const Variant& value);
    Variant call(const Member& m, std::span<Variant> args);
};

// Returns the object a variant refers to: 91 for Nothing, 424 for a
// variant that is not an object.
Object& objectOf(const Variant& value);

}  // namespace qv::host
