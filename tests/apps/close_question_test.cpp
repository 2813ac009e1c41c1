// SPDX-License-Identifier: MIT
#include "close_question.h"

#include "host/form.h"
#include "runner_fixture.h"

namespace qv::qvform::test {
namespace {

class CloseQuestionTest : public RunnerTest {};

// Closing with a change pending asks; each answer decides what the record
// and the form end up as.
TEST_F(CloseQuestionTest, EachAnswerDecidesTheChangeAndTheClose) {
    struct Case {
        const char* script;  // how the change is made and answered
        bool closes;
        const char* names;  // the table afterwards
    };
    const Case cases[] = {
        {"click qvRecordBar1.Buttonbar(7)\ntype txtName !\nanswer 6", true, "!Ada,Bruno,Carla"},
        {"click qvRecordBar1.Buttonbar(7)\ntype txtName !\nanswer 7", true, "Ada,Bruno,Carla"},
        {"click qvRecordBar1.Buttonbar(7)\ntype txtName !\nanswer 2", false, "Ada,Bruno,Carla"},
        {"click qvRecordBar1.Buttonbar(5)\ntype txtName Dora\nanswer 6", true,
         "Ada,Bruno,Carla,Dora"},
        // A save that fails (and is given up: Abort) keeps the form open
        // with what was typed.
        {"click qvRecordBar1.Buttonbar(7)\ntype txtName !\nfail-next Recordset.Update\n"
         "answer 6\nanswer 3",
         false, "Ada,Bruno,Carla"},
        // Typing without Edit started an edit, so closing asks too.
        {"type txtName !\nanswer 6", true, "!Ada,Bruno,Carla"},
        {"type txtName !\nanswer 7", true, "Ada,Bruno,Carla"},
        // Nothing pending: no question, the form closes.
        {"click qvRecordBar1.Buttonbar(2)", true, "Ada,Bruno,Carla"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        session = std::make_unique<FormSession>(transcript, &harness);
        column("UPDATE people SET name = 'Ada' WHERE id = 2");
        column("DELETE FROM people WHERE id > 9");
        open();
        run(c.script);
        out.str("");
        EXPECT_EQ(confirmClose(*session->form()), c.closes);
        EXPECT_EQ(column("SELECT name FROM people ORDER BY id"), c.names);
        // The question is asked exactly when a change is pending, and a
        // form that stays open still holds its change.
        const bool asked =
            out.str().find("Save changes to the current record?") != std::string::npos;
        EXPECT_EQ(asked,
                  std::string(c.script).starts_with("click qvRecordBar1.Buttonbar(2)") == false);
        EXPECT_EQ(hasPendingChange(*session->form()), !c.closes);
    }
}

}  // namespace
}  // namespace qv::qvform::test
