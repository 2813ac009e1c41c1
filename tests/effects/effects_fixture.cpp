// SPDX-License-Identifier: MIT
#include "effects_fixture.h"

#include <utility>

#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"

namespace qv::effects::test {

Grid gridFromRows(const std::vector<std::string>& rows, const Legend& legend) {
    Grid g(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 0);
    for (int y = 0; y < g.h; ++y) {
        for (int x = 0; x < g.w; ++x) g.at(x, y) = legend.at(rows[y][x]);
    }
    return g;
}

Grid sentinelGrid(int w, int h) {
    Grid g(w, h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) g.at(x, y) = RGB(40 + x * 7, 90 + y * 9, 0x33);
    }
    return g;
}

void paste(Grid& dst, const Grid& src, int x0, int y0) {
    for (int y = 0; y < src.h; ++y) {
        for (int x = 0; x < src.w; ++x) {
            const int dx = x0 + x;
            const int dy = y0 + y;
            if (dx >= 0 && dy >= 0 && dx < dst.w && dy < dst.h) dst.at(dx, dy) = src.at(x, y);
        }
    }
}

::testing::AssertionResult gridsEqual(const Grid& actual, const Grid& expected) {
    auto rows = [](const Grid& g) {
        ::qv::test::PixelGrid out(static_cast<std::size_t>(g.h));
        for (int y = 0; y < g.h; ++y)
            out[y].assign(g.px.begin() + y * g.w, g.px.begin() + (y + 1) * g.w);
        return out;
    };
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("effects");
    return ::qv::test::gridsMatch(rows(actual), rows(expected), name);
}

namespace {
HBITMAP colorBitmap(int w, int h) {
    HDC hdcScreen = GetDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, w, h);
    ReleaseDC(nullptr, hdcScreen);
    return hbm;
}

HDC memoryDc() {
    HDC hdcScreen = GetDC(nullptr);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    ReleaseDC(nullptr, hdcScreen);
    return hdc;
}

void setPixels(HDC hdc, const Grid& g) {
    for (int y = 0; y < g.h; ++y) {
        for (int x = 0; x < g.w; ++x) SetPixel(hdc, x, y, g.at(x, y));
    }
}

// 1-bpp rows from '0'/'1' characters (WORD-aligned rows, leftmost pixel in the high bit).
std::vector<BYTE> monoBits(const std::vector<std::string>& rows) {
    const int w = static_cast<int>(rows[0].size());
    const int h = static_cast<int>(rows.size());
    const int stride = (w + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (rows[y][x] == '1') bits[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    return bits;
}

HBITMAP monoBitmap(const std::vector<std::string>& rows) {
    const std::vector<BYTE> bits = monoBits(rows);
    return CreateBitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 1, 1,
                        bits.data());
}
}  // namespace

Canvas canvasOf(const Grid& pixels) {
    Canvas canvas = Canvas::color(pixels.w, pixels.h);
    setPixels(canvas.dc(), pixels);
    return canvas;
}

Canvas monoOf(const std::vector<std::string>& bits) {
    const int w = static_cast<int>(bits[0].size());
    const int h = static_cast<int>(bits.size());
    const std::vector<BYTE> data = monoBits(bits);
    return Canvas::mono(w, h, data.data());
}

Grid readGrid(const Canvas& canvas) {
    Grid g(canvas.width(), canvas.height(), 0);
    for (int y = 0; y < g.h; ++y) {
        for (int x = 0; x < g.w; ++x) g.at(x, y) = GetPixel(canvas.dc(), x, y);
    }
    return g;
}

OwnedBitmap::OwnedBitmap(const Grid& pixels) : m_hbm(colorBitmap(pixels.w, pixels.h)) {
    HDC hdc = memoryDc();
    HGDIOBJ hbmOld = SelectObject(hdc, m_hbm);
    setPixels(hdc, pixels);
    SelectObject(hdc, hbmOld);
    DeleteDC(hdc);
}

OwnedBitmap::~OwnedBitmap() {
    DeleteObject(m_hbm);
}

OwnedIcon::OwnedIcon(const Grid& color, const std::vector<std::string>& maskRows) {
    OwnedBitmap colorBits(color);
    HBITMAP hbmMask = monoBitmap(maskRows);
    ICONINFO info{TRUE, 0, 0, hbmMask, colorBits.handle()};
    m_hIcon = CreateIconIndirect(&info);
    DeleteObject(hbmMask);
}

OwnedIcon::~OwnedIcon() {
    DestroyIcon(m_hIcon);
}

DcState dcState(HDC hdc) {
    return DcState{GetCurrentObject(hdc, OBJ_BITMAP),
                   GetCurrentObject(hdc, OBJ_BRUSH),
                   GetCurrentObject(hdc, OBJ_PEN),
                   GetCurrentObject(hdc, OBJ_PAL),
                   GetBkColor(hdc),
                   GetTextColor(hdc),
                   GetMapMode(hdc)};
}

void runChecked(const std::function<void()>& call, std::initializer_list<HDC> dcs) {
    std::vector<std::pair<HDC, DcState>> before;
    for (HDC hdc : dcs) before.emplace_back(hdc, dcState(hdc));
    {
        const ::qv::test::GdiLeakGuard guard;
        call();
    }
    for (const auto& [hdc, state] : before) {
        EXPECT_TRUE(dcState(hdc) == state) << "a drawing call changed a caller's DC";
    }
}

}  // namespace qv::effects::test
