// SPDX-License-Identifier: MIT
// Bounds and clipping: random calls with wild arguments never touch pixels
// outside what a DC may draw on (sentinels around a window's part of a shared
// surface), and BitBlt matches a per-pixel model under clipping, viewport
// origins and partly outside sources.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>

#include "platform/gdi/handles.h"
#include "platform/gdi/rop3.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/window_dc_provider.h"
#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/test_seed.h"

namespace {

using qv::test::Canvas;

int wild(std::mt19937& rng) {
    static const int extremes[] = {INT_MIN, INT_MIN + 1, -1000000, -65536,      -1,     0,
                                   1,       65535,       1000000,  INT_MAX - 1, INT_MAX};
    switch (rng() % 4) {
        case 0:
            return extremes[rng() % (sizeof(extremes) / sizeof(extremes[0]))];
        default:
            return static_cast<int>(rng() % 81) - 30;
    }
}

// Restores the window DC provider on scope exit.
struct ProviderScope {
    qv::gdi::WindowDcProvider previous;
    explicit ProviderScope(qv::gdi::WindowDcProvider p)
        : previous(qv::gdi::setWindowDcProvider(std::move(p))) {}
    ~ProviderScope() { qv::gdi::setWindowDcProvider(std::move(previous)); }
};

TEST(Clipping, RandomCallsStayInsideTheWindowPartOfASharedSurface) {
    qv::test::GdiLeakGuard leaks;
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    auto surface = qv::gdi::Surface::create(qv::gdi::PixelFormat::Rgb32, 40, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) surface->setRaw(x, y, 0x00A5A5A5u + x + y * 40);
    }
    const auto before = surface->clone();
    const RECT visible{10, 8, 30, 22};
    auto window = reinterpret_cast<HWND>(std::uintptr_t{0x4242});
    ProviderScope scope([&](HWND hwnd) -> std::optional<qv::gdi::WindowDcTarget> {
        if (hwnd != window) return std::nullopt;
        return qv::gdi::WindowDcTarget{surface, POINT{10, 8}, visible};
    });
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(std::uintptr_t{0x4343})), nullptr);

    Canvas source = Canvas::color(12, 9, RGB(1, 2, 3));
    Canvas mono = Canvas::mono(9, 7);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(200, 10, 10));
    HPEN pen =
        CreatePen(PS_SOLID, std::array<int, 4>{0, 1, 3, INT_MAX}[rng() % 4], RGB(10, 200, 10));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (int i = 0; i < 3000; ++i) {
        RECT r{wild(rng), wild(rng), wild(rng), wild(rng)};
        const DWORD rop = static_cast<DWORD>(rng() & 0xFF) << 16;
        HDC src = rng() % 2 ? source.dc() : mono.dc();
        switch (rng() % 11) {
            case 0:
                FillRect(dc, &r, brush);
                break;
            case 1:
                FrameRect(dc, &r, brush);
                break;
            case 2:
                BitBlt(dc, wild(rng), wild(rng), wild(rng), wild(rng), src, wild(rng), wild(rng),
                       rop);
                break;
            case 3:
                StretchBlt(dc, wild(rng), wild(rng), wild(rng), wild(rng), src, wild(rng),
                           wild(rng), wild(rng) % 50, wild(rng) % 50, rop);
                break;
            case 4:
                PatBlt(dc, wild(rng), wild(rng), wild(rng), wild(rng), rop);
                break;
            case 5:
                MoveToEx(dc, wild(rng), wild(rng), nullptr);
                LineTo(dc, wild(rng), wild(rng));
                break;
            case 6:
                Rectangle(dc, r.left, r.top, r.right, r.bottom);
                break;
            case 7:
                SetPixel(dc, wild(rng), wild(rng), RGB(9, 9, 9));
                break;
            case 8:
                SetViewportOrgEx(dc, wild(rng) % 40, wild(rng) % 40, nullptr);
                break;
            case 9: {
                const int w = wild(rng), h = wild(rng);
                TransparentBlt(dc, wild(rng), wild(rng), w, h, src, wild(rng), wild(rng), w, h,
                               RGB(1, 2, 3));
                break;
            }
            default: {
                SelectClipRgn(dc, nullptr);
                if (rng() % 2) IntersectClipRect(dc, wild(rng), wild(rng), wild(rng), wild(rng));
                break;
            }
        }
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= visible.left && x < visible.right && y >= visible.top &&
                                    y < visible.bottom;
                if (!inside && surface->raw(x, y) != before->raw(x, y)) {
                    FAIL() << "seed " << seed << " call " << i << " wrote sentinel (" << x << ", "
                           << y << ")";
                }
            }
        }
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    DeleteObject(brush);
    EXPECT_EQ(ReleaseDC(reinterpret_cast<HWND>(std::uintptr_t{0x4343}), dc), 0);
    EXPECT_EQ(ReleaseDC(window, dc), 1);
}

// Reads a colour canvas through GetDIBits (unaffected by clipping).
std::vector<COLORREF> readAll(const Canvas& canvas) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = canvas.width();
    info.bmiHeader.biHeight = -canvas.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> bgra(static_cast<std::size_t>(canvas.width()) * canvas.height());
    EXPECT_EQ(GetDIBits(canvas.dc(), canvas.bitmap(), 0, canvas.height(), bgra.data(), &info,
                        DIB_RGB_COLORS),
              canvas.height());
    std::vector<COLORREF> out;
    for (std::uint32_t v : bgra) out.push_back(qv::gdi::swapRedBlue(v & 0xFFFFFF));
    return out;
}

TEST(Clipping, BitBltMatchesAModelUnderClipAndOrigins) {
    qv::test::GdiLeakGuard leaks;
    const unsigned seed = qv::test::testSeed();
    std::mt19937 rng(seed);
    for (int iteration = 0; iteration < 400; ++iteration) {
        Canvas dst = Canvas::color(20, 12);
        Canvas src = Canvas::color(15, 10);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 20; ++x) SetPixel(dst.dc(), x, y, rng() & 0xFFFFFF);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 15; ++x) SetPixel(src.dc(), x, y, rng() & 0xFFFFFF);
        const std::vector<COLORREF> d0 = readAll(dst);
        const std::vector<COLORREF> s0 = readAll(src);
        const COLORREF brushColor = rng() & 0xFFFFFF;
        qv::gdi::OwnedBrush brush(CreateSolidBrush(brushColor));
        qv::gdi::SelectGuard selectBrush(dst.dc(), brush.get());

        const POINT dvp{static_cast<LONG>(rng() % 9) - 4, static_cast<LONG>(rng() % 9) - 4};
        const POINT svp{static_cast<LONG>(rng() % 9) - 4, static_cast<LONG>(rng() % 9) - 4};
        SetViewportOrgEx(src.dc(), svp.x, svp.y, nullptr);
        // Clip set through logical coordinates of the first viewport origin.
        SetViewportOrgEx(dst.dc(), dvp.x, dvp.y, nullptr);
        RECT clip{static_cast<LONG>(rng() % 24) - 2, static_cast<LONG>(rng() % 16) - 2, 0, 0};
        clip.right = clip.left + static_cast<LONG>(rng() % 20);
        clip.bottom = clip.top + static_cast<LONG>(rng() % 14);
        IntersectClipRect(dst.dc(), clip.left, clip.top, clip.right, clip.bottom);
        const RECT deviceClip{clip.left + dvp.x, clip.top + dvp.y, clip.right + dvp.x,
                              clip.bottom + dvp.y};

        int x = static_cast<int>(rng() % 30) - 8, y = static_cast<int>(rng() % 20) - 6;
        int cx = static_cast<int>(rng() % 41) - 20, cy = static_cast<int>(rng() % 31) - 15;
        int x1 = static_cast<int>(rng() % 25) - 6, y1 = static_cast<int>(rng() % 20) - 6;
        const std::uint8_t index = static_cast<std::uint8_t>(rng());
        ASSERT_TRUE(
            BitBlt(dst.dc(), x, y, cx, cy, src.dc(), x1, y1, static_cast<DWORD>(index) << 16));

        // Negative extents run back from the start point, which they include.
        if (cx < 0) {
            x += cx + 1;
            x1 += cx + 1;
            cx = -cx;
        }
        if (cy < 0) {
            y += cy + 1;
            y1 += cy + 1;
            cy = -cy;
        }
        std::vector<COLORREF> expected = d0;
        for (int j = 0; j < cy; ++j) {
            for (int i = 0; i < cx; ++i) {
                const int dx = x + i + dvp.x, dy = y + j + dvp.y;
                const int sx = x1 + i + svp.x, sy = y1 + j + svp.y;
                if (dx < 0 || dy < 0 || dx >= 20 || dy >= 12) continue;
                if (dx < deviceClip.left || dx >= deviceClip.right || dy < deviceClip.top ||
                    dy >= deviceClip.bottom)
                    continue;
                // A ROP without a source ignores the source DC entirely.
                const bool usesSource = qv::gdi::rop3Table()[index].usesSource;
                if (usesSource && (sx < 0 || sy < 0 || sx >= 15 || sy >= 10)) continue;
                const COLORREF d = d0[static_cast<std::size_t>(dy) * 20 + dx];
                const COLORREF s = usesSource ? s0[static_cast<std::size_t>(sy) * 15 + sx] : 0;
                expected[static_cast<std::size_t>(dy) * 20 + dx] =
                    qv::gdi::rop3Reference(index, d, s, brushColor) & 0xFFFFFF;
            }
        }
        const std::vector<COLORREF> actual = readAll(dst);
        for (std::size_t p = 0; p < actual.size(); ++p) {
            ASSERT_EQ(actual[p], expected[p])
                << "seed " << seed << " iteration " << iteration << " pixel (" << p % 20 << ", "
                << p / 20 << ") rop index " << int(index);
        }
    }
}

TEST(Clipping, ClipBoxReportsTheDrawableArea) {
    Canvas canvas = Canvas::color(10, 8);
    RECT box{};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_TRUE(EqualRect(&box, std::array<RECT, 1>{RECT{0, 0, 10, 8}}.data()));
    SetViewportOrgEx(canvas.dc(), 2, 3, nullptr);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 1, 1, 4, 20), SIMPLEREGION);
    GetClipBox(canvas.dc(), &box);
    const RECT expected{1, 1, 4, 5};  // logical; the surface ends at device 8
    EXPECT_TRUE(EqualRect(&box, &expected));
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 5, 5, 6, 6), NULLREGION);
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 1, 0), CLR_INVALID);
    HRGN region = CreateRectRgn(8, 6, 0, 0);  // normalised
    EXPECT_EQ(SelectClipRgn(canvas.dc(), region), SIMPLEREGION);
    DeleteObject(region);  // the DC keeps its own copy
    EXPECT_NE(SetPixel(canvas.dc(), 1, 1, 0), CLR_INVALID);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), nullptr), SIMPLEREGION);
}

}  // namespace
