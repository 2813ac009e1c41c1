// SPDX-License-Identifier: MIT
// The Find Record dialog over a real recordset: its keys and tab order, the
// field list and preselection, the search over all fields with the criterion
// it sends and where it leaves the recordset and the list, the refusals and the
// recordset failures it shows, and its life cycle (one instance per thread,
// loaded afresh by each modal show).
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/error.h"
#include "host/form_runner.h"
#include "host/form_runner_control.h"
#include "host/forwarding_recordset.h"
#include "host/message_box_script.h"
#include "host/modal_show.h"
#include "host/option_button.h"
#include "host/text_box.h"
#include "search/frmDBSearch.h"
#include "search/search_handover.h"

namespace qv::search::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (_RECNUM INTEGER, id INTEGER PRIMARY KEY, name TEXT, city TEXT,"
    " \"Zip Code\" TEXT);"
    "INSERT INTO people VALUES (0, 1, 'Ada Abbott', 'Spokane', '99201'),"
    " (0, 2, 'Bruno Spencer', 'Lyon', '69001'), (0, 3, 'Marta O''Brien', 'Springfield', '62701'),"
    " (0, 4, '\u00c5ngstr\u00f6m Lab', 'Osaka', '530');"
    "CREATE TABLE other (name TEXT, _recnum INTEGER);"
    "CREATE TABLE hidden (_RECNUM INTEGER);";

// Forwards to a real recordset, logs every find with its criterion, and fails
// the next find on request.
class LoggingRecordset : public host::ForwardingRecordset {
  public:
    using ForwardingRecordset::ForwardingRecordset;
    void findFirst(std::string_view criterion) override {
        finds.push_back("FindFirst " + std::string(criterion));
        ForwardingRecordset::findFirst(criterion);
    }
    void findNext(std::string_view criterion) override {
        finds.push_back("FindNext " + std::string(criterion));
        ForwardingRecordset::findNext(criterion);
    }
    std::vector<std::string> finds;
    std::optional<host::Error> failNextFind;

  protected:
    void enter(std::string_view member) override {
        if (failNextFind && member.starts_with("Find")) {
            const host::Error e = *failNextFind;
            failNextFind.reset();
            throw e;
        }
    }
};

class FindDialogTest : public ::testing::Test {
  protected:
    FindDialogTest() {
        data::SqliteConnection::Options options;
        options.create = true;
        m_db = data::SqliteConnection::open(":memory:", options);
        m_db->execute(kPeople);
    }
    ~FindDialogTest() override {
        if (dialog->loaded()) host::FormRunner::Unload(dialog);
        SearchRecordset = nullptr;
    }

    // Hands `table` over as the navigator does and shows the dialog.
    void open(const std::string& fieldName = "", const char* table = "people") {
        if (!rs || m_table != table) {
            rs = std::make_shared<LoggingRecordset>(data::Recordset::open(m_db, table));
            m_table = table;
        }
        SearchRecordset = rs;
        SearchFieldName = fieldName;
        host::FormRunner::Show(dialog, 0);
    }
    std::vector<std::string> listed() const {
        std::vector<std::string> names;
        for (int i = 0; i < dialog->cboSearch()->ListCount(); ++i) {
            names.push_back(dialog->cboSearch()->List(i));
        }
        return names;
    }
    // The id of the current record, or "BOF" / "EOF".
    std::string where() const {
        if (rs->eof()) return "EOF";
        if (rs->bof()) return "BOF";
        return rs->fields()->item(host::Variant("id"))->value().toString();
    }
    // The boxes shown as "STYLE TITLE: PROMPT", and "beep"; then forgets them.
    std::vector<std::string> seen() {
        std::vector<std::string> out;
        for (const auto& r : boxes.records()) {
            out.push_back(r.kind == host::ScriptedMessageBoxes::Record::Kind::Beep
                              ? "beep"
                              : std::to_string(r.box.style) + " " + r.box.title + ": " +
                                    r.box.prompt);
        }
        boxes.clearRecords();
        return out;
    }
    void search(const std::string& text, SearchMode mode, bool next) {
        dialog->txtSearch()->setText(text);
        dialog->optSearch(mode == SearchMode::BeginsWith ? 0 : 1)->setValue(true);
        rs->finds.clear();
        boxes.queueAnswer(host::msgbox::OK);
        if (next) {
            dialog->cmdFindNext()->press();
        } else {
            dialog->cmdPrivate()->press();
        }
    }

    std::shared_ptr<frmDBSearch> dialog = frmDBSearch::instance();
    std::shared_ptr<LoggingRecordset> rs;
    host::ScriptedMessageBoxes boxes;

  private:
    host::ScopedMessageBoxService m_service{boxes};
    std::shared_ptr<data::DbConnection> m_db;
    std::string m_table;
};

TEST_F(FindDialogTest, TabOrderDefaultAndCancelButtons) {
    open();
    EXPECT_EQ(dialog->Caption(), "Find Record");
    std::vector<std::string> order;
    for (auto* control : host::FormRunner::tabOrder(*dialog))
        order.push_back(displayName(*control));
    // Tab stops at the chosen option button only; the frame takes no focus.
    EXPECT_EQ(order, (std::vector<std::string>{"cmdPrivate", "cboSearch", "txtSearch", "cmdDone",
                                               "optSearch(1)", "cmdFindNext"}));
    EXPECT_EQ(host::FormRunner::defaultButton(*dialog), dialog->cmdPrivate());
    EXPECT_EQ(host::FormRunner::cancelButton(*dialog), dialog->cmdDone());
    // Enter in the text box or the list runs "&Find"; Esc runs "&Cancel".
    for (host::FormRunnerControl* from : std::initializer_list<host::FormRunnerControl*>{
             dialog->txtSearch(), dialog->cboSearch()}) {
        boxes.queueAnswer(host::msgbox::OK);
        EXPECT_TRUE(host::FormRunner::dialogKey(*from, VK_RETURN));
        EXPECT_EQ(seen(), (std::vector<std::string>{"beep",
                                                    "0 No Search Text: You must enter "
                                                    "text to search"}));
    }
    EXPECT_TRUE(host::FormRunner::dialogKey(*dialog->txtSearch(), VK_ESCAPE));
    EXPECT_FALSE(dialog->loaded());
}

TEST_F(FindDialogTest, ListsTheFieldsAndPreselectsByExactName) {
    const struct {
        const char* table;
        const char* fieldName;
        int preselected;
    } cases[] = {
        {"people", "city", 2},    {"people", "City", 0},    {"people", "", 0},
        {"people", "nowhere", 0}, {"people", "_RECNUM", 0}, {"people", "Zip Code", 3},
        {"other", "_recnum", 1},  {"other", "_RECNUM", 0},
    };
    for (const auto& c : cases) {
        open(c.fieldName, c.table);
        EXPECT_EQ(listed(), std::string(c.table) == "people"
                                ? (std::vector<std::string>{"id", "name", "city", "Zip Code"})
                                : (std::vector<std::string>{"name", "_recnum"}));
        EXPECT_EQ(dialog->DefaultFieldIndex(), c.preselected) << c.fieldName;
        EXPECT_EQ(dialog->cboSearch()->ListIndex(), c.preselected) << c.fieldName;
        EXPECT_EQ(dialog->txtSearch()->Text(), "");
        EXPECT_TRUE(dialog->txtSearch()->hasFocus());
        EXPECT_EQ(dialog->mode(), SearchMode::Contains);
        host::FormRunner::Unload(dialog);
    }
}

// The criterion over every listed field of people for a quoted pattern.
std::string overAll(const std::string& how, const std::string& pattern) {
    std::string criterion = how;
    for (const char* field : {"id", "name", "city", "[Zip Code]"}) {
        criterion +=
            std::string(criterion == how ? " " : " OR ") + field + " LIKE '" + pattern + "'";
    }
    return criterion;
}

TEST_F(FindDialogTest, OneFindOverAllFieldsEndsOnTheFirstFieldOfTheMatch) {
    open("city");
    const std::vector<std::string> nothing;
    const std::vector<std::string> noMatch = {"64 Find Error: No Matching Records"};
    // Each step runs on from where the one before left the recordset.
    const struct {
        const char* text;
        SearchMode mode;
        bool next;
        std::string find;
        const char* where;
        const char* field;  // the list's text afterwards
        std::vector<std::string> boxes;
    } steps[] = {
        // Records in order, whichever field holds the text.
        {"Sp", SearchMode::Contains, false, overAll("FindFirst", "*Sp*"), "1", "city", nothing},
        {"Sp", SearchMode::Contains, true, overAll("FindNext", "*Sp*"), "2", "name", nothing},
        {"Sp", SearchMode::Contains, true, overAll("FindNext", "*Sp*"), "3", "city", nothing},
        // No wrap-around: the record and the list stay.
        {"Sp", SearchMode::Contains, true, overAll("FindNext", "*Sp*"), "3", "city", noMatch},
        {"sp", SearchMode::BeginsWith, false, overAll("FindFirst", "sp*"), "1", "city", nothing},
        // Two fields hold the text: the list shows the first.
        {"1", SearchMode::Contains, false, overAll("FindFirst", "*1*"), "1", "id", nothing},
        {"01", SearchMode::Contains, true, overAll("FindNext", "*01*"), "2", "Zip Code", nothing},
        {"o'brien", SearchMode::Contains, false, overAll("FindFirst", "*o''brien*"), "3", "name",
         nothing},
        {"\u00e5ngstr\u00d6m", SearchMode::BeginsWith, false,
         overAll("FindFirst", "\u00e5ngstr\u00d6m*"), "4", "name", nothing},
        {"xyz", SearchMode::Contains, false, overAll("FindFirst", "*xyz*"), "4", "name", noMatch},
        // Blanks are searched for: only the empty text is refused.
        {" ", SearchMode::BeginsWith, false, overAll("FindFirst", " *"), "4", "name", noMatch},
        {"",
         SearchMode::Contains,
         false,
         "",
         "4",
         "name",
         {"beep", "0 No Search Text: You must enter text to search"}},
    };
    for (const auto& s : steps) {
        search(s.text, s.mode, s.next);
        EXPECT_EQ(rs->finds,
                  s.find.empty() ? std::vector<std::string>{} : std::vector<std::string>{s.find})
            << s.text;
        EXPECT_EQ(where(), s.where) << s.text;
        EXPECT_EQ(dialog->cboSearch()->Text(), s.field) << s.text;
        EXPECT_EQ(seen(), s.boxes) << s.text;
        EXPECT_TRUE(dialog->loaded());
        EXPECT_TRUE(dialog->txtSearch()->hasFocus()) << s.text;
    }
}

TEST_F(FindDialogTest, ARecordsetFailureIsShownAndTheDialogStaysUsable) {
    open();
    search("Sp", SearchMode::Contains, false);  // finds Spokane
    rs->failNextFind = host::Error(3420, "qvData.Recordset", "The recordset went away.");
    search("Sp", SearchMode::Contains, true);
    EXPECT_EQ(rs->finds, std::vector<std::string>{overAll("FindNext", "*Sp*")});
    EXPECT_EQ(seen(), std::vector<std::string>{"48 Find Error: Error 3420 from qvData.Recordset:\n"
                                               "The recordset went away."});
    EXPECT_EQ(where(), "1");
    EXPECT_EQ(dialog->cboSearch()->Text(), "city");
    ASSERT_TRUE(dialog->loaded());
    search("Sp", SearchMode::Contains, true);
    EXPECT_EQ(where(), "2");
    EXPECT_TRUE(seen().empty());
}

TEST_F(FindDialogTest, WithoutAListedFieldNothingIsFound) {
    open("", "hidden");
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(dialog->cboSearch()->ListIndex(), -1);
    search("a", SearchMode::Contains, false);
    EXPECT_TRUE(rs->finds.empty());
    EXPECT_EQ(seen(), std::vector<std::string>{"64 Find Error: No Matching Records"});
}

TEST_F(FindDialogTest, ReopeningShowsAnEmptyTextThePreselectedFieldAndContains) {
    open("city");
    search("Sp", SearchMode::BeginsWith, false);
    dialog->cboSearch()->setListIndex(3);
    dialog->cmdDone()->press();
    ASSERT_FALSE(dialog->loaded());
    open("city");
    EXPECT_EQ(dialog->txtSearch()->Text(), "");
    EXPECT_EQ(dialog->cboSearch()->Text(), "city");
    EXPECT_TRUE(dialog->optSearch(1)->Value());
    EXPECT_FALSE(dialog->optSearch(0)->Value());
}

TEST(FindDialog, OneInstancePerThread) {
    auto here = frmDBSearch::instance();
    EXPECT_EQ(frmDBSearch::instance(), here);
    std::shared_ptr<frmDBSearch> there;
    bool existedThere = true;
    std::thread([&] {
        existedThere = frmDBSearch::instanceExists();
        there = frmDBSearch::instance();
        SearchFieldName = "elsewhere";
    }).join();
    EXPECT_FALSE(existedThere);
    EXPECT_NE(there, here);
    EXPECT_NE(SearchFieldName, "elsewhere");
}

TEST(FindDialog, EachWayOutUnloadsAndTheNextShowLoadsAfresh) {
    auto dialog = frmDBSearch::instance();
    const std::vector<std::function<void()>> waysOut = {
        [&] { EXPECT_TRUE(dialog->cmdDone()->press()); },
        [&] { host::FormRunner::dialogKey(*dialog->txtSearch(), VK_ESCAPE); },
        // The close box unloads the form.
        [&] { host::FormRunner::Unload(dialog); },
    };
    for (const auto& wayOut : waysOut) {
        int loops = 0;
        host::ScopedModalLoop loop([&](host::Form& form) {
            ++loops;
            EXPECT_TRUE(form.loaded());
            EXPECT_NE(host::FormRunner::windowOf(form), nullptr);
            EXPECT_EQ(dialog->cmdDone()->Caption(), "&Cancel");
            wayOut();
        });
        host::showModal(dialog);
        EXPECT_EQ(loops, 1);
        EXPECT_FALSE(dialog->loaded());
        EXPECT_EQ(host::FormRunner::windowOf(*dialog), nullptr);
    }
}

TEST(ModalShow, NeverLeavesTheFormOpen) {
    auto dialog = frmDBSearch::instance();
    // Without a loop the form runner shows it; with no input to come it
    // gives up with 5 and unloads the form.
    try {
        host::showModal(dialog);
        ADD_FAILURE() << "no error";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_FALSE(dialog->loaded());
    {
        // A loop that returns early, or fails, still leaves the form closed.
        host::ScopedModalLoop early([](host::Form&) {});
        host::showModal(dialog);
        EXPECT_FALSE(dialog->loaded());
        host::ScopedModalLoop failing(
            [](host::Form&) { throw host::Error(7, "test", "out of memory"); });
        EXPECT_THROW(host::showModal(dialog), host::Error);
        EXPECT_FALSE(dialog->loaded());
    }
    // Nested loops come back in order.
    int outer = 0;
    host::ScopedModalLoop first([&](host::Form& f) {
        ++outer;
        f.Unload();
    });
    {
        host::ScopedModalLoop second([](host::Form& f) { f.Unload(); });
    }
    host::showModal(dialog);
    EXPECT_EQ(outer, 1);
}

}  // namespace
}  // namespace qv::search::test
