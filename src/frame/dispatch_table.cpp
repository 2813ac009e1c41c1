// SPDX-License-Identifier: MIT
#include "frame/dispatch_table.h"

#include <vector>

#include "frame/class_factory.h"
#include "host/error.h"
#include "host/object.h"
#include "platform/utf8.h"

namespace qv::frame {

namespace {

// The HRESULT a runtime error number travels in (the control facility).
constexpr HRESULT kErrorFacility = static_cast<HRESULT>(0x800A0000u);

const VARIANT& unwrapped(const VARIANT& in) {
    if (in.vt == (VT_BYREF | VT_VARIANT) && in.pvarVal != nullptr) return *in.pvarVal;
    return in;
}

HRESULT fail(const host::Error& e, EXCEPINFO* excepInfo) {
    if (e.number() == host::errc::TypeMismatch) return DISP_E_TYPEMISMATCH;
    if (e.number() == host::errc::Overflow) return DISP_E_OVERFLOW;
    if (excepInfo != nullptr) {
        *excepInfo = EXCEPINFO{};
        excepInfo->bstrSource = allocBstr(e.source());
        excepInfo->bstrDescription = allocBstr(e.description());
        excepInfo->scode = kErrorFacility | (e.number() & 0xFFFF);
    }
    return DISP_E_EXCEPTION;
}

}  // namespace

const host::Member* DispatchTable::byName(std::string_view name) const {
    if (!m_members) return nullptr;
    for (const host::Member& m : m_members->own()) {
        if (m.info.dispId && host::sameName(m.name, name)) return &m;
    }
    return nullptr;
}

const host::Member* DispatchTable::byId(DISPID id) const {
    if (!m_members) return nullptr;
    for (const host::Member& m : m_members->own()) {
        if (m.info.dispId == id) return &m;
    }
    return nullptr;
}

std::string narrow(const OLECHAR* text) {
    std::string out;
    for (; text != nullptr && *text != 0; ++text) {
        utf8::append(out, static_cast<char32_t>(*text));
    }
    return out;
}

BSTR allocBstr(const std::string& text) {
    std::wstring wide;
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Char c = utf8::decode(text, at);
        wide.push_back(static_cast<OLECHAR>(c.code));
        at += c.size > 0 ? c.size : 1;
    }
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::optional<host::Variant> fromVariant(const VARIANT& raw, HRESULT& failure) {
    const VARIANT& in = unwrapped(raw);
    switch (in.vt) {
        case VT_EMPTY:
            return host::Variant();
        case VT_NULL:
            return host::Variant::null();
        case VT_I2:
            return host::Variant(static_cast<std::int16_t>(in.iVal));
        case VT_I4:
            return host::Variant(static_cast<int>(in.lVal));
        case VT_R4:
            return host::Variant(in.fltVal);
        case VT_R8:
            return host::Variant(in.dblVal);
        case VT_DATE:
            return host::Variant::date(in.date);
        case VT_BOOL:
            return host::Variant(in.boolVal != VARIANT_FALSE);
        case VT_BSTR:
            return host::Variant(narrow(in.bstrVal));
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            if (in.punkVal == nullptr) return host::Variant::nothing();
            // Only objects of this runtime can be handed to its members.
            IHostObject* ours = nullptr;
            if (in.punkVal->QueryInterface(IID_IHostObject, reinterpret_cast<void**>(&ours)) !=
                S_OK) {
                failure = DISP_E_TYPEMISMATCH;
                return std::nullopt;
            }
            host::ObjectRef object = ours->object()->shared_from_this();
            ours->Release();
            return host::Variant(object);
        }
        default:
            failure = DISP_E_BADVARTYPE;
            return std::nullopt;
    }
}

HRESULT toVariant(const host::Variant& in, VARIANT* out) {
    VariantInit(out);
    switch (in.type()) {
        case host::VarType::Empty:
            return S_OK;
        case host::VarType::Null:
            out->vt = VT_NULL;
            return S_OK;
        case host::VarType::Integer:
            out->vt = VT_I2;
            out->iVal = in.toInteger();
            return S_OK;
        case host::VarType::Long:
            out->vt = VT_I4;
            out->lVal = in.toLong();
            return S_OK;
        case host::VarType::Single:
            out->vt = VT_R4;
            out->fltVal = in.toSingle();
            return S_OK;
        case host::VarType::Double:
            out->vt = VT_R8;
            out->dblVal = in.toDouble();
            return S_OK;
        case host::VarType::Date:
            out->vt = VT_DATE;
            out->date = in.toDate();
            return S_OK;
        case host::VarType::Boolean:
            out->vt = VT_BOOL;
            out->boolVal = in.toBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case host::VarType::String:
            out->vt = VT_BSTR;
            out->bstrVal = allocBstr(in.toString());
            return out->bstrVal != nullptr || in.toString().empty() ? S_OK : E_OUTOFMEMORY;
        case host::VarType::Object: {
            out->vt = VT_DISPATCH;
            host::ObjectRef object = in.toObject();
            if (!object) return S_OK;
            auto* wrapper = new ObjectUnknown(std::move(object), IID_IDispatch);
            out->pdispVal = static_cast<IDispatch*>(wrapper);
            return S_OK;
        }
    }
    return DISP_E_BADVARTYPE;
}

HRESULT invokeMember(host::Object& object, const DispatchTable& table, DISPID id, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) {
    const host::Member* member = table.byId(id);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    static DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (params == nullptr) params = &none;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    // The one named argument the platform defines is the value of a put.
    if (params->cNamedArgs > (put ? 1u : 0u)) return DISP_E_NONAMEDARGS;
    if (put && (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
        return DISP_E_PARAMNOTFOUND;
    }
    // Arguments arrive last one first.
    std::vector<host::Variant> args;
    for (UINT i = params->cArgs; i-- > 0;) {
        HRESULT failure = S_OK;
        auto value = fromVariant(params->rgvarg[i], failure);
        if (!value) {
            if (argErr != nullptr) *argErr = i;
            return failure;
        }
        args.push_back(std::move(*value));
    }
    try {
        host::Variant answer;
        if (member->kind == host::MemberKind::Property) {
            if (put) {
                if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
                if (flags & DISPATCH_PROPERTYPUTREF) {
                    object.set(id, args[0]);
                } else {
                    object.let(id, args[0]);
                }
                return S_OK;
            }
            if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
            if (!args.empty()) return DISP_E_BADPARAMCOUNT;
            answer = object.get(id);
        } else {
            if (put || !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
            if (args.size() != member->info.params.size()) return DISP_E_BADPARAMCOUNT;
            answer = object.call(id, args);
        }
        if (result != nullptr) return toVariant(answer, result);
        return S_OK;
    } catch (const host::Error& e) {
        const HRESULT hr = fail(e, excepInfo);
        if (hr == DISP_E_TYPEMISMATCH && argErr != nullptr) *argErr = 0;
        return hr;
    }
}

}  // namespace qv::frame
