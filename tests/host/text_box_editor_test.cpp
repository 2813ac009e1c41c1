// SPDX-License-Identifier: MIT
// The text box's editing model: typing, editing keys, selection, MaxLength
// and Locked, as tables of key sequences.
#include "host/text_box_editor.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"

namespace qv::host {
namespace {

// One input: a typed text (each character through typeChar) or a key.
struct Step {
    std::string typed;
    unsigned vk = 0;
    bool shift = false;
};
Step type(std::string text) {
    return {std::move(text)};
}
Step key(unsigned vk, bool shift = false) {
    return {{}, vk, shift};
}
const Step kBack = type("\b");

// Plays the steps; returns how many changed the text and how many were refused.
std::pair<int, int> play(TextBoxEditor& editor, const std::vector<Step>& steps) {
    int changes = 0;
    int refusals = 0;
    auto count = [&](TextBoxEditor::Outcome o) {
        changes += o.changed;
        refusals += o.refused;
    };
    for (const Step& step : steps) {
        if (step.vk != 0) {
            count(editor.keyDown(step.vk, step.shift));
        } else {
            for (char ch : step.typed) count(editor.typeChar(ch));
        }
    }
    return {changes, refusals};
}

struct Case {
    const char* name;
    std::string initial;
    std::size_t selStart, selLength, maxLength;
    bool locked;
    std::vector<Step> steps;
    std::string text;
    std::size_t caret, selLength_;
    int changes, refusals;
};

TEST(TextBoxEditor, KeySequences) {
    const Case cases[] = {
        {"typing appends at the caret", "", 0, 0, 0, false, {type("abc")}, "abc", 3, 0, 3, 0},
        {"typing replaces the selection", "hello", 1, 3, 0, false, {type("E")}, "hEo", 2, 0, 1, 0},
        {"backspace at the start does nothing", "ab", 0, 0, 0, false, {kBack}, "ab", 0, 0, 0, 0},
        {"backspace deletes before the caret",
         "abc",
         2,
         0,
         0,
         false,
         {kBack, kBack},
         "c",
         0,
         0,
         2,
         0},
        {"backspace deletes the selection", "abcd", 1, 2, 0, false, {kBack}, "ad", 1, 0, 1, 0},
        {"delete removes after the caret",
         "abc",
         1,
         0,
         0,
         false,
         {key(VK_DELETE)},
         "ac",
         1,
         0,
         1,
         0},
        {"delete at the end does nothing",
         "abc",
         3,
         0,
         0,
         false,
         {key(VK_DELETE)},
         "abc",
         3,
         0,
         0,
         0},
        {"home and end move",
         "abc",
         1,
         0,
         0,
         false,
         {key(VK_HOME), type("<"), key(VK_END), type(">")},
         "<abc>",
         5,
         0,
         2,
         0},
        {"shift extends from the caret",
         "abcdef",
         4,
         0,
         0,
         false,
         {key(VK_LEFT, true), key(VK_LEFT, true), type("-")},
         "ab-ef",
         3,
         0,
         1,
         0},
        {"shift+home selects to the start",
         "abc",
         2,
         0,
         0,
         false,
         {key(VK_HOME, true)},
         "abc",
         0,
         2,
         0,
         0},
        {"left collapses a selection to its start",
         "abcd",
         1,
         2,
         0,
         false,
         {key(VK_LEFT)},
         "abcd",
         1,
         0,
         0,
         0},
        {"right collapses a selection to its end",
         "abcd",
         1,
         2,
         0,
         false,
         {key(VK_RIGHT)},
         "abcd",
         3,
         0,
         0,
         0},
        {"caret stops at both ends",
         "ab",
         0,
         0,
         0,
         false,
         {key(VK_LEFT), key(VK_RIGHT), key(VK_RIGHT), key(VK_RIGHT)},
         "ab",
         2,
         0,
         0,
         0},
        {"control characters insert nothing",
         "ab",
         2,
         0,
         0,
         false,
         {type("\r\t\x1b\x7f")},
         "ab",
         2,
         0,
         0,
         0},
        {"max length refuses the extra", "", 0, 0, 3, false, {type("abcde")}, "abc", 3, 0, 3, 2},
        {"max length counts the replaced selection",
         "abc",
         0,
         3,
         3,
         false,
         {type("xyz")},
         "xyz",
         3,
         0,
         3,
         0},
        {"locked allows moving only",
         "abc",
         1,
         1,
         0,
         true,
         {type("x"), kBack, key(VK_DELETE), key(VK_END, true)},
         "abc",
         3,
         2,
         0,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextBoxEditor editor;
        editor.setText(c.initial);
        editor.select(c.selStart, c.selLength);
        editor.setMaxLength(c.maxLength);
        editor.setLocked(c.locked);
        const auto [changes, refusals] = play(editor, c.steps);
        EXPECT_EQ(editor.text(), c.text);
        EXPECT_EQ(editor.caret(), c.caret);
        EXPECT_EQ(editor.selLength(), c.selLength_);
        EXPECT_EQ(changes, c.changes);
        EXPECT_EQ(refusals, c.refusals);
    }
}

// The same kind of sequences over UTF-8 text; positions are in characters.
TEST(TextBoxEditor, Utf8TextIsEditedByWholeCharacters) {
    struct Utf8Case {
        const char* name;
        std::string initial;
        std::size_t selStart, selLength, maxLength;
        std::vector<Step> steps;
        std::string text;
        std::size_t caret, selLength_;
        int refusals;
    };
    const std::string zoe = "Zo\xc3\xab";                  // Zoë
    const std::string nihon = "\xe6\x97\xa5\xe6\x9c\xac";  // 日本
    const Utf8Case cases[] = {
        {"typed bytes make one character", "", 0, 0, 0, {type(zoe)}, zoe, 3, 0, 0},
        {"backspace removes the whole character", zoe, 3, 0, 0, {kBack}, "Zo", 2, 0, 0},
        {"delete removes the whole character",
         nihon,
         0,
         0,
         0,
         {key(VK_DELETE)},
         "\xe6\x9c\xac",
         0,
         0,
         0},
        {"left and right step over characters",
         nihon + "x",
         0,
         0,
         0,
         {key(VK_RIGHT), key(VK_RIGHT), key(VK_LEFT)},
         nihon + "x",
         1,
         0,
         0},
        {"shift extends by characters",
         zoe + nihon,
         2,
         0,
         0,
         {key(VK_RIGHT, true), key(VK_RIGHT, true)},
         zoe + nihon,
         4,
         2,
         0},
        {"max length counts characters", "", 0, 0, 3, {type(nihon + "ab")}, nihon + "a", 3, 0, 1},
        {"typing over a selection of characters",
         zoe + nihon,
         2,
         3,
         0,
         {type("!")},
         "Zo!",
         3,
         0,
         0},
        {"a broken sequence is dropped",
         "a",
         1,
         0,
         0,
         {type("\xc3"
               "b\xab")},
         "ab",
         2,
         0,
         0},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextBoxEditor editor;
        editor.setText(c.initial);
        editor.selectChars(c.selStart, c.selLength);
        editor.setMaxLength(c.maxLength);
        const int refusals = play(editor, c.steps).second;
        EXPECT_EQ(editor.text(), c.text);
        const std::size_t caretChars = editor.caret() == editor.selStart()
                                           ? editor.selStartChars()
                                           : editor.selStartChars() + editor.selLengthChars();
        EXPECT_EQ(caretChars, c.caret);
        EXPECT_EQ(editor.selLengthChars(), c.selLength_);
        EXPECT_EQ(refusals, c.refusals);
    }
    // A byte offset inside a character moves to that character's start.
    TextBoxEditor editor;
    editor.setText(nihon);
    editor.select(1, 3);
    EXPECT_EQ(editor.selStart(), 0u);
    EXPECT_EQ(editor.selText(), "\xe6\x97\xa5");
}

TEST(TextBoxEditor, CodeIsNotLimitedByMaxLengthOrLocked) {
    TextBoxEditor editor;
    editor.setMaxLength(2);
    editor.setLocked(true);
    EXPECT_TRUE(editor.setText("longer than two"));
    EXPECT_FALSE(editor.setText("longer than two"));
    editor.select(7, 100);
    EXPECT_EQ(editor.selText(), "than two");
    EXPECT_TRUE(editor.replaceSelection("!", false).changed);
    EXPECT_EQ(editor.text(), "longer !");
    editor.select(100, 5);
    EXPECT_EQ(editor.selStart(), 8u);
    EXPECT_EQ(editor.selLength(), 0u);
}

}  // namespace
}  // namespace qv::host
