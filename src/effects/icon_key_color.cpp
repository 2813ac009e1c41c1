#include "effects/icon_key_color.h"

#include <algorithm>
#include <array>

namespace qv::effects {

namespace {
constexpr COLORREF kRgbPart = 0x00FFFFFF;
// Tried after the preferred colour: far from usual icon colours and exact on
// any true-colour surface.
constexpr std::array<COLORREF, 6> kCandidates{0xFF00FF, 0x00FF00, 0xFFFF00,
                                              0x00FFFF, 0x808000, 0x008080};

// A Width x Height colour surface filled with background, with the icon drawn
// at (0, 0) exactly as the work bitmap gets it. The caller frees it with freeSurface.
struct Surface {
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ hbmOld;
};

Surface drawIconOver(HDC hdcScreen, HICON hIcon, LONG Width, LONG Height, COLORREF background) {
    Surface s{};
    s.hbm = CreateCompatibleBitmap(hdcScreen, Width, Height);
    s.hdc = CreateCompatibleDC(hdcScreen);
    s.hbmOld = SelectObject(s.hdc, s.hbm);
    const RECT rc{0, 0, Width, Height};
    HBRUSH hBrush = CreateSolidBrush(background);
    FillRect(s.hdc, &rc, hBrush);
    DeleteObject(hBrush);
    DrawIcon(s.hdc, 0, 0, hIcon);
    return s;
}

void freeSurface(const Surface& s) {
    SelectObject(s.hdc, s.hbmOld);
    DeleteObject(s.hbm);
    DeleteDC(s.hdc);
}
}  // namespace

IconKeyColor::IconKeyColor(HICON hIcon, LONG Width, LONG Height) {
    const LONG w = std::min<LONG>(Width, GetSystemMetrics(SM_CXICON));
    const LONG h = std::min<LONG>(Height, GetSystemMetrics(SM_CYICON));
    if (w <= 0 || h <= 0) return;
    // Reserved before any surface exists, so a failed allocation leaves nothing behind.
    m_opaqueColors.reserve(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));

    // An icon pixel is (background AND mask) XOR colour: over black and over
    // white it reads the same exactly where the icon is opaque.
    HDC hdcScreen = GetDC(nullptr);
    const Surface overBlack = drawIconOver(hdcScreen, hIcon, w, h, 0x000000);
    const Surface overWhite = drawIconOver(hdcScreen, hIcon, w, h, 0xFFFFFF);
    for (LONG y = 0; y < h; ++y) {
        for (LONG x = 0; x < w; ++x) {
            const COLORREF c = GetPixel(overBlack.hdc, x, y);
            if (c != CLR_INVALID && c == GetPixel(overWhite.hdc, x, y)) {
                m_opaqueColors.push_back(c & kRgbPart);
            }
        }
    }
    freeSurface(overWhite);
    freeSurface(overBlack);
    ReleaseDC(nullptr, hdcScreen);

    std::sort(m_opaqueColors.begin(), m_opaqueColors.end());
    m_opaqueColors.erase(std::unique(m_opaqueColors.begin(), m_opaqueColors.end()),
                         m_opaqueColors.end());
}

bool IconKeyColor::isTaken(COLORREF c) const {
    return std::binary_search(m_opaqueColors.begin(), m_opaqueColors.end(), c & kRgbPart);
}

COLORREF IconKeyColor::choose(COLORREF preferred) const {
    if (!isTaken(preferred)) return preferred;
    for (COLORREF c : kCandidates) {
        if (!isTaken(c)) return c;
    }
    // Fewer opaque colours than RGB values, so this ends before the last one.
    COLORREF c = 0;
    while (isTaken(c) && c < kRgbPart) ++c;
    return c;
}

}  // namespace qv::effects
