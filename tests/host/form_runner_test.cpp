// SPDX-License-Identifier: MIT
// Forms shown in windows: the modal show, unloading by code, close box and
// Cancel, tab order, default and cancel keys, and typing into a text box,
// all driven through the platform's input API.
#include "host/form_runner.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/command_button.h"
#include "host/error.h"
#include "host/form.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/text_box.h"
#include "platform/user/input.h"
#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

// A dialog with a text box, a frame holding a button, and OK/Cancel buttons.
class Dialog : public Form {
  public:
    std::vector<std::string> log;
    std::int16_t cancelUnload = 0;

    Dialog() : Form("frmTest") {
        setCaption("Test");
        setBounds({0, 0, 4500, 3000});
    }

    template <class T>
    std::shared_ptr<T> get(std::string_view name) {
        return std::dynamic_pointer_cast<T>(find(name));
    }

  protected:
    void Form_Load() override {
        log.push_back("Load");
        auto text = std::make_shared<TextBox>();
        add(text, "txtName", std::nullopt, {120, 120, 2400, 300});
        text->setTabIndex(1);
        auto frame = std::make_shared<Frame>();
        add(frame, "Frame1", std::nullopt, {120, 600, 3000, 900});
        frame->setCaption("Options");
        frame->setTabIndex(2);
        auto inner = std::make_shared<CommandButton>();
        add(inner, "cmdInner", std::nullopt, {150, 300, 1200, 375}, frame);
        inner->setCaption("Inner");
        inner->setTabIndex(4);
        auto ok = std::make_shared<CommandButton>();
        add(ok, "cmdOK", std::nullopt, {3000, 2400, 1200, 375});
        ok->setCaption("OK");
        ok->setDefault(true);
        ok->setTabIndex(0);
        auto cancel = std::make_shared<CommandButton>();
        add(cancel, "cmdCancel", std::nullopt, {1700, 2400, 1200, 375});
        cancel->setCaption("Cancel");
        cancel->setCancel(true);
        cancel->setTabIndex(3);
        auto label = std::make_shared<Label>();
        add(label, "lblHint", std::nullopt, {2700, 120, 1500, 240});
        label->setCaption("Hint");

        for (const char* name : {"cmdOK", "cmdCancel", "cmdInner"}) {
            events().on(name, "Click", [this, name](auto, auto) {
                log.push_back(std::string(name) + ".Click");
                if (std::string(name) == "cmdCancel") Unload();
            });
        }
        events().on("txtName", "KeyPress", [this](auto, std::span<Variant> args) {
            const auto key = args[0].toInteger();
            log.push_back("KeyPress " + std::to_string(key));
            if (key == 'x') args[0] = Variant(std::int16_t{0});                 // cancelled
            if (key == 'a') args[0] = Variant(static_cast<std::int16_t>('A'));  // changed
        });
        events().on("txtName", "Change", [this](auto, auto) { log.push_back("Change"); });
    }
    void Form_Activate() override { log.push_back("Activate"); }
    void Form_Unload(std::int16_t& cancel) override {
        log.push_back("Unload");
        cancel = cancelUnload;
    }
};

class FormRunnerTest : public ::testing::Test {
  protected:
    void SetUp() override { user::resetThreadState(); }
    void TearDown() override {
        user::setIdleHandler(nullptr);
        if (form->loaded()) FormRunner::Unload(form);
        user::resetThreadState();
    }

    // Shows the dialog modally, running `steps` one per idle turn.
    void showModal(std::vector<std::function<void()>> steps) {
        std::size_t next = 0;
        user::setIdleHandler([&] {
            if (next >= steps.size()) return false;
            steps[next++]();
            return true;
        });
        FormRunner::Show(form, 1);
        user::setIdleHandler(nullptr);
        EXPECT_EQ(next, steps.size()) << "steps left over";
    }

    std::string focusName() {
        for (const auto& c : form->controls()) {
            if (c->hWnd() && c->hWnd() == GetFocus()) return c->Name();
        }
        return "";
    }

    std::shared_ptr<Dialog> form = std::make_shared<Dialog>();
};

TEST_F(FormRunnerTest, ModalShowReturnsOnlyAfterUnload) {
    bool visibleWhileModal = false;
    showModal({[&] {
                   visibleWhileModal = IsWindowVisible(FormRunner::frameOf(*form)) != FALSE;
                   form->log.push_back("still modal");
               },
               [] { user::pressKey(VK_ESCAPE); }});
    form->log.push_back("Show returned");
    EXPECT_TRUE(visibleWhileModal);
    const std::vector<std::string> expected = {
        "Load", "Activate", "still modal", "cmdCancel.Click", "Unload", "Show returned"};
    EXPECT_EQ(form->log, expected);
    EXPECT_FALSE(form->loaded());
    EXPECT_EQ(FormRunner::frameOf(*form), nullptr);

    // Used again, the form loads afresh.
    form->log.clear();
    showModal({[] { user::pressKey(VK_ESCAPE); }});
    EXPECT_EQ(form->log.front(), "Load");
}

TEST_F(FormRunnerTest, TabOrderFollowsTabIndexAndSkipsWhatCannotTakeFocus) {
    FormRunner::Show(form);
    EXPECT_EQ(focusName(), "cmdOK");  // TabIndex 0 gets the focus first
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        user::pressKey(VK_TAB);
        seen.push_back(focusName());
    }
    // The frame (TabIndex 2) never takes the focus; the order wraps.
    EXPECT_EQ(seen, (std::vector<std::string>{"txtName", "cmdCancel", "cmdInner", "cmdOK"}));
    user::pressKey(VK_TAB, MK_SHIFT);
    EXPECT_EQ(focusName(), "cmdInner");
    form->get<CommandButton>("cmdCancel")->setEnabled(false);
    form->get<TextBox>("txtName")->setVisible(false);
    user::pressKey(VK_TAB);
    EXPECT_EQ(focusName(), "cmdOK");
    user::pressKey(VK_TAB);
    EXPECT_EQ(focusName(), "cmdInner");
    EXPECT_THROW(form->get<TextBox>("txtName")->SetFocus(), Error);
}

TEST_F(FormRunnerTest, EnterAndEscFromAnyControlClickDefaultAndCancel) {
    FormRunner::Show(form);
    form->get<TextBox>("txtName")->SetFocus();
    form->log.clear();
    user::pressKey(VK_RETURN);  // the text box does not use Enter: the default button
    EXPECT_EQ(form->log, (std::vector<std::string>{"cmdOK.Click"}));
    form->get<CommandButton>("cmdInner")->SetFocus();
    form->log.clear();
    user::pressKey(VK_RETURN);  // a focused button clicks itself
    user::pressKey(VK_SPACE);
    EXPECT_EQ(form->log, (std::vector<std::string>{"cmdInner.Click", "cmdInner.Click"}));
    // Only one default button per form.
    form->get<CommandButton>("cmdInner")->setDefault(true);
    EXPECT_FALSE(form->get<CommandButton>("cmdOK")->Default());
    form->get<TextBox>("txtName")->SetFocus();
    form->log.clear();
    user::pressKey(VK_RETURN);
    user::pressKey(VK_ESCAPE);
    EXPECT_EQ(form->log, (std::vector<std::string>{"cmdInner.Click", "cmdCancel.Click", "Unload"}));
    EXPECT_FALSE(form->loaded());
    EXPECT_EQ(FormRunner::frameOf(*form), nullptr);  // unloaded by code: window closed
}

TEST_F(FormRunnerTest, KeyPressSeesEveryCharacterAndMayChangeOrCancelIt) {
    FormRunner::Show(form);
    auto text = form->get<TextBox>("txtName");
    text->SetFocus();
    form->log.clear();
    user::typeText("bax!");
    EXPECT_EQ(text->Text(), "bA!");
    const std::vector<std::string> expected = {
        "KeyPress 98", "Change", "KeyPress 97", "Change", "KeyPress 120", "KeyPress 33", "Change"};
    EXPECT_EQ(form->log, expected);
    EXPECT_TRUE(text->DataChanged());
    user::pressKey(VK_BACK);
    user::pressKey(VK_HOME);
    user::pressKey(VK_DELETE);
    EXPECT_EQ(text->Text(), "A");
    text->setMaxLength(2);
    user::typeText("xyz");  // x is cancelled by the handler, z does not fit
    EXPECT_EQ(text->Text(), "yA");
}

TEST_F(FormRunnerTest, CharactersBeyondAsciiAreOfferedToKeyPressAndTypedWhole) {
    FormRunner::Show(form);
    auto text = form->get<TextBox>("txtName");
    text->SetFocus();
    struct Case {
        const char* typed;
        const char* shown;
        std::vector<std::string> log;
    };
    // KeyPress gets the code point as an Integer (above U+7FFF negative);
    // characters beyond U+FFFF do not fit one and are typed unoffered.
    const Case cases[] = {
        {"\xC3\xAB", "\xC3\xAB", {"KeyPress 235", "Change"}},
        {"\xCE\xA9", "\xCE\xA9", {"KeyPress 937", "Change"}},
        {"\xE6\x97\xA5", "\xE6\x97\xA5", {"KeyPress 26085", "Change"}},
        {"\xEF\xBC\xA1", "\xEF\xBC\xA1", {"KeyPress -223", "Change"}},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", {"Change"}},
    };
    for (const Case& c : cases) {
        text->setText("");
        form->log.clear();
        user::textInput(c.typed);
        EXPECT_EQ(text->Text(), c.shown) << c.typed;
        EXPECT_EQ(form->log, c.log) << c.typed;
    }
}

TEST_F(FormRunnerTest, MouseClicksOnlyWhenReleasedOverTheButton) {
    FormRunner::Show(form);
    auto ok = form->get<CommandButton>("cmdOK");
    RECT r;
    GetWindowRect(ok->hWnd(), &r);
    form->log.clear();
    user::mouseMove(r.left + 5, r.top + 5);
    user::mouseDown();
    EXPECT_TRUE(ok->looksPressed());
    user::mouseMove(r.right + 30, r.bottom + 30);
    EXPECT_FALSE(ok->looksPressed());
    user::mouseMove(r.left + 6, r.top + 6);
    EXPECT_TRUE(ok->looksPressed());
    user::mouseMove(r.right + 30, r.bottom + 30);
    user::mouseUp();
    EXPECT_TRUE(form->log.empty());
    user::click(r.left + 5, r.top + 5);
    EXPECT_EQ(form->log, (std::vector<std::string>{"cmdOK.Click"}));
    ok->setEnabled(false);
    user::click(r.left + 5, r.top + 5);
    EXPECT_EQ(form->log.size(), 1u);
}

TEST_F(FormRunnerTest, CloseBoxUnloadsUnlessFormUnloadCancels) {
    FormRunner::Show(form);
    form->cancelUnload = 1;
    PostMessageA(FormRunner::frameOf(*form), WM_CLOSE, 0, 0);
    user::pumpMessages();
    EXPECT_TRUE(form->loaded());
    form->cancelUnload = 0;
    PostMessageA(FormRunner::frameOf(*form), WM_CLOSE, 0, 0);
    user::pumpMessages();
    EXPECT_FALSE(form->loaded());
    EXPECT_EQ(FormRunner::frameOf(*form), nullptr);
}

TEST_F(FormRunnerTest, ModalFormWithoutInputIsUnloadedAndReported) {
    EXPECT_THROW(showModal({}), Error);
    EXPECT_FALSE(form->loaded());
    EXPECT_EQ(form->log.back(), "Unload");
}

}  // namespace
}  // namespace qv::host

namespace qv::host {
namespace {

TEST_F(FormRunnerTest, ControlsShareOneTooltipWindowThatAsksForTheirText) {
    FormRunner::Show(form);
    HWND tip = FormRunner::toolTipWindow(false);
    ASSERT_NE(tip, nullptr);
    // Every windowed control is one of its tools: three buttons, the text box, the frame.
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 5);
    auto ok = form->get<CommandButton>("cmdOK");
    ok->setToolTipText("Find first matching record");
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = tip;
    info.hdr.code = TTN_NEEDTEXTA;
    info.lpszText = info.szText;
    SendMessageA(ok->hWnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.lpszText, "Find first matching record");
    FormRunner::Unload(form);
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace qv::host

namespace qv::host {
namespace {

TEST_F(FormRunnerTest, HandlerErrorsEndTheModalShowAndReachItsCaller) {
    form->Load();
    form->events().on("cmdOK", "Click", [](auto, auto) { raise(errc::Overflow, "cmdOK_Click"); });
    try {
        showModal({[] { user::pressKey(VK_RETURN); }});
        FAIL() << "the handler's error must reach the caller of Show";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::Overflow);
        EXPECT_EQ(e.source(), "cmdOK_Click");
    }
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(FormRunner::takePendingError().has_value());

    // Shown modeless, the error waits for whoever drives the input.
    FormRunner::Show(form);
    form->events().on("cmdOK", "Click", [](auto, auto) { raise(errc::TypeMismatch, "x"); });
    user::pressKey(VK_RETURN);
    user::pressKey(VK_RETURN);
    const auto pending = FormRunner::takePendingError();
    ASSERT_TRUE(pending.has_value());
    EXPECT_EQ(pending->number(), errc::TypeMismatch);
    EXPECT_FALSE(FormRunner::takePendingError().has_value());
    EXPECT_TRUE(form->loaded());

    // Any other exception of a handler waits as an internal error.
    form->events().on("cmdOK", "Click", [](auto, auto) { throw std::out_of_range("row 7"); });
    user::pressKey(VK_RETURN);
    const auto internal = FormRunner::takePendingError();
    ASSERT_TRUE(internal.has_value());
    EXPECT_EQ(internal->number(), errc::InternalError);
    EXPECT_NE(internal->description().find("row 7"), std::string::npos);
}

}  // namespace
}  // namespace qv::host
