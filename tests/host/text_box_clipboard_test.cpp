// SPDX-License-Identifier: MIT
// Clipboard keys in a text box, typed through the platform's input API:
// Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V and the older Insert and Delete forms,
// under MaxLength and Locked, as characters KeyPress may cancel, and over a
// clipboard shared with other programs.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "host/form.h"
#include "host/form_runner.h"
#include "host/text_box.h"
#include "platform/user/clipboard.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

struct Key {
    UINT vk;
    UINT modifiers = 0;
};
constexpr UINT kCtrl = MK_CONTROL;
constexpr UINT kShift = MK_SHIFT;

class TextBoxClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user::resetThreadState();
        user::clearClipboard();
        for (const auto& [box, name, top] :
             {std::tuple{&a, "txtA", 120}, std::tuple{&b, "txtB", 600}}) {
            form->add(*box, name, std::nullopt, {120, top, 2400, 300});
        }
        form->events().on("txtA", "Change", [this](auto, auto) { ++changes; });
        form->events().on("txtA", "KeyPress", [this](auto, std::span<Variant> args) {
            keyPresses.push_back(args[0].toInteger());
            if (cancelKeys) args[0] = Variant(std::int16_t{0});
        });
        FormRunner::Show(form);
        a->SetFocus();
    }
    void TearDown() override {
        FormRunner::Unload(form);
        user::shareClipboard({});
        user::clearClipboard();
        user::resetThreadState();
    }
    static void press(const std::vector<Key>& keys) {
        for (const Key& k : keys) user::pressKey(k.vk, k.modifiers);
    }

    std::shared_ptr<Form> form = std::make_shared<Form>("frmClip");
    std::shared_ptr<TextBox> a = std::make_shared<TextBox>();
    std::shared_ptr<TextBox> b = std::make_shared<TextBox>();
    int changes = 0;
    std::vector<std::int16_t> keyPresses;
    bool cancelKeys = false;
};

TEST_F(TextBoxClipboardTest, KeysCopyCutAndPasteTheSelection) {
    struct Case {
        const char* what;
        std::string text;
        int selStart, selLength;
        std::string clipboard;
        int maxLength;
        bool locked;
        std::vector<Key> keys;
        std::string wantText, wantClipboard;
    };
    const Case cases[] = {
        {"Ctrl+A then Ctrl+C copies all",
         "hello",
         2,
         0,
         "old",
         0,
         false,
         {{'A', kCtrl}, {'C', kCtrl}},
         "hello",
         "hello"},
        {"copying no selection keeps the clipboard",
         "hello",
         2,
         0,
         "old",
         0,
         false,
         {{'C', kCtrl}},
         "hello",
         "old"},
        {"Ctrl+X cuts the selection", "hello", 1, 3, "", 0, false, {{'X', kCtrl}}, "ho", "ell"},
        {"cutting no selection changes nothing",
         "hello",
         1,
         0,
         "old",
         0,
         false,
         {{'X', kCtrl}},
         "hello",
         "old"},
        {"Ctrl+V replaces the selection",
         "hello",
         1,
         3,
         "EY",
         0,
         false,
         {{'V', kCtrl}},
         "hEYo",
         "EY"},
        {"a single line takes the first line",
         "ab",
         2,
         0,
         "cd\r\nef",
         0,
         false,
         {{'V', kCtrl}},
         "abcd",
         "cd\r\nef"},
        {"MaxLength cuts what is pasted",
         "ab",
         2,
         0,
         "cdef",
         4,
         false,
         {{'V', kCtrl}},
         "abcd",
         "cdef"},
        {"Locked refuses cut and paste",
         "hello",
         0,
         5,
         "x",
         0,
         true,
         {{'X', kCtrl}, {'V', kCtrl}},
         "hello",
         "x"},
        {"Locked still copies", "hello", 0, 5, "x", 0, true, {{'C', kCtrl}}, "hello", "hello"},
        {"Ctrl+Insert, Shift+Delete, Shift+Insert",
         "hello",
         0,
         2,
         "",
         0,
         false,
         {{VK_INSERT, kCtrl}, {VK_DELETE, kShift}, {VK_END}, {VK_INSERT, kShift}},
         "llohe",
         "he"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        a->setLocked(false);
        a->setMaxLength(0);
        a->setText(c.text);
        a->setSelStart(c.selStart);
        a->setSelLength(c.selLength);
        a->setMaxLength(c.maxLength);
        a->setLocked(c.locked);
        user::setClipboardText(c.clipboard);
        press(c.keys);
        EXPECT_EQ(a->Text(), c.wantText);
        EXPECT_EQ(user::clipboardText(), c.wantClipboard);
    }
}

TEST_F(TextBoxClipboardTest, KeyPressSeesTheKeysAndMayCancelThem) {
    a->setText("hello");
    changes = 0;
    press({{'A', kCtrl}, {'X', kCtrl}});
    EXPECT_EQ(a->Text(), "");
    EXPECT_EQ(changes, 1) << "one Change for the cut";
    EXPECT_EQ(keyPresses, (std::vector<std::int16_t>{1, 24}));

    // The text moves to another box through the clipboard.
    b->SetFocus();
    press({{'V', kCtrl}, {'V', kCtrl}});
    EXPECT_EQ(b->Text(), "hellohello");

    // Cancelled in KeyPress, the keys do nothing.
    a->SetFocus();
    a->setText("abc");
    cancelKeys = true;
    changes = 0;
    press({{'A', kCtrl}, {'X', kCtrl}, {'V', kCtrl}});
    EXPECT_EQ(a->Text(), "abc");
    EXPECT_EQ(a->SelLength(), 0);
    EXPECT_EQ(user::clipboardText(), "hello");
    EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace qv::host

namespace qv::host {
namespace {

// Another program's side of a shared clipboard: what it holds, and whether
// it can be read at the moment.
struct OtherProgram {
    std::string text;
    bool readable = true;
};

TEST_F(TextBoxClipboardTest, ASharedClipboardCarriesTextToAndFromOtherPrograms) {
    OtherProgram other;
    user::shareClipboard({[&]() -> std::optional<std::string> {
                              if (!other.readable) return std::nullopt;
                              return other.text;
                          },
                          [&](std::string_view text) { other.text = text; }});
    struct Step {
        const char* otherSets;  // nullptr: the other program leaves it
        bool readable;
        std::vector<Key> keys;
        const char* boxA;
        const char* otherHas;
    };
    a->setText("mine");
    const Step steps[] = {
        // Copied here, seen there.
        {nullptr, true, {{'A', kCtrl}, {'C', kCtrl}}, "mine", "mine"},
        // Copied there, pasted here (over the selection).
        {"theirs", true, {{'A', kCtrl}, {'V', kCtrl}}, "theirs", "theirs"},
        // Unreadable for a moment: the last text known here is pasted.
        {"lost", false, {{VK_END}, {'V', kCtrl}}, "theirstheirs", "lost"},
    };
    for (const Step& s : steps) {
        if (s.otherSets) other.text = s.otherSets;
        other.readable = s.readable;
        press(s.keys);
        EXPECT_EQ(a->Text(), s.boxA);
        EXPECT_EQ(other.text, s.otherHas);
    }
    user::shareClipboard({});
    user::setClipboardText("private");
    EXPECT_EQ(other.text, "lost") << "no longer shared";
}

}  // namespace
}  // namespace qv::host
