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

// Makes a Width x Height colour surface and draws the icon into it with flags.
// The caller frees the pair with freeSurface.
struct Surface {
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ hbmOld;
};

Surface drawIconPart(HDC hdcScreen, HICON hIcon, LONG Width, LONG Height, UINT flags) {
    Surface s{};
    s.hbm = CreateCompatibleBitmap(hdcScreen, Width, Height);
    s.hdc = CreateCompatibleDC(hdcScreen);
    s.hbmOld = SelectObject(s.hdc, s.hbm);
    // White behind the mask reads as "transparent" outside the icon.
    const RECT rc{0, 0, Width, Height};
    HBRUSH hBrush = CreateSolidBrush(0xFFFFFF);
    FillRect(s.hdc, &rc, hBrush);
    DeleteObject(hBrush);
    DrawIconEx(s.hdc, 0, 0, hIcon, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0,
               nullptr, flags);
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

    HDC hdcScreen = GetDC(nullptr);
    const Surface mask = drawIconPart(hdcScreen, hIcon, w, h, DI_MASK);
    const Surface image = drawIconPart(hdcScreen, hIcon, w, h, DI_IMAGE);
    for (LONG y = 0; y < h; ++y) {
        for (LONG x = 0; x < w; ++x) {
            // The mask reads black where the icon is opaque.
            if ((GetPixel(mask.hdc, x, y) & kRgbPart) != 0) continue;
            const COLORREF c = GetPixel(image.hdc, x, y);
            if (c != CLR_INVALID) m_opaqueColors.push_back(c & kRgbPart);
        }
    }
    freeSurface(image);
    freeSurface(mask);
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
