// SPDX-License-Identifier: MIT
// Length-prefixed strings and VARIANT clearing: the block before a BSTR's
// first character holds its length in bytes, as the platform lays it out.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/win32_automation.h"

namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
    const std::size_t bytes = static_cast<std::size_t>(ui) * sizeof(OLECHAR);
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
    if (block == nullptr) {
        return nullptr;
    }
    const auto length = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &length, kPrefix);
    auto* text = reinterpret_cast<OLECHAR*>(block + kPrefix);
    if (strIn != nullptr) {
        std::memcpy(text, strIn, bytes);
    } else {
        std::memset(text, 0, bytes);
    }
    text[ui] = 0;
    return text;
}

BSTR SysAllocString(const OLECHAR* psz) {
    if (psz == nullptr) {
        return nullptr;
    }
    return SysAllocStringLen(psz, static_cast<UINT>(std::wcslen(psz)));
}

void SysFreeString(BSTR bstrString) {
    if (bstrString != nullptr) {
        std::free(reinterpret_cast<unsigned char*>(bstrString) - kPrefix);
    }
}

UINT SysStringLen(BSTR pbstr) {
    if (pbstr == nullptr) {
        return 0;
    }
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(pbstr) - kPrefix, kPrefix);
    return static_cast<UINT>(bytes / sizeof(OLECHAR));
}

void VariantInit(VARIANTARG* pvarg) {
    std::memset(pvarg, 0, sizeof(VARIANTARG));
    pvarg->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANTARG* pvarg) {
    if (pvarg == nullptr) {
        return E_INVALIDARG;
    }
    switch (pvarg->vt) {
        case VT_BSTR:
            SysFreeString(pvarg->bstrVal);
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (pvarg->punkVal != nullptr) {
                pvarg->punkVal->Release();
            }
            break;
        default:
            break;
    }
    VariantInit(pvarg);
    return S_OK;
}
