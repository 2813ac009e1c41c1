// SPDX-License-Identifier: MIT
#include "frame/class_factory.h"

#include "frame/dispatch_table.h"
#include "frame/module_counts.h"
#include "frame/type_info.h"
#include "host/error.h"
#include "host/object.h"

namespace qv::frame {

ObjectUnknown::ObjectUnknown(std::shared_ptr<host::Object> object, const IID& defaultIid,
                             const TypeLibrary* types)
    : m_object(std::move(object)), m_defaultIid(defaultIid), m_types(types) {
    ModuleCounts::instance().objectCreated();
}

ObjectUnknown::~ObjectUnknown() {
    ModuleCounts::instance().objectDestroyed();
}

HRESULT ObjectUnknown::QueryInterface(REFIID riid, void** ppv) {
    if (ppv && (riid == IID_IDispatch || riid == m_defaultIid)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return answer(riid, ppv, {IID_IUnknown, IID_IHostObject});
}

const TypeEntry* ObjectUnknown::typeEntry() const {
    return m_types ? interfaceEntry(*m_types, m_defaultIid) : nullptr;
}

HRESULT ObjectUnknown::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = typeEntry() ? 1 : 0;
    return S_OK;
}

HRESULT ObjectUnknown::GetTypeInfo(UINT iTInfo, LCID /*lcid*/, ITypeInfo** ppTInfo) {
    if (!ppTInfo) return E_POINTER;
    *ppTInfo = nullptr;
    const TypeEntry* entry = typeEntry();
    if (iTInfo != 0 || !entry) return DISP_E_BADINDEX;
    *ppTInfo = new TypeInfo(*m_types, *entry);
    return S_OK;
}

HRESULT ObjectUnknown::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID /*lcid*/,
                                     DISPID* rgDispId) {
    if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (cNames == 0) return S_OK;
    if (!rgszNames || !rgDispId) return E_POINTER;
    const DispatchTable table(&m_object->members());
    // The first name is the member; names after it would be its named
    // arguments, which no member of the library takes.
    const host::Member* member = table.byName(narrow(rgszNames[0]));
    rgDispId[0] = member ? *member->info.dispId : DISPID_UNKNOWN;
    for (UINT i = 1; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
    return member && cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT ObjectUnknown::Invoke(DISPID dispIdMember, REFIID riid, LCID /*lcid*/, WORD wFlags,
                              DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                              UINT* puArgErr) {
    if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    // The object stays alive through the call even if the host lets it go.
    const std::shared_ptr<host::Object> keep = m_object;
    const DispatchTable table(&keep->members());
    return invokeMember(*keep, table, dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo,
                        puArgErr);
}

ClassFactory::ClassFactory(const ClassDecl& decl, const TypeLibrary& types)
    : m_decl(decl), m_types(types) {
    // A factory handed out keeps the library loaded, as an object does.
    ModuleCounts::instance().objectCreated();
}

ClassFactory::~ClassFactory() {
    ModuleCounts::instance().objectDestroyed();
}

HRESULT ClassFactory::QueryInterface(REFIID riid, void** ppv) {
    return answer(riid, ppv, {IID_IUnknown, IID_IClassFactory});
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    std::shared_ptr<host::Object> object;
    try {
        object = m_decl.create();
    } catch (const host::Error&) {
        return E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (!object) return E_FAIL;
    auto* unknown = new ObjectUnknown(std::move(object), m_decl.iid, &m_types);
    const HRESULT hr = unknown->QueryInterface(riid, ppv);
    unknown->Release();
    return hr;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    if (lock)
        ModuleCounts::instance().lock();
    else
        ModuleCounts::instance().unlock();
    return S_OK;
}

HRESULT getClassObject(const ComponentProject& project, const TypeLibrary& types, REFCLSID clsid,
                       REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    const ClassDecl* decl = project.findPublic(clsid);
    if (!decl || !decl->create) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory(*decl, types);
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

ModuleCounts& ModuleCounts::instance() {
    static ModuleCounts counts;
    return counts;
}

}  // namespace qv::frame
