// SPDX-License-Identifier: MIT
// The class factory of one public class, and the object wrapper it hands
// out: an IUnknown over a runtime object, counted while it lives, through
// which a host reaches the object itself (IHostObject).
#pragma once

#include <atomic>
#include <initializer_list>
#include <memory>

#include "frame/component_project.h"
#include "frame/type_library.h"
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

// The reference count and interface answer shared by the library's
// implementations of `Interface`; the object deletes itself at count 0.
template <class Interface>
class RefCounted : public Interface {
  public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

  protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;
    // Hands out this object, AddRef'd, when `riid` is one of `iids`.
    HRESULT answer(REFIID riid, void** ppv, std::initializer_list<IID> iids) {
        if (!ppv) return E_POINTER;
        for (const IID& iid : iids) {
            if (riid == iid) {
                *ppv = static_cast<Interface*>(this);
                AddRef();
                return S_OK;
            }
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }

  private:
    std::atomic<ULONG> m_refs{1};
};

// The object a host gets: IUnknown, the runtime's IHostObject, and IDispatch
// (also under the class's dual-interface identifier) over the members the
// type library lists for the object's class, with that interface's type
// information (objects handed out by members, whose class the wrapper does
// not know, have none).
class ObjectUnknown final : public RefCounted<IHostObject>, public IDispatch {
  public:
    // `types` describes the object's default interface; null when the
    // wrapper does not know the object's class.
    ObjectUnknown(std::shared_ptr<host::Object> object, const IID& defaultIid,
                  const TypeLibrary* types = nullptr);
    ObjectUnknown(const ObjectUnknown&) = delete;
    ObjectUnknown& operator=(const ObjectUnknown&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return RefCounted::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return RefCounted::Release(); }
    host::Object* STDMETHODCALLTYPE object() override { return m_object.get(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames,
                                            LCID lcid, DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                     EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

  private:
    ~ObjectUnknown() override;
    const TypeEntry* typeEntry() const;

    std::shared_ptr<host::Object> m_object;
    IID m_defaultIid;
    const TypeLibrary* m_types;
};

class ClassFactory final : public RefCounted<IClassFactory> {
  public:
    ClassFactory(const ClassDecl& decl, const TypeLibrary& types);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    // Makes a new object; aggregation is not supported.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    ~ClassFactory() override;
    const ClassDecl& m_decl;
    const TypeLibrary& m_types;
};

// Hands out the factory of the public class `clsid` of `project` through
// `*ppv` (AddRef'd); its objects describe themselves from `types`, the
// project's type library. Other classes, private ones included, are refused
// with CLASS_E_CLASSNOTAVAILABLE.
HRESULT getClassObject(const ComponentProject& project, const TypeLibrary& types, REFCLSID clsid,
                       REFIID riid, void** ppv);

}  // namespace qv::frame
