// SPDX-License-Identifier: MIT
// The bar as a generic host binds it: through the class factory, by names
// and dispatch identifiers only, with VARIANT arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "module/component_guids.h"
#include "module/dll_exports.h"
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
        ASSERT_EQ(DllGetClassObject(module::guids::CLSID_qvRecordBar, IID_IClassFactory,
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

// Binds the way a host without headers does: walks the interface's type
// information and calls each function it lists by the identifier listed.
TEST_F(GenericHost, BindsByWalkingItsTypeInformation) {
    UINT count = 0;
    ASSERT_EQ(bar->GetTypeInfoCount(&count), S_OK);
    ASSERT_EQ(count, 1u);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(bar->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
    ASSERT_EQ(bar->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, module::guids::IID__qvRecordBar);
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attr->cVars, 0);
    const UINT functions = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    FUNCDESC* desc = nullptr;
    EXPECT_EQ(info->GetFuncDesc(functions, &desc), DISP_E_BADINDEX);

    struct Seen {
        std::wstring name;
        DISPID id;
        INVOKEKIND kind;
        SHORT params;
    };
    std::vector<Seen> seen;
    for (UINT i = 0; i < functions; ++i) {
        ASSERT_EQ(info->GetFuncDesc(i, &desc), S_OK);
        BSTR name = nullptr;
        UINT names = 0;
        ASSERT_EQ(info->GetNames(desc->memid, &name, 1, &names), S_OK);
        seen.push_back({name, desc->memid, desc->invkind, desc->cParams});
        SysFreeString(name);
        info->ReleaseFuncDesc(desc);
        const Seen& f = seen.back();
        EXPECT_EQ(idOf(f.name.c_str()), f.id) << i;
        // One argument too many reaches the member and is refused for its
        // count, so nothing runs.
        std::vector<Var> args(static_cast<std::size_t>(f.params) + 1);
        DISPID named = DISPID_PROPERTYPUT;
        const bool put = f.kind == INVOKE_PROPERTYPUT || f.kind == INVOKE_PROPERTYPUTREF;
        DISPPARAMS params{args.data(), put ? &named : nullptr, static_cast<UINT>(args.size()),
                          put ? 1u : 0u};
        Var result;
        EXPECT_EQ(bar->Invoke(f.id, IID_NULL, 0, static_cast<WORD>(f.kind), &params, &result,
                              nullptr, nullptr),
                  DISP_E_BADPARAMCOUNT)
            << i;
    }
    const Seen expected[] = {{L"About", -552, INVOKE_FUNC, 0},
                             {L"MSDataControl", idOf(L"MSDataControl"), INVOKE_PROPERTYGET, 0},
                             {L"Enabled", idOf(L"enabled"), INVOKE_PROPERTYGET, 0},
                             {L"Enabled", idOf(L"enabled"), INVOKE_PROPERTYPUT, 1},
                             {L"GetDataControls", idOf(L"GetDataControls"), INVOKE_FUNC, 1}};
    for (const Seen& e : expected) {
        const bool listed = std::any_of(seen.begin(), seen.end(), [&](const Seen& s) {
            return s.name == e.name && s.id == e.id && s.kind == e.kind && s.params == e.params;
        });
        EXPECT_TRUE(listed) << std::string(e.name.begin(), e.name.end());
    }

    // Names and parameters, matched without regard to case.
    LPOLESTR call[] = {const_cast<LPOLESTR>(L"getDATAcontrols"), const_cast<LPOLESTR>(L"CTL")};
    MEMBERID ids[2] = {};
    EXPECT_EQ(info->GetIDsOfNames(call, 2, ids), S_OK);
    EXPECT_EQ(ids[0], idOf(L"GetDataControls"));
    EXPECT_EQ(ids[1], 0);
    BSTR names[3] = {};
    UINT named = 0;
    ASSERT_EQ(info->GetNames(ids[0], names, 3, &named), S_OK);
    ASSERT_EQ(named, 2u);
    EXPECT_EQ(std::wstring(names[0]) + L"," + names[1], L"GetDataControls,ctl");
    for (UINT i = 0; i < named; ++i) SysFreeString(names[i]);

    // Help strings where the member has one.
    BSTR help = nullptr;
    ASSERT_EQ(info->GetDocumentation(idOf(L"BorderStyle"), nullptr, &help, nullptr, nullptr), S_OK);
    EXPECT_GT(SysStringLen(help), 0u);
    SysFreeString(help);
    ASSERT_EQ(info->GetDocumentation(idOf(L"MSDataControl"), nullptr, &help, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(help, nullptr);
    BSTR name = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(std::wstring(name), L"_qvRecordBar");
    SysFreeString(name);
    EXPECT_EQ(info->GetDocumentation(424242, &name, nullptr, nullptr, nullptr),
              TYPE_E_ELEMENTNOTFOUND);
    info->Release();
}

TEST_F(GenericHost, TheDualInterfaceIsTheSameObject) {
    IDispatch* dual = nullptr;
    ASSERT_EQ(bar->QueryInterface(module::guids::IID__qvRecordBar, reinterpret_cast<void**>(&dual)),
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
