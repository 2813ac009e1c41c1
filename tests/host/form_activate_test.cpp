// SPDX-License-Identifier: MIT
// Form_Activate each time a shown form becomes the active one again: on a
// click into it while another form was active (before the click's own
// events), and when a modal form it showed is gone; never while it stays
// active, while a modal form keeps it disabled, or after a message box.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/command_button.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/message_box.h"
#include "host/message_box_window.h"
#include "platform/user/input.h"
#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

using Log = std::vector<std::string>;

// A form with one button, writing its events to a shared log.
class LoggingForm : public Form {
  public:
    LoggingForm(std::string name, Log& log) : Form(std::move(name)), m_log(log) {
        setBounds({0, 0, 3000, 1500});  // 200 x 100 pixels
    }
    std::function<void()> onClick;

    std::shared_ptr<CommandButton> button() {
        return std::dynamic_pointer_cast<CommandButton>(find("cmdGo"));
    }

  protected:
    void Form_Load() override {
        auto go = std::make_shared<CommandButton>();
        add(go, "cmdGo", std::nullopt, {150, 150, 1200, 375});
        go->setCaption("Go");
        events().on("cmdGo", "Click", [this](auto, auto) {
            m_log.push_back(Name() + ".Click");
            if (onClick) onClick();
        });
    }
    void Form_Activate() override { m_log.push_back(Name() + ".Activate"); }
    void Form_Unload(std::int16_t&) override { m_log.push_back(Name() + ".Unload"); }

  private:
    Log& m_log;
};

class FormActivateTest : public ::testing::Test {
  protected:
    void SetUp() override { user::resetThreadState(); }
    void TearDown() override {
        user::setIdleHandler(nullptr);
        FormRunner::takePendingError();
        for (auto& f : {a, b}) {
            if (f->loaded()) FormRunner::Unload(f);
        }
        user::resetThreadState();
    }
    // Shows `form` at a place of its own, so that the forms do not overlap.
    static void showAt(const std::shared_ptr<LoggingForm>& form, int x, int y) {
        FormRunner::Show(form);
        SetWindowPos(FormRunner::frameOf(*form), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    static void clickButton(LoggingForm& form) {
        RECT r;
        GetWindowRect(form.button()->hWnd(), &r);
        user::click(r.left + 5, r.top + 5);
    }
    static void clickCaption(LoggingForm& form) {
        RECT r;
        GetWindowRect(FormRunner::frameOf(form), &r);
        user::click(r.left + 60, r.top + FormRunner::kBorder + 4);
    }

    Log log;
    std::shared_ptr<LoggingForm> a = std::make_shared<LoggingForm>("frmA", log);
    std::shared_ptr<LoggingForm> b = std::make_shared<LoggingForm>("frmB", log);
};

TEST_F(FormActivateTest, ClickIntoAnotherFormActivatesItBeforeTheClickEvents) {
    showAt(a, 10, 10);
    showAt(b, 400, 300);
    EXPECT_EQ(log, (Log{"frmA.Activate", "frmB.Activate"}));
    log.clear();

    clickButton(*a);  // b was active
    clickButton(*a);  // a stays active
    user::pressKey(VK_SPACE);
    clickCaption(*b);
    clickCaption(*a);
    clickButton(*a);
    EXPECT_EQ(log, (Log{"frmA.Activate", "frmA.Click", "frmA.Click", "frmA.Click", "frmB.Activate",
                        "frmA.Activate", "frmA.Click"}));
    EXPECT_EQ(GetActiveWindow(), FormRunner::frameOf(*a));

    // Showing the form that is active activates it again, as a show does.
    log.clear();
    FormRunner::Show(a);
    EXPECT_EQ(log, (Log{"frmA.Activate"}));
}

TEST_F(FormActivateTest, OwnerIsActivatedAgainWhenItsModalFormIsGone) {
    showAt(a, 10, 10);
    b->setBounds({0, 0, 1500, 750});  // centred on a, leaving a's caption free
    a->onClick = [this] {
        FormRunner::Show(b, 1, a.get());
        log.push_back("Show returned");
    };
    // While b is modal, a click on the disabled a does not activate it; the
    // close box then unloads b.
    std::vector<std::function<void()>> steps = {
        [this] { clickCaption(*a); },
        [this] { PostMessageA(FormRunner::frameOf(*b), WM_CLOSE, 0, 0); },
    };
    std::size_t next = 0;
    user::setIdleHandler([&] {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    });
    log.clear();
    clickButton(*a);
    user::setIdleHandler(nullptr);
    EXPECT_EQ(next, steps.size());
    EXPECT_EQ(
        log, (Log{"frmA.Click", "frmB.Activate", "frmB.Unload", "frmA.Activate", "Show returned"}));
    EXPECT_EQ(GetActiveWindow(), FormRunner::frameOf(*a));
}

TEST_F(FormActivateTest, MessageBoxInBetweenDoesNotActivateTheFormAgain) {
    showAt(a, 10, 10);
    WindowMessageBoxes boxes;
    a->onClick = [&boxes, this] {
        log.push_back("answer " + std::to_string(boxes.show({"Sure?", 1, "Question"})));
    };
    user::setIdleHandler([&boxes] {
        if (!boxes.window()) return false;
        user::pressKey(VK_RETURN);
        return true;
    });
    log.clear();
    clickButton(*a);
    user::setIdleHandler(nullptr);
    a->onClick = nullptr;
    clickButton(*a);
    EXPECT_EQ(log, (Log{"frmA.Click", "answer 1", "frmA.Click"}));
    EXPECT_FALSE(FormRunner::takePendingError());
}

}  // namespace
}  // namespace qv::host
