// SPDX-License-Identifier: MIT
// A program that runs its form through the runner keeps every handler it
// attached: the transcript listens beside them and takes none away.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/error.h"
#include "host_program.h"
#include "qvform/embedding.h"

namespace qv::embedding::test {
namespace {

using KeptHandlers = HostProgram;

TEST_F(KeptHandlers, RunningAScriptKeepsTheProgramsHandlers) {
    placeDataAndBar();
    place("qvSoftButton", "btnTool", {120, 120, 450, 450});
    place("CommandButton", "cmdClose", {1200, 120, 1200, 450});
    for (const auto& [control, event] : {std::pair{"btnTool", "Click"},
                                         {"btnTool", "MouseMove"},
                                         {"qvRecordBar1", "BeforeAdd"},
                                         {"cmdClose", "Click"}}) {
        note(control, event);
    }
    const auto script = folder / "run.qvs";
    std::ofstream(script) << "click btnTool\nclick qvRecordBar1.Buttonbar(5)\nclick cmdClose\n";
    std::ostringstream transcript;
    EXPECT_EQ(qvform::runForm(form, folder.string(), script.string(), transcript), 0);

    for (const char* wanted :
         {"btnTool.Click", "btnTool.MouseMove", "qvRecordBar1.BeforeAdd", "cmdClose.Click"}) {
        EXPECT_NE(std::find(log.begin(), log.end(), wanted), log.end()) << wanted;
    }
    // The transcript still hears the events it reports.
    EXPECT_NE(transcript.str().find("event btnTool.Click"), std::string::npos) << transcript.str();
    EXPECT_NE(transcript.str().find("event qvRecordBar1.BeforeAdd"), std::string::npos);
}

// A handler that fails fails the script command that set it off: the
// program gets qvform's status 1, and the button is not left pressed.
TEST_F(KeptHandlers, AFailingHandlerFailsTheScript) {
    auto button = place("qvSoftButton", "btnTool", {120, 120, 450, 450});
    note("btnTool", "Click",
         [] { throw host::Error(host::errc::InvalidProcedureCall, "frmHost", "the tool broke"); });
    const auto script = folder / "run.qvs";
    std::ofstream(script) << "click btnTool\nclick btnTool\n";
    std::ostringstream transcript;
    EXPECT_EQ(qvform::runForm(form, folder.string(), script.string(), transcript), 1);
    EXPECT_EQ(log.size(), 1u);  // the script stopped at the first failure
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace qv::embedding::test
