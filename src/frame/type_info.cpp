// SPDX-License-Identifier: MIT
#include "frame/type_info.h"

#include "frame/dispatch_table.h"
#include "frame/module_counts.h"
#include "host/member_registry.h"

namespace qv::frame {

namespace {

INVOKEKIND invokeKind(InvokeKind kind) {
    switch (kind) {
        case InvokeKind::PropertyGet:
            return INVOKE_PROPERTYGET;
        case InvokeKind::PropertyPut:
            return INVOKE_PROPERTYPUT;
        case InvokeKind::PropertyPutRef:
            return INVOKE_PROPERTYPUTREF;
        case InvokeKind::Method:
            break;
    }
    return INVOKE_FUNC;
}

bool isPut(const FunctionDesc& f) {
    return f.kind == InvokeKind::PropertyPut || f.kind == InvokeKind::PropertyPutRef;
}

}  // namespace

const TypeEntry* interfaceEntry(const TypeLibrary& lib, const IID& iid) {
    for (const TypeEntry& e : lib.entries) {
        if (e.kind == TypeKind::DualInterface && e.guid == iid) return &e;
    }
    return nullptr;
}

TypeInfo::TypeInfo(const TypeLibrary& lib, const TypeEntry& entry) : m_lib(lib), m_entry(entry) {
    ModuleCounts::instance().objectCreated();
}

TypeInfo::~TypeInfo() {
    ModuleCounts::instance().objectDestroyed();
}

HRESULT TypeInfo::QueryInterface(REFIID riid, void** ppv) {
    return answer(riid, ppv, {IID_IUnknown, IID_ITypeInfo});
}

const FunctionDesc* TypeInfo::byId(MEMBERID memid) const {
    const FunctionDesc* found = nullptr;
    for (const FunctionDesc& f : m_entry.functions) {
        if (f.dispId != memid) continue;
        if (!isPut(f)) return &f;
        if (!found) found = &f;
    }
    return found;
}

TYPEDESC TypeInfo::typeOf(const std::string& type) const {
    static const struct {
        const char* name;
        VARTYPE vt;
    } kTypes[] = {{"", VT_VOID},          {"Boolean", VT_BOOL}, {"String", VT_BSTR},
                  {"Integer", VT_I2},     {"Long", VT_I4},      {"Single", VT_R4},
                  {"Double", VT_R8},      {"Date", VT_DATE},    {"Object", VT_DISPATCH},
                  {"Variant", VT_VARIANT}};
    TYPEDESC desc{};
    desc.vt = VT_VARIANT;
    for (const auto& t : kTypes) {
        if (host::sameName(type, t.name)) desc.vt = t.vt;
    }
    // The library's enumerations travel as Long values.
    const TypeEntry* named = type.empty() ? nullptr : m_lib.find(type);
    if (named && named->kind == TypeKind::Enumeration) desc.vt = VT_I4;
    return desc;
}

HRESULT TypeInfo::GetTypeAttr(TYPEATTR** ppTypeAttr) {
    if (!ppTypeAttr) return E_POINTER;
    auto* attr = new TYPEATTR{};
    attr->guid = m_entry.guid;
    attr->lcid = m_lib.lcid;
    attr->memidConstructor = MEMBERID_NIL;
    attr->memidDestructor = MEMBERID_NIL;
    attr->typekind = TKIND_DISPATCH;
    attr->cFuncs = static_cast<WORD>(m_entry.functions.size());
    // IDispatch's own seven entries make the table of a dispatch interface.
    attr->cbSizeVft = static_cast<WORD>(7 * sizeof(void*));
    attr->cbAlignment = static_cast<WORD>(alignof(void*));
    attr->wTypeFlags = static_cast<WORD>(m_entry.flags);
    attr->wMajorVerNum = m_entry.majorVersion;
    attr->wMinorVerNum = m_entry.minorVersion;
    *ppTypeAttr = attr;
    return S_OK;
}

void TypeInfo::ReleaseTypeAttr(TYPEATTR* pTypeAttr) {
    delete pTypeAttr;
}

HRESULT TypeInfo::GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) {
    if (!ppFuncDesc) return E_POINTER;
    *ppFuncDesc = nullptr;
    if (index >= m_entry.functions.size()) return DISP_E_BADINDEX;
    const FunctionDesc& f = m_entry.functions[index];
    // A put takes the value as its one parameter and returns nothing.
    std::vector<std::string> types;
    for (const host::Parameter& p : f.params) types.push_back(p.type);
    if (isPut(f)) types.push_back(f.type);
    auto* desc = new FUNCDESC{};
    desc->memid = f.dispId;
    desc->funckind = FUNC_DISPATCH;
    desc->invkind = invokeKind(f.kind);
    desc->callconv = CC_STDCALL;
    desc->cParams = static_cast<SHORT>(types.size());
    desc->oVft = 0;
    desc->elemdescFunc.tdesc = typeOf(isPut(f) ? std::string() : f.type);
    if (!types.empty()) {
        desc->lprgelemdescParam = new ELEMDESC[types.size()]{};
        for (std::size_t i = 0; i < types.size(); ++i) {
            desc->lprgelemdescParam[i].tdesc = typeOf(types[i]);
            desc->lprgelemdescParam[i].paramdesc.wParamFlags = PARAMFLAG_FIN;
        }
    }
    *ppFuncDesc = desc;
    return S_OK;
}

void TypeInfo::ReleaseFuncDesc(FUNCDESC* pFuncDesc) {
    if (!pFuncDesc) return;
    delete[] pFuncDesc->lprgelemdescParam;
    delete pFuncDesc;
}

HRESULT TypeInfo::GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames) {
    if (!pcNames || (cMaxNames > 0 && !rgBstrNames)) return E_POINTER;
    *pcNames = 0;
    const FunctionDesc* f = byId(memid);
    if (!f) return TYPE_E_ELEMENTNOTFOUND;
    // The member's name, then its parameters' names.
    std::vector<const std::string*> names{&f->name};
    for (const host::Parameter& p : f->params) names.push_back(&p.name);
    for (const std::string* name : names) {
        if (*pcNames == cMaxNames) break;
        rgBstrNames[(*pcNames)++] = allocBstr(*name);
    }
    return S_OK;
}

HRESULT TypeInfo::GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) {
    if (cNames == 0) return E_INVALIDARG;
    if (!rgszNames || !pMemId) return E_POINTER;
    for (UINT i = 0; i < cNames; ++i) pMemId[i] = MEMBERID_NIL;
    const FunctionDesc* member = nullptr;
    const std::string wanted = narrow(rgszNames[0]);
    for (const FunctionDesc& f : m_entry.functions) {
        if (host::sameName(f.name, wanted)) {
            member = byId(f.dispId);
            break;
        }
    }
    if (!member) return DISP_E_UNKNOWNNAME;
    pMemId[0] = member->dispId;
    // Names after the first are the member's parameters, by position.
    HRESULT hr = S_OK;
    for (UINT i = 1; i < cNames; ++i) {
        const std::string name = narrow(rgszNames[i]);
        hr = DISP_E_UNKNOWNNAME;
        for (std::size_t at = 0; at < member->params.size(); ++at) {
            if (host::sameName(member->params[at].name, name)) {
                pMemId[i] = static_cast<MEMBERID>(at);
                hr = S_OK;
            }
        }
        if (hr != S_OK) return hr;
    }
    return hr;
}

HRESULT TypeInfo::GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                   DWORD* pdwHelpContext, BSTR* pBstrHelpFile) {
    const std::string* name = &m_entry.name;
    const std::string* help = nullptr;
    if (memid != MEMBERID_NIL) {
        const FunctionDesc* f = byId(memid);
        if (!f) return TYPE_E_ELEMENTNOTFOUND;
        name = &f->name;
        help = &f->help;
    }
    if (pBstrName) *pBstrName = allocBstr(*name);
    if (pBstrDocString) *pBstrDocString = help && !help->empty() ? allocBstr(*help) : nullptr;
    if (pdwHelpContext) *pdwHelpContext = 0;
    if (pBstrHelpFile) *pBstrHelpFile = nullptr;
    return S_OK;
}

// What a host does not need to bind.
HRESULT TypeInfo::GetTypeComp(ITypeComp** /*ppTComp*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::GetVarDesc(UINT /*index*/, VARDESC** /*ppVarDesc*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::GetRefTypeOfImplType(UINT /*index*/, HREFTYPE* /*pRefType*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::GetImplTypeFlags(UINT /*index*/, INT* /*pImplTypeFlags*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::Invoke(PVOID /*pvInstance*/, MEMBERID /*memid*/, WORD /*wFlags*/,
                         DISPPARAMS* /*pDispParams*/, VARIANT* /*pVarResult*/,
                         EXCEPINFO* /*pExcepInfo*/, UINT* /*puArgErr*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::GetDllEntry(MEMBERID /*memid*/, INVOKEKIND /*invKind*/, BSTR* /*pBstrDllName*/,
                              BSTR* /*pBstrName*/, WORD* /*pwOrdinal*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::GetRefTypeInfo(HREFTYPE /*hRefType*/, ITypeInfo** /*ppTInfo*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::AddressOfMember(MEMBERID /*memid*/, INVOKEKIND /*invKind*/, PVOID* /*ppv*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::CreateInstance(IUnknown* /*pUnkOuter*/, REFIID /*riid*/, PVOID* /*ppvObj*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::GetMops(MEMBERID /*memid*/, BSTR* /*pBstrMops*/) {
    return E_NOTIMPL;
}
HRESULT TypeInfo::GetContainingTypeLib(ITypeLib** /*ppTLib*/, UINT* /*pIndex*/) {
    return E_NOTIMPL;
}
void TypeInfo::ReleaseVarDesc(VARDESC* /*pVarDesc*/) {}

}  // namespace qv::frame
