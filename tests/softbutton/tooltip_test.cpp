// SPDX-License-Identifier: MIT
// The shared tooltip window: how long it lives while buttons come and go,
// the text each button hands it, and the subclassed window procedure.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>

#include "button_fixture.h"
#include "softbutton/modToolTip.h"

namespace qv::softbutton::test {
namespace {

// Each button sits on a form of its own, so that it can be unloaded alone.
class ToolTipTest : public ::testing::Test {
  protected:
    ~ToolTipTest() override {
        for (auto& [name, form] : m_forms) form->Unload();
    }
    // "+A": a stored button at run time (counted, subclassed); "+a": a new
    // button (first-time defaults, never counted); "+D": a stored button at
    // design time (counted only); "-X": unload X's form.
    void apply(const std::string& op) {
        const std::string name = op.substr(1);
        if (op[0] == '-') {
            m_forms.at(name)->Unload();
            m_forms.erase(name);
            return;
        }
        auto form = std::make_shared<host::Form>();
        form->setUserMode(name != "D");
        auto b = std::make_shared<qvSoftButton>();
        const host::PropertyBag bag;
        const bool stored = name != "a";
        form->add(b, name, std::nullopt, {0, 0, 435, 435}, nullptr, stored ? &bag : nullptr);
        EXPECT_EQ(b->hookedWindow() != nullptr, name != "a" && name != "D") << op;
        m_forms[name] = form;
    }
    static std::string shared() {
        const ToolTipState& s = toolTipState();
        const bool window = s.ToolTipCreated && IsWindow(s.hWndToolTip);
        return std::to_string(s.ToolTipRefCount) + (window ? "w" : "-");
    }
    std::map<std::string, std::shared_ptr<host::Form>> m_forms;
};

TEST_F(ToolTipTest, WindowLivesExactlyWhileACountedButtonLives) {
    const std::pair<const char*, const char*> cases[] = {
        {"+A +B -A -B", "1w 2w 1w 0-"},
        {"+A +B -B -A", "1w 2w 1w 0-"},
        {"+A +B +C -B -A -C", "1w 2w 3w 2w 1w 0-"},
        // A new button that never counted itself must not take the window
        // away from the stored one.
        {"+A +a -a -A", "1w 1w 1w 0-"},
        {"+a +A -a +B -A -B", "0- 1w 1w 2w 1w 0-"},
        {"+D +A -D -A", "1- 2w 1w 0-"},
    };
    for (const auto& [ops, expected] : cases) {
        SCOPED_TRACE(ops);
        std::istringstream in(ops);
        std::string op, seen;
        while (in >> op) {
            apply(op);
            seen += (seen.empty() ? "" : " ") + shared();
        }
        EXPECT_EQ(seen, expected);
    }
}

TEST_F(ToolTipTest, LaterButtonsGetANewWindowAfterTheLastOneWent) {
    apply("+A");
    const HWND first = toolTipState().hWndToolTip;
    apply("-A");
    EXPECT_FALSE(IsWindow(first));
    apply("+B");
    EXPECT_TRUE(IsWindow(toolTipState().hWndToolTip));
    EXPECT_EQ(SendMessageA(toolTipState().hWndToolTip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

class ToolTipTextTest : public ButtonTest {
  protected:
    // Sends the tooltip's text request to `b`'s window from `source`.
    static std::string request(const qvSoftButton& b, HWND source, UINT code = TTN_NEEDTEXTA) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = source;
        info.hdr.code = code;
        info.lpszText = info.szText;
        std::strcpy(info.szText, "untouched");
        SendMessageA(b.hWnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText;
    }
};

TEST_F(ToolTipTextTest, EachButtonAnswersForItselfAndPassesMessagesOn) {
    const host::PropertyBag bag;
    auto a = load("A", bag);
    auto b = load("B", bag);
    a->setToolTipText("First");
    const HWND tip = toolTipState().hWndToolTip;
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(request(*a, tip), "First");
    EXPECT_EQ(request(*b, tip), "");  // no tooltip text: an empty answer
    b->setEnabledState(false);        // disabled: still answered
    b->setToolTipText("Second");
    EXPECT_EQ(request(*b, tip), "Second");
    // Another code, or another source window: only passed on.
    EXPECT_EQ(request(*a, tip, TTN_SHOW), "untouched");
    EXPECT_EQ(request(*a, b->hWnd()), "untouched");

    // The subclass procedure stands first and forwards to the window's own.
    EXPECT_EQ(GetWindowLongPtrA(a->hWnd(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&SubclassWndProc));
    EXPECT_EQ(ButtonFromHwnd(a->hWnd()), a);
    takeEvents();
    SendMessageA(a->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(takeEvents(), std::vector<std::string>{"A.MouseMove(0,0,3,4)"});
    EXPECT_TRUE(a->tracking().hot);
}

}  // namespace
}  // namespace qv::softbutton::test
