// The class factory of one public class, and the object wrapper it hands
// out: an IUnknown over a runtime object, counted while it lives, through
// which a host reaches the object itself (IHostObject).
#pragma once

#include <atomic>
#include <memory>

#include "frame/component_project.h"
#include "platform/win32.h"

namespace qv::frame {

// The runtime's own interface: gives a host that shares the runtime the
// object behind an IUnknown the library handed out.
struct IHostObject : IUnknown {
    virtual host::Object* STDMETHODCALLTYPE object() = 0;

  protected:
    ~IHostObject() = default;
};
inline constexpr IID IID_IHostObject{
    0x3F1E6A52, 0x0D47, 0x4B8E, {0x9C, 0x21, 0x5A, 0x77, 0xE0, 0x4B, 0x19, 0x6D}};

class ObjectUnknown final : public IHostObject {
  public:
    ObjectUnknown(std::shared_ptr<host::Object> object, const IID& defaultIid);
    ObjectUnknown(const ObjectUnknown&) = delete;
    ObjectUnknown& operator=(const ObjectUnknown&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    host::Object* STDMETHODCALLTYPE object() override { return m_object.get(); }

  private:
    ~ObjectUnknown();
    std::atomic<ULONG> m_refs{1};
    std::shared_ptr<host::Object> m_object;
    IID m_defaultIid;
};

class ClassFactory final : public IClassFactory {
  public:
    explicit ClassFactory(const ClassDecl& decl);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // Makes a new object; aggregation is not supported.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ~ClassFactory();
    std::atomic<ULONG> m_refs{1};
    const ClassDecl& m_decl;
};

// Hands out the factory of the public class `clsid` of `project` through
// `*ppv` (AddRef'd). Other classes, private ones included, are refused with
// CLASS_E_CLASSNOTAVAILABLE.
HRESULT getClassObject(const ComponentProject& project, REFCLSID clsid, REFIID riid, void** ppv);

}  // namespace qv::frame
