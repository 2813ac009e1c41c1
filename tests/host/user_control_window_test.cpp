// SPDX-License-Identifier: MIT
#include "host/user_control_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/form.h"
#include "host/form_runner.h"
#include "host/property_bag.h"
#include "host/user_control.h"

namespace qv::host {
namespace {

// Records mouse handlers and whether the window existed while loading.
class Clicky : public UserControl {
  public:
    std::vector<std::string> seen;
    bool hadWindowWhileLoading = false;

  protected:
    void UserControl_ReadProperties(const PropertyBag&) override {
        hadWindowWhileLoading = IsWindow(hWnd()) != FALSE;
    }
    void UserControl_MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        seen.push_back("Down " + args(b, s, x, y));
    }
    void UserControl_MouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        seen.push_back("Move " + args(b, s, x, y));
    }
    void UserControl_MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        seen.push_back("Up " + args(b, s, x, y));
    }
    void UserControl_Click() override { seen.push_back("Click"); }

  private:
    static std::string args(std::int16_t b, std::int16_t s, float x, float y) {
        return std::to_string(b) + " " + std::to_string(s) + " " +
               std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y));
    }
};

TEST(UserControlWindowTest, MouseMessagesReachTheHandlersInTheControlsUnit) {
    auto form = std::make_shared<Form>();
    auto c = std::make_shared<Clicky>();
    PropertyBag bag;
    form->add(c, "Clicky1", std::nullopt, {0, 0, 300, 300}, nullptr, &bag);
    EXPECT_TRUE(c->hadWindowWhileLoading);
    HWND hwnd = c->hWnd();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(3, 4));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 4));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 4));  // outside: no Click
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    const std::vector<std::string> expected{
        "Down 1 1 45 60", "Move 1 0 450 60", "Up 1 0 450 60",
        "Down 1 0 15 15", "Up 1 0 15 15",    "Click",
    };
    EXPECT_EQ(c->seen, expected);
    form->Unload();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(c->hWnd(), nullptr);
}

TEST(UserControlWindowTest, ShownFormHoldsTheWindowAtTheControlsPlace) {
    auto form = std::make_shared<Form>();
    auto c = std::make_shared<Clicky>();
    form->add(c, "Clicky1", std::nullopt, {150, 300, 600, 450});
    FormRunner::Show(form);
    HWND hwnd = c->hWnd();
    ASSERT_NE(FormRunner::windowOf(*form), nullptr);
    EXPECT_EQ(GetParent(hwnd), FormRunner::windowOf(*form));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT r;
    GetClientRect(hwnd, &r);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 30);
    c->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    FormRunner::Unload(form);
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
}  // namespace qv::host
