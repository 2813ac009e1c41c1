// SPDX-License-Identifier: MIT
// The demo sheet's parts. Each part builds its own images from code, draws
// them through the platform API and frees everything it made.
#include "demo_sheet.h"

#include <vector>

namespace qv::demo {
namespace {

using gdi::OwnedBitmap;
using gdi::OwnedBrush;
using gdi::OwnedDc;
using gdi::ScreenDc;
using gdi::SelectGuard;

constexpr COLORREF kKey = 0x00FF00FF;  // the transparent colour of the sprite

HBITMAP newColorBitmap(int w, int h) {
    ScreenDc screen;
    return CreateCompatibleBitmap(screen.get(), w, h);
}

void fill(HDC dc, const RECT& r, COLORREF color) {
    OwnedBrush brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.get());
}

// Twice the distance from the centre of a `size` square, squared (integers).
int radius2(int x, int y, int size) {
    const int dx = 2 * x - (size - 1);
    const int dy = 2 * y - (size - 1);
    return dx * dx + dy * dy;
}

// A 32x32 sprite on the key colour: a red disc inside a blue ring.
COLORREF spritePixel(int x, int y) {
    const int r = radius2(x, y, 32);
    if (r < 18 * 18) return 0x000000FF;
    if (r < 24 * 24) return 0x00FFFFFF;
    if (r < 30 * 30) return 0x00C04000;
    return kKey;
}

bool paintPixels(HBITMAP bitmap, int w, int h, COLORREF (*pixel)(int, int)) {
    OwnedDc dc = OwnedDc::compatibleWith(nullptr);
    SelectGuard select(dc.get(), bitmap);
    if (!select.ok()) return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc.get(), x, y, pixel(x, y));
    return true;
}

// A checkerboard pattern brush of two colours in 4x4 squares.
HBRUSH checkerBrush(COLORREF a, COLORREF b) {
    OwnedBitmap pattern(newColorBitmap(8, 8));
    OwnedDc dc = OwnedDc::compatibleWith(nullptr);
    {
        SelectGuard select(dc.get(), pattern.get());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) SetPixel(dc.get(), x, y, ((x / 4 + y / 4) % 2) ? a : b);
    }
    return CreatePatternBrush(pattern.get());
}

// The icon: an opaque green square with a yellow diagonal, a transparent
// corner triangle, and an inverting band along the bottom.
HICON makeIcon() {
    std::vector<BYTE> maskBits(32 * 4, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (x + y < 12 || y >= 28)
                maskBits[static_cast<std::size_t>(y * 4 + x / 8)] |= 0x80 >> (x % 8);
    OwnedBitmap mask(CreateBitmap(32, 32, 1, 1, maskBits.data()));
    OwnedBitmap color(newColorBitmap(32, 32));
    paintPixels(color.get(), 32, 32, [](int x, int y) -> COLORREF {
        if (y >= 28) return 0x00FFFFFF;  // transparent and white: inverts
        if (x + y < 12) return 0x00000000;
        if (x == y || x + 1 == y) return 0x0000FFFF;
        return 0x00008000;
    });
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    return CreateIconIndirect(&info);
}

}  // namespace

DemoSheet::DemoSheet()
    : m_bitmap(newColorBitmap(kWidth, kHeight)),
      m_dc(OwnedDc::compatibleWith(nullptr)),
      m_select(m_dc.get(), m_bitmap.get()) {}

bool DemoSheet::draw() {
    fill(dc(), {0, 0, kWidth, kHeight}, GetSysColor(COLOR_BTNFACE));
    return drawEdges() && drawTransparentBlit(10, 190) && drawIcons(150, 190) &&
           drawStates(10, 290) && drawPatterns(330, 190);
}

// Every edge against every flag combination, then the left/top plus
// right/bottom pairs.
bool DemoSheet::drawEdges() {
    const UINT edges[] = {BDR_RAISEDOUTER, BDR_SUNKENOUTER, BDR_RAISEDINNER, BDR_SUNKENINNER,
                          EDGE_RAISED,     EDGE_SUNKEN,     EDGE_ETCHED,     EDGE_BUMP};
    const UINT flags[] = {BF_RECT, BF_RECT | BF_SOFT, BF_RECT | BF_MIDDLE, BF_RECT | BF_FLAT,
                          BF_RECT | BF_MONO};
    fill(dc(), {6, 6, 6 + 8 * 56, 6 + 6 * 30}, 0x00C8C8C8);
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 8; ++col) {
            RECT r{10 + col * 56, 10 + row * 30, 10 + col * 56 + 48, 10 + row * 30 + 24};
            if (!DrawEdge(dc(), &r, edges[col], flags[row])) return false;
        }
    }
    for (int col = 0; col < 8; ++col) {
        RECT r{10 + col * 56, 160, 10 + col * 56 + 48, 184};
        if (!DrawEdge(dc(), &r, edges[col], BF_TOPLEFT) ||
            !DrawEdge(dc(), &r, edges[(col + 4) % 8], BF_BOTTOMRIGHT)) {
            return false;
        }
    }
    return true;
}

// The classic transparent blit: a mask made from the key colour, the key
// blacked out of the source (DSna), the destination cut with the mask
// (SRCAND) and the source ORed in (SRCPAINT).
bool DemoSheet::drawTransparentBlit(int x, int y) {
    OwnedBrush checker(checkerBrush(0x00E0E0E0, 0x00808080));
    RECT area{x, y, x + 128, y + 88};
    FillRect(dc(), &area, checker.get());

    OwnedBitmap sprite(newColorBitmap(32, 32));
    if (!paintPixels(sprite.get(), 32, 32, spritePixel)) return false;
    OwnedBitmap mask(CreateBitmap(32, 32, 1, 1, nullptr));
    OwnedDc spriteDc = OwnedDc::compatibleWith(dc());
    OwnedDc maskDc = OwnedDc::compatibleWith(dc());
    SelectGuard selectSprite(spriteDc.get(), sprite.get());
    SelectGuard selectMask(maskDc.get(), mask.get());
    SetBkColor(spriteDc.get(), kKey);
    bool ok = BitBlt(maskDc.get(), 0, 0, 32, 32, spriteDc.get(), 0, 0, SRCCOPY);
    SetBkColor(spriteDc.get(), 0x00FFFFFF);
    SetTextColor(spriteDc.get(), 0x00000000);
    ok = ok && BitBlt(spriteDc.get(), 0, 0, 32, 32, maskDc.get(), 0, 0, 0x00220326);
    const COLORREF oldBk = SetBkColor(dc(), 0x00FFFFFF);
    const COLORREF oldText = SetTextColor(dc(), 0x00000000);
    const POINT spots[] = {{x + 8, y + 8}, {x + 48, y + 28}, {x + 88, y + 48}};
    for (const POINT& p : spots) {
        ok = ok && BitBlt(dc(), p.x, p.y, 32, 32, maskDc.get(), 0, 0, SRCAND) &&
             BitBlt(dc(), p.x, p.y, 32, 32, spriteDc.get(), 0, 0, SRCPAINT);
    }
    SetBkColor(dc(), oldBk);
    SetTextColor(dc(), oldText);
    return ok;
}

// The icon drawn plain, shrunk, enlarged, and as its mask and image alone,
// on a striped background that shows the transparency.
bool DemoSheet::drawIcons(int x, int y) {
    for (int i = 0; i < 8; ++i) {
        fill(dc(), {x, y + i * 11, x + 170, y + i * 11 + 11}, i % 2 ? 0x00FFD0A0 : 0x00A0D0FF);
    }
    HICON icon = makeIcon();
    if (icon == nullptr) return false;
    const bool ok = DrawIcon(dc(), x + 4, y + 4, icon) &&
                    DrawIconEx(dc(), x + 40, y + 4, icon, 16, 16, 0, nullptr, DI_NORMAL) &&
                    DrawIconEx(dc(), x + 60, y + 4, icon, 48, 48, 0, nullptr, DI_NORMAL) &&
                    DrawIconEx(dc(), x + 112, y + 4, icon, 0, 0, 0, nullptr, DI_MASK) &&
                    DrawIconEx(dc(), x + 112, y + 44, icon, 0, 0, 0, nullptr, DI_IMAGE);
    DestroyIcon(icon);
    return ok;
}

// A bitmap and an icon in the normal, dithered, mono and disabled looks.
bool DemoSheet::drawStates(int x, int y) {
    OwnedBitmap image(newColorBitmap(32, 32));
    if (!paintPixels(image.get(), 32, 32, [](int px, int py) -> COLORREF {
            const COLORREF c = spritePixel(px, py);
            return c == kKey ? 0x00FFFFFF : c;
        })) {
        return false;
    }
    HICON icon = makeIcon();
    if (icon == nullptr) return false;
    OwnedBrush brush(CreateSolidBrush(0x00646464));
    const UINT states[] = {DSS_NORMAL, DSS_UNION, DSS_MONO, DSS_DISABLED};
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        ok = ok &&
             DrawStateA(dc(), brush.get(), nullptr, reinterpret_cast<LPARAM>(image.get()), 0,
                        x + i * 40, y, 0, 0, DST_BITMAP | states[i]) &&
             DrawStateA(dc(), brush.get(), nullptr, reinterpret_cast<LPARAM>(icon), 0,
                        x + 160 + i * 40, y, 0, 0, DST_ICON | states[i]);
    }
    DestroyIcon(icon);
    return ok;
}

// Pattern fills: a colour checkerboard, a monochrome pattern in the DC's
// text and background colours, both anchored to the DC's origin.
bool DemoSheet::drawPatterns(int x, int y) {
    OwnedBrush checker(checkerBrush(0x000000C0, 0x0000C0C0));
    RECT left{x, y, x + 80, y + 88};
    bool ok = FillRect(dc(), &left, checker.get()) != 0;

    BYTE bits[16];
    for (int row = 0; row < 8; ++row) {
        bits[row * 2] = static_cast<BYTE>(0x81u >> (row % 4) | 0x81u << (row % 4));
        bits[row * 2 + 1] = 0;
    }
    OwnedBitmap monoPattern(CreateBitmap(8, 8, 1, 1, bits));
    OwnedBrush mono(CreatePatternBrush(monoPattern.get()));
    const COLORREF oldText = SetTextColor(dc(), 0x00800000);
    const COLORREF oldBk = SetBkColor(dc(), 0x00F0F0FF);
    RECT right{x + 90, y, x + 180, y + 88};
    ok = ok && FillRect(dc(), &right, mono.get()) != 0;
    SetTextColor(dc(), oldText);
    SetBkColor(dc(), oldBk);
    return ok;
}

}  // namespace qv::demo
