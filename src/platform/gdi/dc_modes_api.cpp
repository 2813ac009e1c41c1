// SPDX-License-Identifier: MIT
// DC modes that are kept and reported but change no drawing here: the polygon
// fill mode, text alignment, graphics mode and window origin, and the current
// position getter.
#include "platform/gdi/device_context.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {
namespace {

template <class F>
auto withDc(HDC hdc, auto failure, F&& f) {
    DeviceContext* dc = dcFromHandle(hdc);
    return dc != nullptr ? f(*dc) : failure;
}

template <class T>
T exchangeField(T& field, T value) {
    const T old = field;
    field = value;
    return old;
}

}  // namespace
}  // namespace qv::gdi

using namespace qv::gdi;

int SetPolyFillMode(HDC hdc, int mode) {
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return withDc(hdc, 0,
                  [&](DeviceContext& dc) { return exchangeField(dc.state().polyFillMode, mode); });
}

int GetPolyFillMode(HDC hdc) {
    return withDc(hdc, 0, [](DeviceContext& dc) { return dc.state().polyFillMode; });
}

UINT SetTextAlign(HDC hdc, UINT align) {
    // Bits outside the known flags are dropped, as they are when stored.
    return withDc(hdc, UINT{GDI_ERROR}, [&](DeviceContext& dc) {
        return exchangeField(dc.state().textAlign, align & UINT{TA_MASK});
    });
}

UINT GetTextAlign(HDC hdc) {
    return withDc(hdc, UINT{GDI_ERROR}, [](DeviceContext& dc) { return dc.state().textAlign; });
}

int SetGraphicsMode(HDC hdc, int iMode) {
    if (iMode != GM_COMPATIBLE && iMode != GM_ADVANCED) return 0;
    return withDc(hdc, 0,
                  [&](DeviceContext& dc) { return exchangeField(dc.state().graphicsMode, iMode); });
}

int GetGraphicsMode(HDC hdc) {
    return withDc(hdc, 0, [](DeviceContext& dc) { return dc.state().graphicsMode; });
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppt != nullptr) *lppt = dc.state().windowOrg;
        dc.state().windowOrg = POINT{x, y};
        return TRUE;
    });
}

BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppoint == nullptr) return FALSE;
        *lppoint = dc.state().windowOrg;
        return TRUE;
    });
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
    return withDc(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppt == nullptr) return FALSE;
        *lppt = dc.state().currentPos;
        return TRUE;
    });
}
