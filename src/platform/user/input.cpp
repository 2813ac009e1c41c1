// SPDX-License-Identifier: MIT
// Mouse and keyboard input, routing to the capture or hit window, focus and
// capture.
#include "platform/user/input.h"

#include <cstdlib>
#include <iterator>

#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"
#include "platform/utf8.h"

using qv::user::fail;
using qv::user::threadState;
using qv::user::Window;
using qv::user::windowOrFail;

namespace {

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;
constexpr UINT kDoubleClickTime = 500;

struct ButtonInfo {
    UINT vk;
    UINT down;
    UINT up;
    UINT dblclk;
};

ButtonInfo infoOf(qv::user::MouseButton b) {
    switch (b) {
        case qv::user::MouseButton::Right:
            return {VK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
        case qv::user::MouseButton::Middle:
            return {VK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
        default:
            return {VK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    }
}

bool isDown(int vk) {
    return (threadState().keys[static_cast<std::size_t>(vk & 0xFF)] & kDown) != 0;
}

WPARAM mouseKeyFlags() {
    WPARAM f = 0;
    f |= isDown(VK_LBUTTON) ? MK_LBUTTON : 0;
    f |= isDown(VK_RBUTTON) ? MK_RBUTTON : 0;
    f |= isDown(VK_MBUTTON) ? MK_MBUTTON : 0;
    f |= isDown(VK_SHIFT) ? MK_SHIFT : 0;
    f |= isDown(VK_CONTROL) ? MK_CONTROL : 0;
    return f;
}

void setKey(UINT vk, bool down) {
    BYTE& k = threadState().keys[vk & 0xFF];
    if (down) {
        if ((k & kDown) == 0) {
            k ^= kToggled;
        }
        k |= kDown;
    } else {
        k &= static_cast<BYTE>(~kDown);
    }
}

int metricOr(int index, int fallback) {
    const int v = GetSystemMetrics(index);
    return v > 0 ? v : fallback;
}

// The window that gets mouse input now, or null.
Window* mouseTarget() {
    auto& ts = threadState();
    if (Window* c = ts.windows.find(ts.capture)) {
        return c;
    }
    return ts.windows.hitTest(ts.cursor);
}

void postMouse(Window* target, UINT msg) {
    auto& ts = threadState();
    const POINT o = ts.windows.screenOrigin(target);
    const LPARAM lp = MAKELPARAM(ts.cursor.x - o.x, ts.cursor.y - o.y);
    ts.queue.push_back(MSG{target->handle, msg, mouseKeyFlags(), lp, ts.clock.now(), ts.cursor, 0});
}

// Clicking a window brings its top-level window forward and makes it active.
void activateFromClick(Window* target) {
    auto& ts = threadState();
    Window* top = ts.windows.topLevelOf(target);
    if (top == nullptr || (top->exStyle & WS_EX_NOACTIVATE) != 0) {
        return;
    }
    ts.windows.raise(top);
    ts.active = top->handle;
}

HWND keyTarget() {
    auto& ts = threadState();
    return ts.focus != nullptr ? ts.focus : ts.active;
}

void postKey(UINT msg, UINT vk) {
    auto& ts = threadState();
    HWND target = keyTarget();
    if (target == nullptr || ts.windows.find(target) == nullptr) {
        return;
    }
    const LPARAM lp = msg == WM_KEYUP ? static_cast<LPARAM>(0xC0000001u) : 1;
    ts.queue.push_back(MSG{target, msg, vk, lp, ts.clock.now(), ts.cursor, 0});
}

constexpr const char* kShiftedDigits = ")!@#$%^&*(";

struct OemKey {
    UINT vk;
    char plain;
    char shifted;
};
constexpr OemKey kOemKeys[] = {{0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'},
                               {0xBD, '-', '_'}, {0xBE, '.', '>'}, {0xBF, '/', '?'},
                               {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'},
                               {0xDD, ']', '}'}, {0xDE, '\'', '"'}};

int charFor(UINT vk, bool shift, bool control, bool alt) {
    // With Alt a letter or digit is a command (an access key), not text.
    if (alt && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) {
        return -1;
    }
    if (vk >= 'A' && vk <= 'Z') {
        if (control) {
            return static_cast<int>(vk - 'A' + 1);
        }
        return static_cast<int>(shift ? vk : vk - 'A' + 'a');
    }
    if (control) {
        return -1;
    }
    if (vk >= '0' && vk <= '9') {
        return shift ? kShiftedDigits[vk - '0'] : static_cast<int>(vk);
    }
    switch (vk) {
        case VK_SPACE:
            return ' ';
        case VK_RETURN:
            return '\r';
        case VK_BACK:
            return 8;
        case VK_TAB:
            return '\t';
        case VK_ESCAPE:
            return 27;
        default:
            break;
    }
    for (const OemKey& k : kOemKeys) {
        if (k.vk == vk) {
            return shift ? k.shifted : k.plain;
        }
    }
    return -1;
}

// The key and shift state that type a character, if any.
bool keyForChar(char c, UINT* vk, bool* shift) {
    for (UINT v = 1; v < 256; ++v) {
        for (bool s : {false, true}) {
            if (charFor(v, s, false, false) == static_cast<unsigned char>(c)) {
                *vk = v;
                *shift = s;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

namespace qv::user {

void mouseMove(int x, int y) {
    auto& ts = threadState();
    ts.cursor = POINT{x, y};
    if (Window* target = mouseTarget()) {
        postMouse(target, WM_MOUSEMOVE);
    }
    pumpMessages();
}

void mouseDown(MouseButton button) {
    auto& ts = threadState();
    const ButtonInfo info = infoOf(button);
    setKey(info.vk, true);
    Window* target = mouseTarget();
    if (target == nullptr) {
        ts.lastClick = {};
        pumpMessages();
        return;
    }
    if (ts.capture == nullptr) {
        activateFromClick(target);
    }
    const DWORD now = ts.clock.now();
    const LastClick& last = ts.lastClick;
    const int cx = metricOr(SM_CXDOUBLECLK, 4);
    const int cy = metricOr(SM_CYDOUBLECLK, 4);
    const bool dbl =
        last.hwnd == target->handle && last.button == info.down &&
        now - last.time <= GetDoubleClickTime() && std::abs(ts.cursor.x - last.pt.x) <= cx / 2 &&
        std::abs(ts.cursor.y - last.pt.y) <= cy / 2 && (target->cls->style & CS_DBLCLKS) != 0;
    if (dbl) {
        ts.lastClick = {};
    } else {
        ts.lastClick = LastClick{target->handle, info.down, now, ts.cursor};
    }
    postMouse(target, dbl ? info.dblclk : info.down);
    pumpMessages();
}

void mouseUp(MouseButton button) {
    const ButtonInfo info = infoOf(button);
    setKey(info.vk, false);
    if (Window* target = mouseTarget()) {
        postMouse(target, info.up);
    }
    pumpMessages();
}

void click(int x, int y, MouseButton button) {
    mouseMove(x, y);
    mouseDown(button);
    mouseUp(button);
}

void cancelCapture() {
    const HWND held = threadState().capture;
    if (held == nullptr) {
        return;
    }
    SendMessageA(held, WM_CANCELMODE, 0, 0);
    if (threadState().capture == held) {
        ReleaseCapture();
    }
}

void keyDown(UINT vk) {
    setKey(vk, true);
    postKey(WM_KEYDOWN, vk);
    pumpMessages();
}

void keyUp(UINT vk) {
    setKey(vk, false);
    postKey(WM_KEYUP, vk);
    pumpMessages();
}

void pressKey(UINT vk, UINT modifiers) {
    struct Modifier {
        UINT flag;
        UINT vk;
    };
    constexpr Modifier kModifiers[] = {
        {MK_SHIFT, VK_SHIFT}, {MK_CONTROL, VK_CONTROL}, {MK_ALT, VK_MENU}};
    bool pressed[std::size(kModifiers)] = {};
    for (std::size_t i = 0; i < std::size(kModifiers); ++i) {
        pressed[i] = (modifiers & kModifiers[i].flag) != 0 && !isDown(kModifiers[i].vk);
        if (pressed[i]) keyDown(kModifiers[i].vk);
    }
    keyDown(vk);
    keyUp(vk);
    for (std::size_t i = std::size(kModifiers); i-- > 0;) {
        if (pressed[i]) keyUp(kModifiers[i].vk);
    }
}

void typeText(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Char c = utf8::decode(text, at);
        UINT vk = 0;
        bool shift = false;
        const bool keyMakesIt = threadState().printableCharsFromKeys || c.code < ' ';
        if (c.size == 1 && text[at] != '\n' && keyMakesIt && keyForChar(text[at], &vk, &shift)) {
            pressKey(vk, shift ? MK_SHIFT : 0);
        } else {
            textInput(text.substr(at, c.size));
        }
        at += c.size;
    }
}

void textInput(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const utf8::Char c = utf8::decode(text, at);
        if (HWND target = keyTarget()) PostMessageA(target, WM_CHAR, c.code, 1);
        pumpMessages();
        at += c.size;
    }
}

void setPrintableCharsFromKeys(bool fromKeys) {
    threadState().printableCharsFromKeys = fromKeys;
}

int charForKey(UINT vk) {
    const int c = charFor(vk, isDown(VK_SHIFT), isDown(VK_CONTROL), isDown(VK_MENU));
    if (!threadState().printableCharsFromKeys && c >= ' ' && c != 127) return -1;
    return c;
}

}  // namespace qv::user

HWND SetCapture(HWND hwnd) {
    auto& ts = threadState();
    if (windowOrFail(hwnd) == nullptr) return nullptr;
    const HWND old = ts.capture;
    if (old == hwnd) {
        return old;
    }
    ts.capture = hwnd;
    if (old != nullptr) {
        SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return old;
}

BOOL ReleaseCapture() {
    auto& ts = threadState();
    const HWND old = ts.capture;
    if (old != nullptr) {
        ts.capture = nullptr;
        SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture() {
    return threadState().capture;
}

HWND SetFocus(HWND hwnd) {
    auto& ts = threadState();
    Window* w = ts.windows.find(hwnd);
    if (hwnd != nullptr && (w == nullptr || !w->enabledFlag())) {
        return fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    }
    const HWND old = ts.focus;
    if (old == hwnd) {
        return old;
    }
    if (old != nullptr) {
        SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    w = ts.windows.find(hwnd);
    if (hwnd != nullptr && w == nullptr) {
        ts.focus = nullptr;
        return old;
    }
    ts.focus = hwnd;
    if (w != nullptr) {
        ts.active = ts.windows.topLevelOf(w)->handle;
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    }
    return old;
}

HWND GetFocus() {
    return threadState().focus;
}

HWND GetActiveWindow() {
    return threadState().active;
}

SHORT GetKeyState(int vk) {
    const BYTE k = threadState().keys[static_cast<std::size_t>(vk & 0xFF)];
    return static_cast<SHORT>(((k & kDown) != 0 ? 0x8000 : 0) | (k & kToggled));
}

BOOL GetCursorPos(LPPOINT pt) {
    if (pt == nullptr) {
        return fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    *pt = threadState().cursor;
    return TRUE;
}

UINT GetDoubleClickTime() {
    return kDoubleClickTime;
}
