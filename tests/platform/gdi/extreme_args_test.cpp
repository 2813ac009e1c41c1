// SPDX-License-Identifier: MIT
// Drawing calls with positions and sizes at the ends of the int range: each
// returns (the work is bounded by the visible area, not by the arguments) and
// changes no pixel the call could not reach. Calls far off the surface leave
// it as it was; calls that cover it may paint it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"

namespace {

using qv::test::Canvas;

constexpr COLORREF kPrefill = 0x00C0C0C0;
constexpr int kSide = 20;

struct Images {
    Canvas bitmap = Canvas::color(16, 16, 0x00FFFFFF);
    HICON icon = nullptr;
    HBRUSH brush = CreateSolidBrush(0x00646464);
    Images() {
        PatBlt(bitmap.dc(), 2, 2, 12, 12, BLACKNESS);
        // The icon's bitmaps must not be selected anywhere while it copies them.
        std::vector<std::uint32_t> pixels(16 * 16, 0x000000FF);
        const std::vector<BYTE> maskBits(2 * 16, 0x00);
        HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits.data());
        HBITMAP color = CreateBitmap(16, 16, 1, 32, pixels.data());
        ICONINFO info{TRUE, 0, 0, mask, color};
        icon = CreateIconIndirect(&info);
        DeleteObject(mask);
        DeleteObject(color);
    }
    ~Images() {
        DestroyIcon(icon);
        DeleteObject(brush);
    }
};

bool untouched(const Canvas& c) {
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (GetPixel(c.dc(), x, y) != kPrefill) return false;
        }
    }
    return true;
}

TEST(ExtremeArguments, DrawingFarOffTheSurfaceReturnsAndChangesNothing) {
    QV_EXPECT_NO_GDI_LEAKS({
        Images im;
        ASSERT_NE(im.icon, nullptr);
        const auto bmp = reinterpret_cast<LPARAM>(im.bitmap.bitmap());
        const auto ico = reinterpret_cast<LPARAM>(im.icon);
        struct Case {
            const char* name;
            std::function<void(HDC)> draw;
        };
        std::vector<Case> cases;
        const UINT states[] = {DSS_NORMAL, DSS_UNION, DSS_MONO, DSS_DISABLED};
        for (UINT state : states) {
            for (int far : {INT_MIN, INT_MAX, INT_MAX - 1, -1000000}) {
                for (int size : {0, INT_MAX}) {
                    cases.push_back({"DrawStateA bitmap", [=, &im](HDC dc) {
                                         DrawStateA(dc, im.brush, nullptr, bmp, 0, far, far, size,
                                                    INT_MAX, DST_BITMAP | state);
                                     }});
                    cases.push_back({"DrawStateA icon", [=, &im](HDC dc) {
                                         DrawStateA(dc, im.brush, nullptr, ico, 0, far, far,
                                                    INT_MAX, size, DST_ICON | state);
                                     }});
                }
            }
        }
        // Off the surface: from INT_MIN an extent of INT_MAX ends at -1.
        for (int far : {INT_MIN, INT_MAX}) {
            cases.push_back({"DrawIconEx", [=, &im](HDC dc) {
                                 DrawIconEx(dc, far, far, im.icon, INT_MAX, INT_MAX, 0, nullptr,
                                            DI_NORMAL);
                             }});
            cases.push_back({"DrawIconEx flicker-free", [=, &im](HDC dc) {
                                 DrawIconEx(dc, far, far, im.icon, INT_MAX, INT_MAX, 0, im.brush,
                                            DI_NORMAL);
                             }});
            cases.push_back({"StretchBlt", [=, &im](HDC dc) {
                                 StretchBlt(dc, far, far, INT_MAX, INT_MAX, im.bitmap.dc(), 0, 0,
                                            16, 16, SRCCOPY);
                             }});
            cases.push_back({"PatBlt", [=](HDC dc) { PatBlt(dc, far, far, 10, 10, BLACKNESS); }});
            cases.push_back({"FillRect", [=, &im](HDC dc) {
                                 const RECT r{far, far, far / 2 + 5, far / 2 + 5};
                                 if (far > 0) FillRect(dc, &r, im.brush);
                             }});
        }
        cases.push_back({"StretchBlt mirrored", [&im](HDC dc) {
                             StretchBlt(dc, -1, -1, INT_MIN, INT_MIN, im.bitmap.dc(), 0, 0, 16, 16,
                                        SRCCOPY);
                         }});
        cases.push_back({"PatBlt huge negative", [](HDC dc) {
                             PatBlt(dc, INT_MIN, INT_MIN, INT_MIN, INT_MIN, BLACKNESS);
                         }});
        cases.push_back({"FillRect inverted far", [&im](HDC dc) {
                             const RECT r{INT_MAX, INT_MAX, INT_MAX - 3, INT_MAX - 3};
                             FillRect(dc, &r, im.brush);
                         }});
        for (const Case& c : cases) {
            Canvas target = Canvas::color(kSide, kSide, kPrefill);
            c.draw(target.dc());
            EXPECT_TRUE(untouched(target)) << c.name;
        }
    });
}

// Calls whose extent covers the surface from far away must still return; all
// they may do is paint the surface.
TEST(ExtremeArguments, DrawingThatCoversTheSurfaceFromFarAwayReturns) {
    QV_EXPECT_NO_GDI_LEAKS({
        Images im;
        ASSERT_NE(im.icon, nullptr);
        Canvas target = Canvas::color(kSide, kSide, kPrefill);
        HDC dc = target.dc();
        EXPECT_TRUE(DrawIconEx(dc, -1000, -1000, im.icon, INT_MAX, INT_MAX, 0, nullptr, DI_NORMAL));
        EXPECT_TRUE(
            DrawIconEx(dc, -1000, -1000, im.icon, INT_MAX, INT_MAX, 0, im.brush, DI_NORMAL));
        EXPECT_EQ(GetPixel(dc, 3, 3), 0x00FF0000u);  // the icon's raw 0x0000FF is blue
        EXPECT_TRUE(StretchBlt(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, im.bitmap.dc(), 0, 0, 16, 16,
                               SRCCOPY));
        EXPECT_TRUE(PatBlt(dc, -1000, -1000, INT_MAX, INT_MAX, BLACKNESS));
        EXPECT_EQ(GetPixel(dc, kSide - 1, kSide - 1), 0x00000000u);
        const RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
        EXPECT_TRUE(FillRect(dc, &all, im.brush));
        EXPECT_EQ(GetPixel(dc, 0, 0), 0x00646464u);
        // The image is drawn from a bitmap no DC holds.
        HBITMAP image = CreateCompatibleBitmap(im.bitmap.dc(), 16, 16);
        EXPECT_TRUE(DrawStateA(dc, im.brush, nullptr, reinterpret_cast<LPARAM>(image), 0, -5, -5,
                               INT_MAX, INT_MAX, DST_BITMAP | DSS_DISABLED));
        DeleteObject(image);
    });
}

// The flicker-free buffer covers only the visible part of the icon; what
// shows is the same as the matching part of a fully visible drawing, the
// brush pattern's phase included.
TEST(ExtremeArguments, FlickerFreeIconClippedMatchesTheWholeDrawing) {
    QV_EXPECT_NO_GDI_LEAKS({
        std::vector<std::uint32_t> pixels(16 * 16);
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i * 2654435761u) & 0xFFFFFFu;
        std::vector<BYTE> maskBits(2 * 16);
        for (std::size_t i = 0; i < maskBits.size(); ++i) maskBits[i] = i % 3 == 0 ? 0xF0 : 0x3C;
        HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits.data());
        HBITMAP color = CreateBitmap(16, 16, 1, 32, pixels.data());
        ICONINFO info{TRUE, 0, 0, mask, color};
        HICON icon = CreateIconIndirect(&info);
        ASSERT_NE(icon, nullptr);
        std::vector<std::uint32_t> tile(5 * 3);
        for (std::size_t i = 0; i < tile.size(); ++i) tile[i] = 0x00103070u * (i + 1) & 0xFFFFFFu;
        HBITMAP patternBits = CreateBitmap(5, 3, 1, 32, tile.data());
        HBRUSH brush = CreatePatternBrush(patternBits);

        Canvas whole = Canvas::color(16, 16, kPrefill);
        EXPECT_TRUE(DrawIconEx(whole.dc(), 0, 0, icon, 16, 16, 0, brush, DI_NORMAL));
        struct Offset {
            int x, y;
        };
        for (const Offset at : {Offset{-3, -2}, Offset{7, 9}, Offset{-15, 10}}) {
            Canvas part = Canvas::color(kSide, kSide, kPrefill);
            EXPECT_TRUE(DrawIconEx(part.dc(), at.x, at.y, icon, 16, 16, 0, brush, DI_NORMAL));
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide; ++x) {
                    const int ix = x - at.x;
                    const int iy = y - at.y;
                    const bool inIcon = ix >= 0 && iy >= 0 && ix < 16 && iy < 16;
                    const COLORREF want = inIcon ? GetPixel(whole.dc(), ix, iy) : kPrefill;
                    ASSERT_EQ(GetPixel(part.dc(), x, y), want)
                        << "icon at " << at.x << "," << at.y << " pixel (" << x << ", " << y << ")";
                }
            }
        }
        DeleteObject(brush);
        DeleteObject(patternBits);
        DestroyIcon(icon);
        DeleteObject(mask);
        DeleteObject(color);
    });
}

}  // namespace
