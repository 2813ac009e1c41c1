// SPDX-License-Identifier: MIT
#include "script.h"

#include <gtest/gtest.h>

namespace qv::qvform {
namespace {

struct GoodLine {
    const char* line;
    CommandKind kind;
    const char* target;
    const char* argument;
    int number;
};

TEST(ScriptTest, ParsesEachCommandWithItsArguments) {
    const GoodLine cases[] = {
        {"click qvRecordBar1.Buttonbar(2)", CommandKind::Click, "qvRecordBar1.Buttonbar(2)", "", 0},
        {"  click   Command1  ", CommandKind::Click, "Command1", "", 0},
        // Typed text is the rest of the line after one blank, blanks kept.
        {"type txtName  two  spaces", CommandKind::Type, "txtName", " two  spaces", 0},
        {"type txtName # not a comment", CommandKind::Type, "txtName", "# not a comment", 0},
        {"type txtName", CommandKind::Type, "txtName", "", 0},
        {"key txtCity Enter", CommandKind::Key, "txtCity", "Enter", 0},
        {"answer 4", CommandKind::Answer, "", "", 4},
        {"print", CommandKind::Print, "", "", 0},
        {"print frmDBSearch.optSearch(1).Value", CommandKind::Print,
         "frmDBSearch.optSearch(1).Value", "", 0},
        {"set qvRecordBar1.StatusVisible False", CommandKind::Set, "qvRecordBar1.StatusVisible",
         "False", 0},
        {"set Label1.Caption two words", CommandKind::Set, "Label1.Caption", "two words", 0},
        {"fail-next Recordset.Update", CommandKind::FailNext, "Recordset.Update", "", 1},
        {"fail-next Data1.Recordset.MoveNext 3", CommandKind::FailNext, "Data1.Recordset.MoveNext",
         "", 3},
        {"shot out/a shot.png", CommandKind::Shot, "out/a shot.png", "", 0},
        {"move btnNew 14 -3", CommandKind::Move, "btnNew", "", 14},
        {"signal a-ready", CommandKind::Signal, "", "a-ready", 0},
        {"wait b.saved", CommandKind::Wait, "", "b.saved", 0},
        {"page qvRecordBar1 ppData", CommandKind::Page, "qvRecordBar1", "ppData", 0},
        {"apply", CommandKind::Apply, "", "", 0},
        {"save", CommandKind::Save, "", "", 0},
        {"save out/a form.form", CommandKind::Save, "out/a form.form", "", 0},
    };
    for (const GoodLine& c : cases) {
        SCOPED_TRACE(c.line);
        const auto commands = parseScript(c.line);
        ASSERT_EQ(commands.size(), 1u);
        EXPECT_EQ(commands[0].kind, c.kind);
        EXPECT_EQ(commands[0].target, c.target);
        EXPECT_EQ(commands[0].argument, c.argument);
        EXPECT_EQ(commands[0].number, c.number);
    }
    EXPECT_EQ(parseScript("move btnNew 14 -3")[0].y, -3);
}

TEST(ScriptTest, SkipsCommentsAndBlankLinesButCountsThem) {
    const auto commands =
        parseScript("# heading\r\n\r\n  print\r\n   # indented comment\nanswer 1");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].line, 3u);
    EXPECT_EQ(commands[0].text, "print");  // trimmed, no carriage return
    EXPECT_EQ(commands[1].line, 5u);
}

TEST(ScriptTest, RefusesMalformedLinesNamingTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"jump Command1", "line 2: unknown command \"jump\""},
        {"answer 0", "line 2: answer: expects an answer from 1 to 7"},
        {"answer yes", "line 2: answer: expects an answer from 1 to 7"},
        {"answer 4x", "line 2: answer: expects an answer from 1 to 7"},
        {"print all", "line 2: print: expects NAME.PROPERTY"},
        {"print a.b c", "line 2: print: takes at most one NAME.PROPERTY"},
        {"print a..b", "line 2: print: malformed name"},
        {"click", "line 2: click: expects a control name"},
        {"shot", "line 2: shot: expects a file name"},
        {"page qvRecordBar1", "line 2: page: expects a control and a page"},
        {"apply now", "line 2: apply: takes no arguments"},
        {"key txtName", "line 2: key: expects a key"},
        {"set Label1.Caption", "line 2: set: expects a value"},
        {"fail-next Update", "line 2: fail-next: expects NAME.METHOD"},
        {"fail-next Recordset.Update 0", "line 2: fail-next: expects a positive count"},
        {"fail-next Recordset.Update many", "line 2: fail-next: expects a positive count"},
        {"move btnNew 4", "line 2: move: expects NAME X Y"},
        {"move btnNew x 4", "line 2: move: expects NAME X Y"},
        {"move btnNew 2147483647 4", "line 2: move: X and Y must lie between -1000000 and 1000000"},
        {"move btnNew 0 -1000001", "line 2: move: X and Y must lie between -1000000 and 1000000"},
        {"click a(b)", "line 2: click: malformed name"},
        {"click a..b", "line 2: click: malformed name"},
        {"click a(1", "line 2: click: malformed name"},
        {"click a(99999)", "line 2: click: malformed name"},
        {"wait", "line 2: wait: expects one marker name"},
        {"signal a b", "line 2: signal: expects one marker name"},
        {"signal ../a", "line 2: signal: expects one marker name"},
    };
    for (const auto& [line, message] : cases) {
        SCOPED_TRACE(line);
        try {
            parseScript(std::string("print\n") + line);
            ADD_FAILURE() << "accepted";
        } catch (const ScriptError& e) {
            EXPECT_STREQ(e.what(), message);
            EXPECT_EQ(e.line(), 2u);
        }
    }
}

TEST(ScriptTest, SplitsControlPaths) {
    EXPECT_EQ(splitPath("qvRecordBar1.Buttonbar(2)"),
              (std::vector<PathStep>{{"qvRecordBar1", false, 0}, {"Buttonbar", true, 2}}));
    EXPECT_EQ(splitPath("frmDBSearch.cmdDone"),
              (std::vector<PathStep>{{"frmDBSearch", false, 0}, {"cmdDone", false, 0}}));
    EXPECT_EQ(splitPath("Text1(0)"), (std::vector<PathStep>{{"Text1", true, 0}}));
    for (const char* bad : {"", ".", "a.", ".a", "a()", "a(-1)", "(1)", "a(1)b", "a b"}) {
        EXPECT_TRUE(splitPath(bad).empty()) << bad;
    }
}

}  // namespace
}  // namespace qv::qvform
