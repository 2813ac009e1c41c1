#include "frame/class_factory.h"

#include "frame/module_counts.h"
#include "host/error.h"

namespace qv::frame {

ObjectUnknown::ObjectUnknown(std::shared_ptr<host::Object> object, const IID& defaultIid)
    : m_object(std::move(object)), m_defaultIid(defaultIid) {
    ModuleCounts::instance().objectCreated();
}

ObjectUnknown::~ObjectUnknown() {
    ModuleCounts::instance().objectDestroyed();
}

HRESULT ObjectUnknown::QueryInterface(REFIID riid, void** ppv) {
    // The wrapper has no dispatch table: a host asking for IDispatch or the
    // class's dual interface must hear no rather than get this object.
    return answer(riid, ppv, {IID_IUnknown, IID_IHostObject});
}

ClassFactory::ClassFactory(const ClassDecl& decl) : m_decl(decl) {
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
    auto* unknown = new ObjectUnknown(std::move(object), m_decl.iid);
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

HRESULT getClassObject(const ComponentProject& project, REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    const ClassDecl* decl = project.findPublic(clsid);
    if (!decl || !decl->create) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory(*decl);
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

ModuleCounts& ModuleCounts::instance() {
    static ModuleCounts counts;
    return counts;
}

}  // namespace qv::frame
