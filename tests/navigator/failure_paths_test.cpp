// SPDX-License-Identifier: MIT
// The bar under failure: every recordset call of every action fails in turn
// and is answered Retry, Ignore or Abort; and every action runs with a
// message-box service that fails. Afterwards the buttons and the status show
// the recordset's edit mode, no record but the one being changed differs,
// and nothing but an Error has left the click.
#include <algorithm>
#include <functional>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "bar_fixture.h"
#include "host/data_contract.h"
#include "host/message_box.h"
#include "navigator/error_report.h"

namespace qv::navigator::test {
namespace {

using Log = std::vector<std::string>;

// Answers each box with what `answer` returns for it; `answer` may throw.
class AnsweringBoxes : public host::MessageBoxService {
  public:
    explicit AnsweringBoxes(std::function<int(const host::MessageBoxRequest&)> answer)
        : m_answer(std::move(answer)) {}
    int show(const host::MessageBoxRequest& box) override { return m_answer(box); }
    void beep(unsigned) override {}

  private:
    std::function<int(const host::MessageBoxRequest&)> m_answer;
};

// The state a click starts from, on Bruno (the second record).
enum class Start { Browse, Adding, Editing };

class FailurePathTest : public BarTest {
  protected:
    void start(Start from) {
        placeControls(true);
        recordset().moveFirst();
        recordset().moveNext();
        if (from == Start::Adding) {
            click(qvRecordBar::AddRecord);
            recordset().fields()->item(host::Variant("name"))->setValue(host::Variant("Dora"));
        } else if (from == Start::Editing) {
            click(qvRecordBar::EditRecord);
            recordset().fields()->item(host::Variant("city"))->setValue(host::Variant("Paris"));
        }
        m_from = from;
        m_before = rows();
        log.clear();
    }

    void restart() {
        form->Unload();
        form = std::make_shared<host::Form>("Form1");
    }

    // The table as "id:name:city" rows in id order.
    Log rows() const {
        std::istringstream all(
            db->column("SELECT id || ':' || name || ':' || ifnull(city, '') FROM people"));
        Log out;
        for (std::string row; std::getline(all, row, ',');) out.push_back(row);
        return out;
    }

    // The look shows the edit mode, and only the record being changed (Bruno
    // in browse or while edited, a new one while adding) differs.
    void expectLookAndDataAgree() {
        const std::int16_t editMode = recordset().editMode();
        EXPECT_EQ(mode(), editMode == host::edit_mode::None ? "browse" : "pending");
        if (editMode != host::edit_mode::None) {
            EXPECT_EQ(bar->statusText(),
                      editMode == host::edit_mode::Add ? "New Record" : "Edit Record");
        }
        const Log after = rows();
        auto changed = [&](const Log& a, const Log& b) {
            Log out;
            for (const std::string& row : a) {
                if (std::ranges::find(b, row) == b.end())
                    out.push_back(row.substr(0, row.find(':')));
            }
            return out;
        };
        Log gone = changed(m_before, after);
        Log added = changed(after, m_before);
        if (m_from == Start::Adding) {
            // At most the one new record, under a new id.
            EXPECT_EQ(gone, Log{});
            EXPECT_TRUE(added.empty() || added == Log{"10"}) << added.size();
        } else {
            EXPECT_TRUE(gone.empty() || gone == Log{"5"}) << gone.size();
            EXPECT_TRUE(added.empty() || added == Log{"5"}) << added.size();
        }
    }

    Start m_from = Start::Browse;
    Log m_before;
};

// The actions each start allows: Find opens a modal dialog and is left out.
struct ActionCase {
    Start from;
    std::int16_t index;
};
constexpr ActionCase kActions[] = {
    {Start::Browse, qvRecordBar::FirstRecord},    {Start::Browse, qvRecordBar::PreviousRecord},
    {Start::Browse, qvRecordBar::NextRecord},     {Start::Browse, qvRecordBar::LastRecord},
    {Start::Browse, qvRecordBar::AddRecord},      {Start::Browse, qvRecordBar::DeleteRecord},
    {Start::Browse, qvRecordBar::EditRecord},     {Start::Adding, qvRecordBar::SaveChanges},
    {Start::Adding, qvRecordBar::CancelChanges},  {Start::Editing, qvRecordBar::SaveChanges},
    {Start::Editing, qvRecordBar::CancelChanges},
};

int answerOthersOK(const host::MessageBoxRequest& box, int report) {
    return box.title == ErrorReportTitle ? report : host::msgbox::OK;
}

TEST_F(FailurePathTest, EachFailingCallAnsweredEachWayLeavesTheLookOnTheDataMode) {
    const int answers[] = {host::msgbox::Retry, host::msgbox::Ignore, host::msgbox::Abort};
    int runs = 0;
    for (const ActionCase& action : kActions) {
        // The recordset calls of the action when nothing fails.
        start(action.from);
        AnsweringBoxes plain([](const auto& box) { return answerOthersOK(box, 0); });
        host::ScopedMessageBoxService plainService(plain);
        click(action.index);
        Log calls;
        for (const std::string& entry : log) {
            if (entry.find(':') == std::string::npos) calls.push_back(entry);
        }
        restart();

        for (std::size_t k = 0; k < calls.size(); ++k) {
            const int before =
                static_cast<int>(std::count(calls.begin(), calls.begin() + k, calls[k]));
            for (int answer : answers) {
                SCOPED_TRACE("button " + std::to_string(action.index) + " from " +
                             std::to_string(static_cast<int>(action.from)) + ", " + calls[k] +
                             " #" + std::to_string(before) + " failing, answer " +
                             std::to_string(answer));
                start(action.from);
                AnsweringBoxes answering(
                    [answer](const auto& box) { return answerOthersOK(box, answer); });
                host::ScopedMessageBoxService service(answering);
                faulty().failNext(calls[k], 1, before);
                EXPECT_NO_THROW(click(action.index));
                expectLookAndDataAgree();
                restart();
                ++runs;
            }
        }
    }
    EXPECT_GT(runs, 60);  // every action made recordset calls to fail
}

TEST_F(FailurePathTest, WithTheMessageBoxServiceFailingOnlyAnErrorLeavesAClick) {
    // A service that fails as a host does (an Error), and one that fails with
    // some other exception, which the click turns into an internal error.
    const std::function<int(const host::MessageBoxRequest&)> failures[] = {
        [](const auto& box) -> int {
            throw host::Error(host::errc::InvalidProcedureCall, "MsgBox",
                              "cannot show " + box.title);
        },
        [](const auto&) -> int { throw std::runtime_error("window system gone"); },
    };
    for (const auto& failure : failures) {
        for (const ActionCase& action : kActions) {
            // Without a failing call, and with the first call failing so that
            // the error report itself cannot be shown.
            for (bool failCall : {false, true}) {
                SCOPED_TRACE("button " + std::to_string(action.index) +
                             (failCall ? " with a failing call" : ""));
                start(action.from);
                AnsweringBoxes answering(failure);
                host::ScopedMessageBoxService service(answering);
                if (failCall) {
                    for (const char* member : {"BOF", "EOF", "AddNew", "Update", "CancelUpdate"})
                        faulty().failNext(member);
                }
                try {
                    click(action.index);
                } catch (const host::Error& e) {
                    EXPECT_FALSE(e.source().empty());
                    EXPECT_FALSE(e.description().empty());
                } catch (...) {
                    ADD_FAILURE() << "something other than an Error left the click";
                }
                expectLookAndDataAgree();
                restart();
            }
        }
    }
}

TEST_F(BarTest, AnUnshownNotConnectedBoxFailsTheClickWithItsError) {
    placeControls();
    bar->setMSDataControl("Data9");
    struct Case {
        const char* name;
        std::function<int(const host::MessageBoxRequest&)> answer;
        std::int32_t number;
    };
    const Case cases[] = {
        {"unanswered", nullptr, host::errc::InvalidProcedureCall},
        {"failing", [](const auto&) -> int { throw std::logic_error("no screen"); },
         host::errc::InternalError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<AnsweringBoxes> own;
        std::optional<host::ScopedMessageBoxService> service;
        if (c.answer) service.emplace(own.emplace(c.answer));
        try {
            click(qvRecordBar::NextRecord);
            ADD_FAILURE() << "no error";
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), c.number);
            if (!c.answer) {
                EXPECT_NE(e.description().find("has not been connected"), std::string::npos);
            }
        }
    }
    EXPECT_EQ(where(), "Ada");
}

}  // namespace
}  // namespace qv::navigator::test
