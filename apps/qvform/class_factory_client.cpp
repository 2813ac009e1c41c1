// SPDX-License-Identifier: MIT
#include "class_factory_client.h"

#include "frame/class_factory.h"

namespace qv::qvform {

MadeObject createThroughFactory(GetClassObjectFunction getClassObject, REFCLSID clsid) {
    IClassFactory* factory = nullptr;
    if (HRESULT hr = getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
        FAILED(hr) || !factory) {
        return {nullptr, FAILED(hr) ? hr : E_POINTER};
    }
    frame::IHostObject* made = nullptr;
    const HRESULT hr =
        factory->CreateInstance(nullptr, frame::IID_IHostObject, reinterpret_cast<void**>(&made));
    factory->Release();
    if (FAILED(hr) || !made) return {nullptr, FAILED(hr) ? hr : E_POINTER};
    host::Object* object = made->object();
    // The runtime's pointer shares ownership of the library's reference.
    std::shared_ptr<frame::IHostObject> reference(made,
                                                  [](frame::IHostObject* p) { p->Release(); });
    return {std::shared_ptr<host::Object>(reference, object), S_OK};
}

}  // namespace qv::qvform
