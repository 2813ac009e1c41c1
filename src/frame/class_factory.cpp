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
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IHostObject ||
        riid == m_defaultIid) {
        *ppv = static_cast<IHostObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG ObjectUnknown::AddRef() {
    return ++m_refs;
}

ULONG ObjectUnknown::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

ClassFactory::ClassFactory(const ClassDecl& decl) : m_decl(decl) {
    // A factory handed out keeps the library loaded, as an object does.
    ModuleCounts::instance().objectCreated();
}

ClassFactory::~ClassFactory() {
    ModuleCounts::instance().objectDestroyed();
}

HRESULT ClassFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() {
    return ++m_refs;
}

ULONG ClassFactory::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
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
