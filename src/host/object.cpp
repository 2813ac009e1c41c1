// SPDX-License-Identifier: MIT
#include "host/object.h"

#include <vector>

#include "host/member_registry.h"

namespace qv::host {

const std::string& Object::className() const {
    return members().className();
}

const Member& Object::member(std::string_view name) const {
    const Member* m = members().find(name);
    if (!m) {
        throw Error(errc::ObjectDoesntSupportMember, className(),
                    std::string(standardDescription(errc::ObjectDoesntSupportMember)) + ": " +
                        std::string(name));
    }
    return *m;
}

const Member& Object::member(DispId id) const {
    const Member* m = members().find(id);
    if (!m) raise(errc::ObjectDoesntSupportMember, className());
    return *m;
}

Variant Object::get(const Member& m) {
    if (m.kind == MemberKind::Method) return m.invoke(*this, {});
    if (!m.get) raise(errc::ObjectDoesntSupportMember, className());
    return m.get(*this);
}

void Object::let(const Member& m, const Variant& value) {
    if (m.kind == MemberKind::Method) raise(errc::WrongArgumentsOrAssignment, className());
    if (m.readOnly || !m.put) raise(errc::PropertyReadOnly, className());
    if (m.byReference) raise(errc::WrongArgumentsOrAssignment, className());
    m.put(*this, value);
}

void Object::set(const Member& m, const Variant& value) {
    if (m.kind == MemberKind::Method) raise(errc::WrongArgumentsOrAssignment, className());
    if (m.readOnly || !m.put) raise(errc::PropertyReadOnly, className());
    if (!m.byReference) raise(errc::WrongArgumentsOrAssignment, className());
    if (!value.isObject()) raise(errc::ObjectRequired, className());
    m.put(*this, value);
}

Variant Object::call(const Member& m, std::span<Variant> args) {
    if (m.kind == MemberKind::Property) {
        if (!args.empty()) raise(errc::WrongArgumentsOrAssignment, className());
        return get(m);
    }
    return m.invoke(*this, args);
}

Variant Object::get(std::string_view name) {
    return get(member(name));
}
Variant Object::get(DispId id) {
    return get(member(id));
}
void Object::let(std::string_view name, const Variant& value) {
    let(member(name), value);
}
void Object::let(DispId id, const Variant& value) {
    let(member(id), value);
}
void Object::set(std::string_view name, const Variant& value) {
    set(member(name), value);
}
void Object::set(DispId id, const Variant& value) {
    set(member(id), value);
}
Variant Object::call(std::string_view name, std::span<Variant> args) {
    return call(member(name), args);
}
Variant Object::call(std::string_view name, std::initializer_list<Variant> args) {
    std::vector<Variant> copy(args);
    return call(member(name), copy);
}
Variant Object::call(DispId id, std::span<Variant> args) {
    return call(member(id), args);
}

Object& objectOf(const Variant& value) {
    if (!value.isObject()) raise(errc::ObjectRequired);
    ObjectRef ref = value.toObject();
    if (!ref) raise(errc::ObjectVariableNotSet);
    return *ref;
}

}  // namespace qv::host
