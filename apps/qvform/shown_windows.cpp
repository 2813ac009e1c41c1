// SPDX-License-Identifier: MIT
#include "shown_windows.h"

#include <algorithm>
#include <memory>

#include "host/form_icon.h"
#include "platform/gdi/dib_header.h"
#include "platform/user/screen.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::qvform {

namespace {

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

std::string captionOf(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A 32-bit DIB's header, top row first.
BITMAPINFO topDown32(int width, int height) {
    return BITMAPINFO{qv::gdi::topDownDibHeader(width, height, 32), {}};
}

}  // namespace

RECT clientAreaOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

std::vector<ShownWindow> shownWindows() {
    std::vector<ShownWindow> shown;
    for (const user::Window* top : user::threadState().windows.topLevels()) {
        if (!top->visibleFlag()) continue;
        ShownWindow w{top->handle, captionOf(top->handle), clientAreaOf(top->handle),
                      (top->style & WS_CAPTION) == WS_CAPTION, top->enabledFlag()};
        if (w.client.right <= w.client.left || w.client.bottom <= w.client.top) continue;
        shown.push_back(std::move(w));
    }
    return shown;
}

std::vector<std::uint32_t> clientPixels(const ShownWindow& window) {
    RECT whole{};
    GetWindowRect(window.hwnd, &whole);
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> shot(
        user::captureWindow(window.hwnd));
    std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> dc(CreateCompatibleDC(nullptr));
    if (!shot || !dc) return {};
    const int width = whole.right - whole.left;
    const int height = whole.bottom - whole.top;
    BITMAPINFO info = topDown32(width, height);
    std::vector<std::uint32_t> all(static_cast<std::size_t>(width) *
                                   static_cast<std::size_t>(height));
    if (GetDIBits(dc.get(), shot.get(), 0, static_cast<UINT>(height), all.data(), &info,
                  DIB_RGB_COLORS) != height) {
        return {};
    }
    const RECT& c = window.client;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(c.right - c.left) *
                   static_cast<std::size_t>(c.bottom - c.top));
    for (int y = c.top - whole.top; y < c.bottom - whole.top; ++y) {
        const auto row = all.begin() + static_cast<std::ptrdiff_t>(y) * width;
        pixels.insert(pixels.end(), row + (c.left - whole.left), row + (c.right - whole.left));
    }
    return pixels;
}

std::vector<std::uint32_t> iconPixels(HWND hwnd) {
    // Drawn over a colour no icon uses, which then marks the transparent part.
    constexpr std::uint32_t kKey = 0x00FF00FF;
    constexpr int n = kWindowIconSize;
    const BITMAPINFO info = topDown32(n, n);
    void* bits = nullptr;
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !bits || !dc) return {};
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + n * n, kKey);
    const HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
    const bool drawn = qv::host::drawFormIcon(hwnd, dc.get(), POINT{0, 0});
    GdiFlush();
    SelectObject(dc.get(), old);
    if (!drawn) return {};
    std::vector<std::uint32_t> argb(pixels, pixels + n * n);
    for (std::uint32_t& p : argb) p = (p & 0x00FFFFFF) == kKey ? 0 : (p | 0xFF000000);
    return argb;
}

bool reachesWindow(const ShownWindow& window, int x, int y, POINT* screen) {
    const POINT pt{window.client.left + x, window.client.top + y};
    *screen = pt;
    if (GetCapture()) return true;  // the capture window gets every move and click
    auto& windows = user::threadState().windows;
    user::Window* hit = windows.hitTest(pt);
    return hit && windows.topLevelOf(hit)->handle == window.hwnd;
}

}  // namespace qv::qvform
