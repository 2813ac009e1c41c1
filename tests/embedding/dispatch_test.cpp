// The bar as a generic host binds it: through the class factory, by names
// and dispatch identifiers only, with VARIANT arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/component_guids.h"
#include "frame/dll_exports.h"
#include "platform/win32.h"

namespace qv::embedding::test {
namespace {

// A VARIANT that frees what it holds.
struct Var : VARIANT {
    Var() { VariantInit(this); }
    explicit Var(const wchar_t* text) : Var() {
        vt = VT_BSTR;
        bstrVal = SysAllocString(text);
    }
    explicit Var(bool value) : Var() {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    ~Var() { VariantClear(this); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
};

class GenericHost : public ::testing::Test {
  protected:
    void SetUp() override {
        IClassFactory* factory = nullptr;
        ASSERT_EQ(DllGetClassObject(frame::guids::CLSID_qvRecordBar, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory)),
                  S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&bar)),
                  S_OK);
        factory->Release();
    }
    void TearDown() override {
        if (bar) bar->Release();
        EXPECT_EQ(DllCanUnloadNow(), S_OK);
    }

    DISPID idOf(const wchar_t* name) {
        auto* text = const_cast<LPOLESTR>(name);
        DISPID id = 0;
        const HRESULT hr = bar->GetIDsOfNames(IID_NULL, &text, 1, 0, &id);
        return hr == S_OK ? id : DISPID_UNKNOWN;
    }
    HRESULT put(DISPID id, VARIANT& value) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&value, &named, 1, 1};
        return bar->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                           nullptr);
    }
    HRESULT get(DISPID id, VARIANT* result, std::vector<Var>* args = nullptr) {
        DISPPARAMS params{args && !args->empty() ? args->data() : nullptr, nullptr,
                          args ? static_cast<UINT>(args->size()) : 0u, 0};
        return bar->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, result, nullptr,
                           nullptr);
    }

    IDispatch* bar = nullptr;
};

TEST_F(GenericHost, FindsMembersByNameWithoutRegardToCase) {
    UINT count = 7;
    EXPECT_EQ(bar->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    const struct {
        const wchar_t* name;
        bool known;
    } cases[] = {{L"MSDataControl", true}, {L"msdatacontrol", true}, {L"ABOUT", true},
                 {L"Enabled", true},       {L"NoSuchMember", false}, {L"", false}};
    for (const auto& c : cases) {
        auto* text = const_cast<LPOLESTR>(c.name);
        DISPID id = 12345;
        EXPECT_EQ(bar->GetIDsOfNames(IID_NULL, &text, 1, 0, &id),
                  c.known ? S_OK : DISP_E_UNKNOWNNAME);
        if (!c.known) {
            EXPECT_EQ(id, DISPID_UNKNOWN);
        }
    }
    EXPECT_EQ(idOf(L"about"), -552);
    EXPECT_EQ(idOf(L"MSDataControl"), idOf(L"msDATAcontrol"));
}

TEST_F(GenericHost, GetsAndPutsPropertiesByIdentifier) {
    Var name(L"Data7");
    ASSERT_EQ(put(idOf(L"MSDataControl"), name), S_OK);
    Var read;
    ASSERT_EQ(get(idOf(L"MSDataControl"), &read), S_OK);
    ASSERT_EQ(read.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(read.bstrVal), L"Data7");

    Var off(false);
    ASSERT_EQ(put(idOf(L"Enabled"), off), S_OK);
    Var enabled;
    ASSERT_EQ(get(idOf(L"Enabled"), &enabled), S_OK);
    EXPECT_EQ(enabled.vt, VT_BOOL);
    EXPECT_EQ(enabled.boolVal, VARIANT_FALSE);
}

TEST_F(GenericHost, RefusesWhatDoesNotFit) {
    Var word(L"not a truth value");
    EXPECT_EQ(put(idOf(L"Enabled"), word), DISP_E_TYPEMISMATCH);
    Var result;
    EXPECT_EQ(get(424242, &result), DISP_E_MEMBERNOTFOUND);
    std::vector<Var> extra(1);
    EXPECT_EQ(get(idOf(L"Enabled"), &result, &extra), DISP_E_BADPARAMCOUNT);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(bar->Invoke(idOf(L"GetDataControls"), IID_NULL, 0, DISPATCH_METHOD, &none, &result,
                          nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);

    // An argument the member itself refuses comes back as the runtime's error.
    Var notAControl(L"Data1");
    DISPPARAMS params{&notAControl, nullptr, 1, 0};
    EXCEPINFO info{};
    ASSERT_EQ(bar->Invoke(idOf(L"GetDataControls"), IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                          &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, static_cast<SCODE>(0x800A0000u | 424));
    EXPECT_GT(SysStringLen(info.bstrDescription), 0u);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
}

TEST_F(GenericHost, TheDualInterfaceIsTheSameObject) {
    IDispatch* dual = nullptr;
    ASSERT_EQ(bar->QueryInterface(frame::guids::IID__qvRecordBar, reinterpret_cast<void**>(&dual)),
              S_OK);
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    bar->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a));
    dual->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b));
    EXPECT_EQ(a, b);
    a->Release();
    b->Release();
    dual->Release();
}

}  // namespace
}  // namespace qv::embedding::test
