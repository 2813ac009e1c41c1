// SPDX-License-Identifier: MIT
// The RECT helpers: SetRect, OffsetRect, IntersectRect and friends. Sums wrap
// like the platform's 32-bit arithmetic instead of overflowing.
#include <algorithm>
#include <cstdint>

#include "platform/win32_gdi.h"

namespace {

LONG wrapAdd(LONG a, int b) {
    return static_cast<LONG>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

bool empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

}  // namespace

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (lprc == nullptr) return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) {
    if (lprc == nullptr) return FALSE;
    *lprc = RECT{0, 0, 0, 0};
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) {
    return lprc == nullptr || empty(*lprc) ? TRUE : FALSE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
    if (lprc == nullptr) return FALSE;
    lprc->left = wrapAdd(lprc->left, dx);
    lprc->right = wrapAdd(lprc->right, dx);
    lprc->top = wrapAdd(lprc->top, dy);
    lprc->bottom = wrapAdd(lprc->bottom, dy);
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
    if (lprc == nullptr) return FALSE;
    lprc->left = wrapAdd(lprc->left, -dx);
    lprc->right = wrapAdd(lprc->right, dx);
    lprc->top = wrapAdd(lprc->top, -dy);
    lprc->bottom = wrapAdd(lprc->bottom, dy);
    return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (lprcDst == nullptr) return FALSE;
    if (a == nullptr || b == nullptr) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (empty(*a) || empty(*b) || empty(r)) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (lprcDst == nullptr || a == nullptr || b == nullptr) return FALSE;
    if (empty(*a) && empty(*b)) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    if (empty(*a)) {
        *lprcDst = *b;
    } else if (empty(*b)) {
        *lprcDst = *a;
    } else {
        *lprcDst = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                        std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
    }
    return TRUE;
}

BOOL PtInRect(const RECT* lprc, POINT pt) {
    if (lprc == nullptr) return FALSE;
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    if (a == nullptr || b == nullptr) return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
    if (lprcDst == nullptr || lprcSrc == nullptr) return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}
