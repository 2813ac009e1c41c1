// SPDX-License-Identifier: MIT
// Input for tests, scripts and the host's event source: the pointer, mouse
// buttons and keys of the calling thread. Every call turns the input into
// the messages the platform would send, posts them and pumps the queue.
#pragma once

#include <string_view>

#include "platform/win32_user.h"

namespace qv::user {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to a screen point; the window under it (or the capture
// window) gets WM_MOUSEMOVE.
void mouseMove(int x, int y);
// Presses or releases a button where the pointer is. A press within the
// double-click time and rectangle of the previous press of the same button,
// on the same window of a CS_DBLCLKS class, becomes a double click.
void mouseDown(MouseButton button = MouseButton::Left);
void mouseUp(MouseButton button = MouseButton::Left);
// Moves, presses and releases.
void click(int x, int y, MouseButton button = MouseButton::Left);

// Ends the mouse capture as the platform does when a modal loop starts or
// the capture window's top-level window is disabled: the capture window gets
// WM_CANCELMODE (its press ends without a click), and the capture is released
// if the window still holds it afterwards. Nothing happens without a capture.
void cancelCapture();

// WM_KEYDOWN or WM_KEYUP to the focus window (the active window when nothing
// has the focus); the key state seen by GetKeyState follows.
void keyDown(UINT vk);
void keyUp(UINT vk);
// Presses and releases a key with modifiers (MK_SHIFT, MK_CONTROL, MK_ALT) held.
void pressKey(UINT vk, UINT modifiers = 0);
// Types UTF-8 text as key presses (US layout); characters without a key
// arrive as WM_CHAR alone. WM_CHAR carries a character's code point.
void typeText(std::string_view text);

// Text that the window system's text input made (after its keyboard layout,
// dead keys and input method): each character reaches the focus window as a
// WM_CHAR with its code point, without key messages.
void textInput(std::string_view text);
// Whether TranslateMessage makes printable characters of keys (the default,
// a US layout). A host that feeds textInput turns it off, so that keys only
// make the control characters (Backspace, Tab, Enter, Esc, Ctrl+letter).
void setPrintableCharsFromKeys(bool fromKeys);

// The character TranslateMessage makes of a key under the current shift and
// control states, or -1 when the key makes none (printable ones included,
// while they come from text input).
int charForKey(UINT vk);

}  // namespace qv::user
