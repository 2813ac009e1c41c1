// SPDX-License-Identifier: MIT
// The record of one window: its class, procedure, place in the window tree,
// geometry, styles, window longs, text and pending update area.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/win32_user.h"

namespace qv::user {

// A registered window class. Shared by the windows made from it, so that
// unregistering a class with windows fails instead of leaving them dangling.
struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int cbWndExtra = 0;
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    bool builtIn = false;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    // Procedures installed through GWLP_WNDPROC, oldest first (the class
    // procedure at the front, proc at the back), and the ones taken out of
    // the middle with the procedure that now stands in for each.
    std::vector<WNDPROC> procChain;
    std::vector<std::pair<WNDPROC, WNDPROC>> retired;
    Window* parent = nullptr;       // null for top-level windows
    Window* owner = nullptr;        // top-level popups may have an owner
    std::vector<Window*> children;  // z-order: back() is on top
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // in the parent's client coordinates (screen for top-level)
    std::string text;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    std::vector<BYTE> extra;
    RECT update{};  // pending update area, client coordinates; empty if none
    bool eraseOnPaint = false;
    bool painting = false;
    // Top-level windows own the surface that they and their children draw on.
    std::shared_ptr<gdi::Surface> surface;
    bool destroying = false;

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    bool visibleFlag() const { return (style & WS_VISIBLE) != 0; }
    bool enabledFlag() const { return (style & WS_DISABLED) == 0; }
};

}  // namespace qv::user
