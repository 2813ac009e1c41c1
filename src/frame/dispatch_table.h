// SPDX-License-Identifier: MIT
// Late binding for hosts that know only names and dispatch identifiers: the
// dual interface of a public class (its members with a dispatch identifier,
// as the type library lists them) looked up by name or identifier, and the
// conversions between VARIANT and the runtime's Variant.
#pragma once

#include <optional>
#include <string>

#include "host/member_registry.h"
#include "platform/win32.h"

namespace qv::frame {

class DispatchTable {
  public:
    // `members` may be null: a class without members has an empty table.
    explicit DispatchTable(const host::MemberRegistry* members) : m_members(members) {}

    // The member named `name` (matched without regard to case), or nullptr.
    const host::Member* byName(std::string_view name) const;
    // The member with identifier `id`, or nullptr.
    const host::Member* byId(DISPID id) const;

  private:
    const host::MemberRegistry* m_members;
};

// Runs one IDispatch::Invoke on `object` through `table`: property get and
// put (by value or by reference) and method calls, with the platform's
// results for an unknown identifier, a wrong argument count, named
// arguments other than the put value, and arguments that do not convert.
// A failure of the member itself is DISP_E_EXCEPTION with `excepInfo`
// filled from the runtime's error (number, source, description).
HRESULT invokeMember(host::Object& object, const DispatchTable& table, DISPID id, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr);

// Conversions. fromVariant fails with DISP_E_BADVARTYPE or
// DISP_E_TYPEMISMATCH for what the runtime has no value for; toVariant
// hands out objects as new IDispatch wrappers.
std::optional<host::Variant> fromVariant(const VARIANT& in, HRESULT& failure);
HRESULT toVariant(const host::Variant& in, VARIANT* out);
std::string narrow(const OLECHAR* text);
BSTR allocBstr(const std::string& text);

}  // namespace qv::frame
