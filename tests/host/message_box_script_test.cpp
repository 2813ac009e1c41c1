// SPDX-License-Identifier: MIT
// The message-box service as scripts and tests use it: queued answers, the
// record of boxes and beeps, and the loud failures of an unscripted box.
#include "host/message_box_script.h"

#include <gtest/gtest.h>

#include "host/error.h"
#include "host/message_box_service.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

using Record = ScriptedMessageBoxes::Record;

TEST(MessageBoxRequest, StyleValueGivesButtonsIconDefaultAndEscape) {
    struct Case {
        std::int32_t style;
        std::vector<int> buttons;
        MessageBoxIcon icon;
        int defaultAnswer;
        std::optional<int> escape;
    };
    using namespace msgbox;
    const Case cases[] = {
        {0, {OK}, MessageBoxIcon::None, OK, OK},
        {1, {OK, Cancel}, MessageBoxIcon::None, OK, Cancel},
        {2, {Abort, Retry, Ignore}, MessageBoxIcon::None, Abort, std::nullopt},
        {50, {Abort, Retry, Ignore}, MessageBoxIcon::Exclamation, Abort, std::nullopt},
        {64, {OK}, MessageBoxIcon::Information, OK, OK},
        {2 + 256, {Abort, Retry, Ignore}, MessageBoxIcon::None, Retry, std::nullopt},
        {2 + 512, {Abort, Retry, Ignore}, MessageBoxIcon::None, Ignore, std::nullopt},
        {1 + 512, {OK, Cancel}, MessageBoxIcon::None, OK, Cancel},  // beyond the last: first
        {4 + 32, {Yes, No}, MessageBoxIcon::Question, Yes, std::nullopt},
        {3 + 16, {Yes, No, Cancel}, MessageBoxIcon::Critical, Yes, Cancel},
        {5 + 4096, {Retry, Cancel}, MessageBoxIcon::None, Retry, Cancel},  // modality bit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const MessageBoxRequest box{"p", c.style, "t"};
        EXPECT_NO_THROW(box.validate());
        EXPECT_EQ(box.buttons(), c.buttons);
        EXPECT_EQ(box.icon(), c.icon);
        EXPECT_EQ(box.defaultAnswer(), c.defaultAnswer);
        EXPECT_EQ(box.escapeAnswer(), c.escape);
    }
    for (std::int32_t bad : {6, 7, 80, 112, -1}) {
        EXPECT_THROW((MessageBoxRequest{"p", bad, "t"}.validate()), Error) << bad;
    }
}

TEST(ScriptedMessageBoxes, AnswersInOrderAndRecordsBoxesAndBeeps) {
    ScriptedMessageBoxes script;
    ScopedMessageBoxService installed(script);
    script.queueAnswers({msgbox::Cancel, msgbox::Retry});

    MessageBeep(MB_ICONEXCLAMATION);  // the platform's beep comes here too
    EXPECT_EQ(MsgBox("Are you sure you want to delete this record?", 1, "USER"), msgbox::Cancel);
    EXPECT_EQ(MsgBox("line one\rline two\r", 50, "ERROR"), msgbox::Retry);
    Beep();

    const std::vector<Record> expected = {
        {Record::Kind::Beep, {}, 0, MB_ICONEXCLAMATION},
        {Record::Kind::Box, {"Are you sure you want to delete this record?", 1, "USER"}, 2, 0},
        {Record::Kind::Box, {"line one\rline two\r", 50, "ERROR"}, 4, 0},
        {Record::Kind::Beep, {}, 0, 0},
    };
    EXPECT_EQ(script.records(), expected);
    EXPECT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.beepCount(), 2u);
    EXPECT_EQ(script.pendingAnswers(), 0u);
}

TEST(ScriptedMessageBoxes, UnscriptedOrImpossibleAnswersFailNamingTheBox) {
    ScriptedMessageBoxes script;
    ScopedMessageBoxService installed(script);
    try {
        MsgBox("No record to edit", 0, "DATA ERROR");
        FAIL() << "an unscripted box must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 5);
        EXPECT_NE(e.description().find("DATA ERROR"), std::string::npos);
        EXPECT_NE(e.description().find("No record to edit"), std::string::npos);
    }
    // Ignore is not a button of an OK/Cancel box: the answer is used up, and
    // the box is not recorded as answered.
    script.queueAnswers({msgbox::Ignore, msgbox::OK});
    EXPECT_THROW(MsgBox("Delete?", 1, "USER"), Error);
    EXPECT_EQ(MsgBox("Delete?", 1, "USER"), msgbox::OK);
    ASSERT_EQ(script.records().size(), 1u);
    EXPECT_EQ(script.records()[0].answer, msgbox::OK);
    // An invalid style fails before any answer is taken.
    script.queueAnswer(msgbox::OK);
    EXPECT_THROW(MsgBox("x", 9, "y"), Error);
    EXPECT_EQ(script.pendingAnswers(), 1u);
}

TEST(ScriptedMessageBoxes, ServiceIsPerScopeAndMissingServiceFails) {
    EXPECT_EQ(currentMessageBoxService(), nullptr);
    EXPECT_THROW(MsgBox("nobody to show this", 0, "t"), Error);
    EXPECT_NO_THROW(Beep());
    ScriptedMessageBoxes outer;
    ScriptedMessageBoxes inner;
    {
        ScopedMessageBoxService a(outer);
        {
            ScopedMessageBoxService b(inner);
            Beep();
        }
        Beep();
        MessageBeep(0);
        Beep();
    }
    EXPECT_EQ(currentMessageBoxService(), nullptr);
    MessageBeep(0);  // routed nowhere once the scopes end
    EXPECT_EQ(inner.beepCount(), 1u);
    EXPECT_EQ(outer.beepCount(), 3u);
}

}  // namespace
}  // namespace qv::host
