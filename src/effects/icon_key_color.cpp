// SPDX-License-Identifier: MIT
#include "effects/icon_key_color.h"

#include <algorithm>
#include <array>

#include "platform/gdi/dib_header.h"

namespace qv::effects {

namespace {
constexpr COLORREF kRgbPart = 0x00FFFFFF;
// Tried after the preferred colour: far from usual icon colours and exact on
// any true-colour surface.
constexpr std::array<COLORREF, 6> kCandidates{0xFF00FF, 0x00FF00, 0xFFFF00,
                                              0x00FFFF, 0x808000, 0x008080};

// Draws the icon at (0, 0) over a Width x Height block of background, exactly as
// the work bitmap gets it, and reads the block into pixels as top-down 32-bpp
// rows (0x00RRGGBB). pixels must hold Width * Height values.
void drawIconOver(HDC hdcScreen, HICON hIcon, LONG Width, LONG Height, COLORREF background,
                  DWORD* pixels) {
    HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, Width, Height);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HGDIOBJ hbmOld = SelectObject(hdc, hbm);
    const RECT rc{0, 0, Width, Height};
    HBRUSH hBrush = CreateSolidBrush(background);
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
    DrawIcon(hdc, 0, 0, hIcon);
    // The bitmap is read once it is out of the DC.
    SelectObject(hdc, hbmOld);
    DeleteDC(hdc);
    BITMAPINFO info{gdi::topDownDibHeader(Width, Height, 32), {}};
    GetDIBits(hdcScreen, hbm, 0, static_cast<UINT>(Height), pixels, &info, DIB_RGB_COLORS);
    DeleteObject(hbm);
}

COLORREF colorOfDibPixel(DWORD pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// The list readIconOpaqueColors gives: the icon's width and height, a set of
// flags (kInverts when some pixel inverts what lies behind it, kSeeThrough
// when some pixel leaves it as it is), then one entry per pixel in rows from
// the top (its RGB value, or kNotOpaque), then the distinct opaque RGB values
// in ascending order.
constexpr COLORREF kNotOpaque = 0xFF000000;
constexpr std::size_t kFlagsAt = 2;
constexpr COLORREF kInverts = 1;
constexpr COLORREF kSeeThrough = 2;
constexpr std::size_t kPixelsStart = 3;

bool takenInSorted(const std::vector<COLORREF>& list, std::size_t sortedStart, COLORREF c) {
    return std::binary_search(list.begin() + static_cast<std::ptrdiff_t>(sortedStart), list.end(),
                              c & kRgbPart);
}
}  // namespace

std::vector<COLORREF> readIconOpaqueColors(HICON hIcon) {
    const LONG w = GetSystemMetrics(SM_CXICON);
    const LONG h = GetSystemMetrics(SM_CYICON);
    std::vector<COLORREF> list{static_cast<COLORREF>(std::max<LONG>(w, 0)),
                               static_cast<COLORREF>(std::max<LONG>(h, 0)), 0};
    if (w <= 0 || h <= 0) return list;
    // Allocated before any surface exists, so a failed allocation leaves nothing behind.
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    std::vector<DWORD> overBlack(count, 0);
    std::vector<DWORD> overWhite(count, 0);
    list.reserve(kPixelsStart + 2 * count);

    // An icon pixel is (background AND mask) XOR colour: over black and over
    // white it reads the same exactly where the icon is opaque.
    HDC hdcScreen = GetDC(nullptr);
    drawIconOver(hdcScreen, hIcon, w, h, 0x000000, overBlack.data());
    drawIconOver(hdcScreen, hIcon, w, h, 0xFFFFFF, overWhite.data());
    ReleaseDC(nullptr, hdcScreen);
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD pixel = overBlack[i] & 0x00FFFFFF;
        const bool opaque = pixel == (overWhite[i] & 0x00FFFFFF);
        // A see-through pixel that is not black over black inverts the
        // background; one that is leaves it.
        if (!opaque) list[kFlagsAt] |= pixel != 0 ? kInverts : kSeeThrough;
        list.push_back(opaque ? colorOfDibPixel(pixel) : kNotOpaque);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (list[kPixelsStart + i] != kNotOpaque) list.push_back(list[kPixelsStart + i]);
    }
    const auto sortedBegin = list.begin() + static_cast<std::ptrdiff_t>(kPixelsStart + count);
    std::sort(sortedBegin, list.end());
    list.erase(std::unique(sortedBegin, list.end()), list.end());
    return list;
}

bool iconInvertsPixels(const std::vector<COLORREF>& opaqueColors) {
    return opaqueColors.size() <= kFlagsAt || (opaqueColors[kFlagsAt] & kInverts) != 0;
}

bool iconLeavesPixels(const std::vector<COLORREF>& opaqueColors) {
    return opaqueColors.size() <= kFlagsAt || (opaqueColors[kFlagsAt] & kSeeThrough) != 0;
}

COLORREF chooseIconKeyColor(const std::vector<COLORREF>& opaqueColors, COLORREF preferred,
                            LONG Width, LONG Height) {
    if (opaqueColors.size() < kPixelsStart) return preferred;
    const auto cx = static_cast<LONG>(opaqueColors[0]);
    const auto cy = static_cast<LONG>(opaqueColors[1]);
    const LONG w = std::min(Width, cx);
    const LONG h = std::min(Height, cy);
    if (w <= 0 || h <= 0) return preferred;
    const std::size_t sortedStart =
        kPixelsStart + static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy);
    // A block that covers the icon asks the sorted list; a cut-out scans its
    // own pixels, since colours outside it are free to use.
    const bool whole = w == cx && h == cy;
    const auto isTaken = [&](COLORREF c) {
        if (whole) return takenInSorted(opaqueColors, sortedStart, c);
        for (LONG y = 0; y < h; ++y) {
            const auto row =
                opaqueColors.begin() +
                static_cast<std::ptrdiff_t>(kPixelsStart + static_cast<std::size_t>(y) *
                                                               static_cast<std::size_t>(cx));
            if (std::find(row, row + w, c & kRgbPart) != row + w) return true;
        }
        return false;
    };
    if (!isTaken(preferred)) return preferred;
    for (COLORREF c : kCandidates) {
        if (!isTaken(c)) return c;
    }
    // Fewer opaque pixels than RGB values, so this ends before the last one.
    COLORREF c = 0;
    while (isTaken(c) && c < kRgbPart) ++c;
    return c;
}

}  // namespace qv::effects
