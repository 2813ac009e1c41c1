// SPDX-License-Identifier: MIT
// The tooltip control behind the built-in class "tooltips_class32": tools,
// relayed mouse messages, the initial delay on the thread's clock, the text
// request to the tool's window and the topmost popup that shows the text.
#pragma once

#include <string>
#include <vector>

#include "platform/win32_user.h"

namespace qv::user {

class TooltipControl {
  public:
    explicit TooltipControl(HWND self);
    ~TooltipControl();
    TooltipControl(const TooltipControl&) = delete;
    TooltipControl& operator=(const TooltipControl&) = delete;

    // The window procedure of the class; keeps one control per window.
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Delays in milliseconds.
    static constexpr UINT kInitialDelay = 500;
    static constexpr UINT kAutoPopDelay = 5000;
    // How often a shown tip checks that the pointer is still over its tool.
    static constexpr UINT kLeaveCheck = 100;

  private:
    struct Tool {
        UINT flags = 0;
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        RECT rect{};
        HINSTANCE instance = nullptr;
        bool callback = false;
        std::string text;
        LPARAM lParam = 0;
    };
    enum TimerId : UINT_PTR { kShowTimer = 1, kPopTimer = 2, kLeaveTimer = 3 };

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    BOOL addTool(const TTTOOLINFOA* info);
    BOOL deleteTool(const TTTOOLINFOA* info);
    void relay(const MSG* msg);
    void onTimer(UINT_PTR id);
    // The tool under a screen point among those of window hwnd, or -1.
    int toolAt(HWND hwnd, POINT screen) const;
    bool pointerOverTool(int index) const;
    std::string textOf(int index);
    void show();
    void hide();
    void paint();
    void setDelay(WPARAM which, LPARAM value);

    HWND m_self;
    HFONT m_font = nullptr;
    std::vector<Tool> m_tools;
    bool m_active = true;
    int m_current = -1;     // the tool the pointer is over
    int m_suppressed = -1;  // a tool clicked: no tip until the pointer leaves it
    bool m_shown = false;
    std::string m_text;
    UINT m_initialDelay = kInitialDelay;
    UINT m_autoPopDelay = kAutoPopDelay;
};

}  // namespace qv::user
