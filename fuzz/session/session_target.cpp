// SPDX-License-Identifier: MIT
// The fuzzing entry point over a user's session with the record bar: the
// input is a sequence of clicks on the bar and on the data control's own
// arrows, typing and keys in its bound text box (also with nothing pending,
// which starts the bar's edit), answers for the coming message boxes and
// failures planned for the recordset's calls, played by the form runner on
// the runner tests' form of three people. After every operation the session
// must hold:
//   - the bar's look is the recordset's edit mode (browse with nothing
//     pending; the pending look and the status of Add or Edit otherwise);
//   - the database holds only what a Save stored: nothing but a click of
//     Save changes it, and then only the record the click started on (or a
//     new one, while a new record is pending); a Delete removes at most
//     the record it started on;
//   - the bar's events came in their order (a prefix of BeforeAdd AfterAdd,
//     BeforeEdit AfterEdit, BeforeUpdate AfterUpdate, AfterCancel), and
//     typing raises only BeforeEdit, each followed by AfterEdit or by
//     nothing when that key's edit failed;
//   - nothing but the runner's own stop left the operation;
//   - with nothing typed and waiting, txtName shows the name of the record
//     the recordset stands on, as stored.
// A violated rule aborts with a description of it.
//
// Each operation takes two bytes, a kind and an argument:
//   kind % 6 = 0  click Buttonbar(arg % 10); in place of Find (4), which
//                 opens a dialog, click the data control's arrow
//                 kArrows[arg / 10 % 4]
//             1  type kTexts[arg % 5] into txtName
//             2  queue the answer arg % 5 + 1 (OK, Cancel, Abort, Retry,
//                Ignore)
//             3  make the next (arg / 11 % 2 + 1) calls of kMembers[arg % 11]
//                fail
//             4  press kKeys[arg % 4] in txtName
//             5  another program makes the record kIds[arg % 3] unreadable
//                (arg / 3 % 2 = 1) or readable again: a column computed from
//                malformed JSON fails every read of the row, not its lookup
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "command_executor.h"
#include "data/bound_control.h"
#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "fault_harness.h"
#include "form_session.h"
#include "host/command_button.h"
#include "host/data_contract.h"
#include "host/form.h"
#include "host/message_box_service.h"
#include "navigator/qvRecordBar.h"
#include "people_form.h"
#include "platform/user/thread_state.h"
#include "script.h"
#include "support/temp_folder.h"
#include "transcript.h"
#include "transcript_message_boxes.h"

namespace {

using namespace qv;

constexpr std::size_t kMaxOperations = 64;

constexpr const char* kTexts[] = {"A", "Zoe", " Nord", "x y", "1"};
constexpr const char* kKeys[] = {"Backspace", "Delete", "Home", "End"};
constexpr const char* kArrows[] = {"First", "Previous", "Next", "Last"};
constexpr int kIds[] = {2, 5, 9};
// The recordset calls the bar makes.
constexpr const char* kMembers[] = {"BOF",          "EOF",          "MoveFirst", "MoveLast",
                                    "MovePrevious", "MoveNext",     "AddNew",    "Edit",
                                    "Update",       "CancelUpdate", "Delete"};

[[noreturn]] void violated(const std::string& rule, const std::string& detail) {
    std::fprintf(stderr, "session: %s\n%s\n", rule.c_str(), detail.c_str());
    std::abort();
}

// A folder of this process with the form file, removed at exit; the
// database is made afresh for every input.
const std::filesystem::path& folder() {
    struct Folder : qv::test::TempFolder {
        Folder() : TempFolder("qv-fuzz-session") {
            std::ofstream(path() / "people.form") << qvform::test::kPeopleForm;
        }
    };
    static const Folder made;
    return made.path();
}

void freshDatabase() {
    const auto file = folder() / "people.db";
    std::filesystem::remove(file);
    data::SqliteConnection::Options options;
    options.create = true;
    auto db = data::SqliteConnection::open(file.string(), options);
    db->execute(qvform::test::kPeopleSchema);
    db->execute(
        "ALTER TABLE people ADD COLUMN raw TEXT DEFAULT '{}';"
        "ALTER TABLE people ADD COLUMN a AS (json_extract(raw, '$.a'));");
}

void makeUnreadable(int id, bool unreadable) {
    // Writing a row evaluates its computed column, so the column goes while
    // the row is written.
    auto db = data::SqliteConnection::open((folder() / "people.db").string());
    db->execute("ALTER TABLE people DROP COLUMN a; UPDATE people SET raw = '" +
                std::string(unreadable ? "bad" : "{}") + "' WHERE id = " + std::to_string(id) +
                "; ALTER TABLE people ADD COLUMN a AS (json_extract(raw, '$.a'));");
}

// The stored name of record `id`, or "" when there is none.
std::string storedName(std::int64_t id) {
    auto db = data::SqliteConnection::open((folder() / "people.db").string());
    auto st = db->prepare("SELECT name FROM people WHERE id = ?");
    st->bind(1, data::DbValue(id));
    return st->step() && st->column(0).isText() ? st->column(0).text() : "";
}

// Every row of the table by id, as quoted values.
std::map<std::int64_t, std::string> rows() {
    auto db = data::SqliteConnection::open((folder() / "people.db").string());
    auto st = db->prepare("SELECT id, quote(name) || ',' || quote(city) FROM people");
    std::map<std::int64_t, std::string> out;
    while (st->step()) out[st->columnInteger(0)] = st->column(1).text();
    return out;
}

// The events each button may raise, in their order.
std::vector<std::string> designedEvents(int index) {
    switch (index) {
        case navigator::qvRecordBar::AddRecord:
            return {"BeforeAdd", "AfterAdd"};
        case navigator::qvRecordBar::EditRecord:
            return {"BeforeEdit", "AfterEdit"};
        case navigator::qvRecordBar::SaveChanges:
            return {"BeforeUpdate", "AfterUpdate"};
        case navigator::qvRecordBar::CancelChanges:
            return {"AfterCancel"};
        default:
            return {};
    }
}

class Session {
  public:
    Session() : m_boxes(m_transcript), m_service(m_boxes), m_session(m_transcript, &m_harness) {
        qvform::FormSession::registerControlTypes();
        m_session.open((folder() / "people.form").string());
        m_bar = std::dynamic_pointer_cast<navigator::qvRecordBar>(
            m_session.form()->find("qvRecordBar1"));
        m_data = std::dynamic_pointer_cast<host::DataControl>(m_session.form()->find("Data1"));
        m_name = std::dynamic_pointer_cast<data::BoundControl>(m_session.form()->find("txtName"));
        if (!m_bar || !m_data || !m_name)
            violated("the form lacks its bar, data control or box", "");
    }

    void play(std::uint8_t kind, std::uint8_t arg) {
        switch (kind % 6) {
            case 0:
                if (arg % 10 == navigator::qvRecordBar::FindRecord) {
                    step(std::string("click Data1.") + kArrows[arg / 10 % 4], -1);
                } else {
                    step("click qvRecordBar1.Buttonbar(" + std::to_string(arg % 10) + ")",
                         arg % 10);
                }
                break;
            case 1:
                step(std::string("type txtName ") + kTexts[arg % 5], kTyping);
                break;
            case 2:
                run("answer " + std::to_string(arg % 5 + 1));
                break;
            case 3:
                run(std::string("fail-next Recordset.") + kMembers[arg % 11] + " " +
                    std::to_string(arg / 11 % 2 + 1));
                break;
            case 4:
                step(std::string("key txtName ") + kKeys[arg % 4], kTyping);
                break;
            default:
                makeUnreadable(kIds[arg % 3], arg / 3 % 2 == 1);
                break;
        }
    }

  private:
    // Runs one script command; a stop of the runner (an unanswered box)
    // ends only the command.
    void run(const std::string& line) {
        try {
            qvform::CommandExecutor(m_session, m_transcript, m_boxes)
                .run(qvform::parseScript(line + "\n"));
        } catch (const qvform::RunFailure&) {
        } catch (const std::exception& e) {
            violated("an exception left the command", line + ": " + e.what());
        }
    }

    // What a step is: a click of Buttonbar(index), the data control's arrow
    // (-1) or typing (kTyping).
    static constexpr int kTyping = -2;

    // Runs `line` and checks the rules afterwards.
    void step(const std::string& line, int index) {
        const auto before = rows();
        const std::int64_t current = currentId();
        const bool adding = editMode() == host::edit_mode::Add;
        const std::size_t from = m_out.str().size();
        run(line);
        const std::string said = line + "\n" + m_out.str().substr(from);
        checkLook(said);
        checkData(before, current, adding, index, said);
        checkEvents(index, said);
        checkShown(said);
    }

    std::int16_t editMode() { return m_data->recordset()->editMode(); }

    // The id of the current record, or -1 off a record (also on one just
    // deleted) or while adding.
    std::int64_t currentId() {
        auto rs = m_data->recordset();
        if (rs->bof() || rs->eof() || rs->editMode() == host::edit_mode::Add) return -1;
        try {
            const host::Variant id = rs->fields()->item(host::Variant("id"))->value();
            return id.isNull() ? -1 : id.toLong();
        } catch (const host::Error&) {
            return -1;
        }
    }

    void checkLook(const std::string& said) {
        const std::int16_t mode = editMode();
        const bool browse = mode == host::edit_mode::None;
        for (std::int16_t i = 0; i < navigator::qvRecordBar::ButtonCount; ++i) {
            const bool expected = i < navigator::qvRecordBar::SaveChanges ? browse : !browse;
            if (m_bar->Buttonbar(i).Enabled() != expected) {
                violated("the bar's look is not the edit mode " + std::to_string(mode), said);
            }
        }
        if (!browse) {
            const char* status = mode == host::edit_mode::Add ? "New Record" : "Edit Record";
            if (m_bar->statusText() != status) {
                violated("the status is not \"" + std::string(status) + "\"", said);
            }
        }
    }

    void checkData(const std::map<std::int64_t, std::string>& before, std::int64_t current,
                   bool adding, int index, const std::string& said) {
        const auto after = rows();
        const bool saving = index == navigator::qvRecordBar::SaveChanges;
        const bool deleting = index == navigator::qvRecordBar::DeleteRecord;
        for (const auto& [id, row] : before) {
            auto it = after.find(id);
            const bool mayChange = (saving || deleting) && id == current;
            if (!mayChange && (it == after.end() || it->second != row)) {
                violated("record " + std::to_string(id) + " changed without a Save", said);
            }
            if (deleting && it != after.end() && it->second != row) {
                violated("Delete changed record " + std::to_string(id), said);
            }
        }
        std::size_t added = 0;
        for (const auto& [id, row] : after) added += before.count(id) == 0;
        // Only the Save of a pending add stores a new record (or, on a Save
        // of an edit that changed the key, the record under its new id).
        const bool mayAdd = saving && (adding || current >= 0);
        if (added > (mayAdd ? 1u : 0u)) violated("a record was added without a Save", said);
    }

    void checkShown(const std::string& said) {
        auto rs = std::dynamic_pointer_cast<data::Recordset>(m_data->recordset());
        if (!rs || rs->editMode() != host::edit_mode::None || rs->hasUnsavedBoundValues() ||
            !rs->valuesKnown() || m_name->dataChanged()) {
            return;
        }
        const std::int64_t id = currentId();
        if (id < 0) return;
        const std::string shown = m_name->dataValue().toString();
        if (shown != storedName(id)) {
            violated("txtName shows \"" + shown + "\", not record " + std::to_string(id), said);
        }
    }

    void checkEvents(int index, const std::string& said) {
        const std::string prefix = "event qvRecordBar1.";
        std::vector<std::string> raised;
        std::istringstream lines(said);
        for (std::string l; std::getline(lines, l);) {
            if (l.rfind(prefix, 0) == 0) raised.push_back(l.substr(prefix.size()));
        }
        if (index == kTyping) {
            // Each key may try to start an edit (again, after one that failed).
            for (std::size_t i = 0; i < raised.size(); ++i) {
                const bool ok = raised[i] == "BeforeEdit" || (raised[i] == "AfterEdit" && i > 0 &&
                                                              raised[i - 1] == "BeforeEdit");
                if (!ok) violated("typing raised events out of order", said);
            }
            return;
        }
        const std::vector<std::string> designed = designedEvents(index);
        if (raised.size() > designed.size() ||
            !std::equal(raised.begin(), raised.end(), designed.begin())) {
            violated("the events are out of order", said);
        }
    }

    std::ostringstream m_out;
    qvform::Transcript m_transcript{m_out};
    qvform::TranscriptMessageBoxes m_boxes;
    host::ScopedMessageBoxService m_service;
    qvform::FaultHarness m_harness;
    qvform::FormSession m_session;
    std::shared_ptr<navigator::qvRecordBar> m_bar;
    std::shared_ptr<host::DataControl> m_data;
    std::shared_ptr<data::BoundControl> m_name;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    freshDatabase();
    user::resetThreadState();
    {
        Session session;
        for (std::size_t at = 0; at + 1 < size && at / 2 < kMaxOperations; at += 2) {
            session.play(data[at], data[at + 1]);
        }
    }
    user::resetThreadState();
    return 0;
}
