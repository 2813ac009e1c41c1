// SPDX-License-Identifier: MIT
// The entry points' class factories: which identifiers give a factory, what
// the factories make, and the counts that decide DllCanUnloadNow.
#include <gtest/gtest.h>

#include "frame/class_factory.h"
#include "frame/module_counts.h"
#include "host/member_registry.h"
#include "host/object.h"
#include "module/component_guids.h"
#include "module/dll_exports.h"

namespace qv::module::test {
namespace {

using namespace qv::frame;

struct ClassCase {
    const char* label;
    GUID clsid;
    HRESULT expected;
    const char* className;  // of the object made, when a factory is given
};

const ClassCase kClasses[] = {
    {"qvRecordBar", guids::CLSID_qvRecordBar, S_OK, "qvRecordBar"},
    {"ppData", guids::CLSID_ppData, S_OK, "ppData"},
    {"the private picture button", guids::CLSID_qvSoftButton, CLASS_E_CLASSNOTAVAILABLE, ""},
    {"an interface of the bar", guids::IID__qvRecordBar, CLASS_E_CLASSNOTAVAILABLE, ""},
    {"the event interface", guids::DIID___qvRecordBar, CLASS_E_CLASSNOTAVAILABLE, ""},
    {"the library", guids::LIBID_qvRecordBarLib, CLASS_E_CLASSNOTAVAILABLE, ""},
    {"the enumeration", guids::GUID_AxBorderStyles, CLASS_E_CLASSNOTAVAILABLE, ""},
    {"a system interface", IID_IUnknown, CLASS_E_CLASSNOTAVAILABLE, ""},
};

TEST(ClassFactory, OnlyThePublicClassesCanBeCreated) {
    for (const ClassCase& c : kClasses) {
        SCOPED_TRACE(c.label);
        IClassFactory* factory = reinterpret_cast<IClassFactory*>(0x1);
        ASSERT_EQ(DllGetClassObject(c.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
                  c.expected);
        if (FAILED(c.expected)) {
            EXPECT_EQ(factory, nullptr);
            continue;
        }
        IUnknown* unknown = nullptr;
        ASSERT_EQ(
            factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unknown)),
            S_OK);
        IHostObject* object = nullptr;
        ASSERT_EQ(unknown->QueryInterface(IID_IHostObject, reinterpret_cast<void**>(&object)),
                  S_OK);
        EXPECT_EQ(object->object()->className(), c.className);
        EXPECT_EQ(object->Release(), 1u);
        EXPECT_EQ(unknown->Release(), 0u);
        EXPECT_EQ(factory->Release(), 0u);
    }
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(ClassFactory, RefusesAggregationAndUnknownInterfaces) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(DllGetClassObject(guids::CLSID_qvRecordBar, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory)),
              S_OK);
    void* out = reinterpret_cast<void*>(0x1);
    auto* outer = reinterpret_cast<IUnknown*>(factory);
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->CreateInstance(nullptr, guids::IID__ppData, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(factory->QueryInterface(IID_IDispatch, &out), E_NOINTERFACE);
    factory->Release();
    EXPECT_EQ(DllGetClassObject(guids::CLSID_ppData, IID_IDispatch, &out), E_NOINTERFACE);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

// One walk through a host's use of the library: factories, objects and
// locks go up and down, and the library may be unloaded only when all are
// gone.
TEST(ClassFactory, CanUnloadOnlyWhenNothingIsAliveOrLocked) {
    ModuleCounts& counts = ModuleCounts::instance();
    IClassFactory* factory = nullptr;
    IUnknown* bar = nullptr;
    IUnknown* page = nullptr;
    IClassFactory* pageFactory = nullptr;
    struct Step {
        const char* what;
        std::function<void()> act;
        long objects;
        long locks;
        HRESULT canUnload;
    };
    const Step steps[] = {
        {"nothing yet", [] {}, 0, 0, S_OK},
        {"a factory handed out",
         [&] {
             DllGetClassObject(guids::CLSID_qvRecordBar, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory));
         },
         1, 0, S_FALSE},
        {"locked", [&] { factory->LockServer(TRUE); }, 1, 1, S_FALSE},
        {"a bar made",
         [&] { factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&bar)); }, 2,
         1, S_FALSE},
        {"factory released, still locked", [&] { factory->Release(); }, 1, 1, S_FALSE},
        {"a page made through a second factory",
         [&] {
             DllGetClassObject(guids::CLSID_ppData, IID_IClassFactory,
                               reinterpret_cast<void**>(&pageFactory));
             pageFactory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&page));
         },
         3, 1, S_FALSE},
        {"unlocked", [&] { pageFactory->LockServer(FALSE); }, 3, 0, S_FALSE},
        {"a second reference to the bar", [&] { bar->AddRef(); }, 3, 0, S_FALSE},
        {"one reference dropped", [&] { bar->Release(); }, 3, 0, S_FALSE},
        {"bar gone", [&] { bar->Release(); }, 2, 0, S_FALSE},
        {"second factory gone", [&] { pageFactory->Release(); }, 1, 0, S_FALSE},
        {"page gone", [&] { page->Release(); }, 0, 0, S_OK},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(counts.objects(), s.objects);
        EXPECT_EQ(counts.locks(), s.locks);
        EXPECT_EQ(DllCanUnloadNow(), s.canUnload);
    }
}

}  // namespace
}  // namespace qv::module::test
