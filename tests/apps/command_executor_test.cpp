// SPDX-License-Identifier: MIT
// The runner's commands on a real form: the modal Find dialog, and failures
// that must end the run rather than be taken for failures of the form.
#include "command_executor.h"

#include <gtest/gtest.h>

#include "data/bound_controls_text_box.h"
#include "host/data_contract.h"
#include "runner_fixture.h"
#include "search/frmDBSearch.h"

namespace qv::qvform::test {
namespace {

class ExecutorTest : public RunnerTest {
  protected:
    void SetUp() override { open(); }
    // Runs `script` and returns the reason it failed, or "" when it ran.
    std::string failure(const std::string& script) {
        try {
            run(script);
        } catch (const RunFailure& f) {
            return f.what();
        }
        return "";
    }
};

TEST_F(ExecutorTest, TheFindDialogTakesTheCommandsThatFollowUntilItCloses) {
    run("click qvRecordBar1.Buttonbar(4)\n"
        "print\n"
        "click frmDBSearch.cmdDone\n"
        "click qvRecordBar1.Buttonbar(2)\n"
        "print\n");
    EXPECT_EQ(out.str(),
              "> click qvRecordBar1.Buttonbar(4)\n"
              "> print\n"
              "record Data1: id=2; name=Ada; city=Spokane\n"
              "> click frmDBSearch.cmdDone\n"
              "> click qvRecordBar1.Buttonbar(2)\n"
              "> print\n"
              "record Data1: id=5; name=Bruno; city=Lyon\n");
}

TEST_F(ExecutorTest, PrintShowsOneValueOfTheActiveFormOrTheFormBehind) {
    run("set lblCity.Caption say \"hi\"\n"
        "print lblCity.Caption\n"
        "print frmPeople.lblCity.Width\n"
        "print qvRecordBar1.StatusVisible\n"
        "print qvRecordBar1.DataSource\n"
        "click qvRecordBar1.Buttonbar(4)\n"
        "type frmDBSearch.txtSearch Ca\n"
        "click frmDBSearch.optSearch(0)\n"
        "print frmDBSearch.optSearch(0).Value\n"
        "print frmDBSearch.cboSearch.ListCount\n"
        "click frmDBSearch.cmdPrivate\n"
        "print frmDBSearch.cboSearch.Text\n"
        "print txtName.Text\n"
        "print\n"
        "key frmDBSearch.txtSearch Esc\n");
    EXPECT_EQ(out.str(),
              "> set lblCity.Caption say \"hi\"\n"
              "> print lblCity.Caption\n"
              "value lblCity.Caption = \"say \"\"hi\"\"\"\n"
              "> print frmPeople.lblCity.Width\n"
              "value frmPeople.lblCity.Width = 3000\n"
              "> print qvRecordBar1.StatusVisible\n"
              "value qvRecordBar1.StatusVisible = True\n"
              "> print qvRecordBar1.DataSource\n"
              "value qvRecordBar1.DataSource = Nothing\n"
              "> click qvRecordBar1.Buttonbar(4)\n"
              "> type frmDBSearch.txtSearch Ca\n"
              "> click frmDBSearch.optSearch(0)\n"
              "> print frmDBSearch.optSearch(0).Value\n"
              "value frmDBSearch.optSearch(0).Value = True\n"
              "> print frmDBSearch.cboSearch.ListCount\n"
              "value frmDBSearch.cboSearch.ListCount = 3\n"
              "> click frmDBSearch.cmdPrivate\n"
              "> print frmDBSearch.cboSearch.Text\n"
              "value frmDBSearch.cboSearch.Text = \"name\"\n"
              "> print txtName.Text\n"
              "value txtName.Text = \"Carla\"\n"
              "> print\n"
              "record Data1: id=9; name=Carla; city=Null\n"
              "> key frmDBSearch.txtSearch Esc\n");
    EXPECT_EQ(failure("print lblCity.Nothing"),
              "line 1 (print lblCity.Nothing): lblCity.Nothing names no property");
}

TEST_F(ExecutorTest, AFailureInsideTheDialogEndsTheRunWithoutAnErrorReport) {
    const std::string cases[] = {
        "click frmDBSearch.cmdNothing",
        "click qvRecordBar1.Buttonbar(2)",  // the form behind takes no input
        "print",                            // the script ends with the dialog open
    };
    for (const std::string& inside : cases) {
        SCOPED_TRACE(inside);
        out.str("");
        const std::string reason = failure("click qvRecordBar1.Buttonbar(4)\n" + inside + "\n");
        EXPECT_NE(reason, "");
        EXPECT_EQ(out.str().find("msgbox"), std::string::npos) << out.str();
        ASSERT_TRUE(search::frmDBSearch::instanceExists());
        EXPECT_FALSE(search::frmDBSearch::instance()->loaded());
    }
}

TEST_F(ExecutorTest, NamesTheLineAndTheReasonOfEachFailure) {
    const std::pair<const char*, const char*> cases[] = {
        {"click Nobody", "line 1 (click Nobody): frmPeople has no control Nobody"},
        {"click lblCity", "line 1 (click lblCity): lblCity cannot be clicked"},
        {"click txtName.Part", "line 1 (click txtName.Part): txtName holds no control Part"},
        {"key txtName F13", "line 1 (key txtName F13): unknown key \"F13\""},
        {"type lblCity x", "line 1 (type lblCity x): lblCity cannot take the focus"},
        {"fail-next Recordset.Refresh",
         "line 1 (fail-next Recordset.Refresh): a recordset has "
         "no member Refresh"},
        {"wait b-saved", "line 1 (wait b-saved): signal and wait need --sync DIR"},
        {"fail-next txtName.Recordset.Update",
         "line 1 (fail-next txtName.Recordset.Update): "
         "txtName is not a data control"},
        {"click qvRecordBar1.Buttonbar(6)",
         "line 1 (click qvRecordBar1.Buttonbar(6)): error 5 from MsgBox: No answer was queued "
         "for the message box \"USER\": Are you sure you want to delete this record?"},
    };
    for (const auto& [script, reason] : cases) EXPECT_EQ(failure(script), reason) << script;
}

// A run without the harness (as through the embedding API) refuses the
// harness's commands and lets the bar find its own data control.
TEST_F(ExecutorTest, WithoutAHarnessOnlyTheHarnessCommandsAreRefused) {
    session = std::make_unique<FormSession>(transcript);
    open();
    const char* kRefused = "planned failures and sync markers belong to qvform's own runs";
    for (const char* script : {"fail-next Recordset.Update", "signal done", "wait done"}) {
        EXPECT_EQ(failure(script), std::string("line 1 (") + script + "): " + kRefused);
    }
    EXPECT_EQ(failure("click qvRecordBar1.Buttonbar(3)"), "");
    EXPECT_EQ(control<host::DataControl>("Data1")->recordset()->absolutePosition(), 2);
}

TEST_F(ExecutorTest, TypesSetsAndPressesKeysAsAPersonWould) {
    run("type txtName bert\n"
        "key txtName Home\n"
        "type txtName Al\n"
        "set lblCity.Caption \"Oslo\"\n"
        "set qvRecordBar1.StatusVisible False\n");
    EXPECT_EQ(control<data::DataTextBox>("txtName")->Text(), "AlbertAda");
    EXPECT_EQ(session->form()->find("lblCity")->get("Caption").toString(), "Oslo");
    EXPECT_FALSE(session->form()->find("qvRecordBar1")->get("StatusVisible").toBoolean());
}

}  // namespace
}  // namespace qv::qvform::test
