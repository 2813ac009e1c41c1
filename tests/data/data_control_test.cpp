// SPDX-License-Identifier: MIT
// The Data control: opening its recordset from a form's folder, the type test,
// and bound controls that follow the record and have their edits saved.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>
#include <utility>
#include <vector>

#include "data/data_control.h"
#include "data/data_errors.h"
#include "data_test_util.h"
#include "host/data_contract.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "temp_database.h"

namespace qv::data::test {
namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon'),"
    " (9, 'Carla', 'Springfield');";

int num(DataErr e) {
    return static_cast<int>(e);
}

// A bound text box without a window: records what it was told to show and
// lets the test type into it.
class FakeBoundControl : public BoundControl {
  public:
    FakeBoundControl(std::string source, std::string field)
        : m_source(std::move(source)), m_field(std::move(field)) {}

    std::string dataSource() const override { return m_source; }
    std::string dataField() const override { return m_field; }
    void showValue(const host::Variant& v) override {
        m_text = v.isEmpty() ? "<none>" : v.isNull() ? "<null>" : v.toString();
        shown.push_back(m_text);
    }
    bool dataChanged() const override { return m_changed; }
    void setDataChanged(bool changed) override { m_changed = changed; }
    host::Variant dataValue() const override { return host::Variant(m_text); }

    void type(std::string text) {
        m_text = std::move(text);
        m_changed = true;
    }
    const std::string& text() const { return m_text; }

    std::vector<std::string> shown;

  private:
    std::string m_source, m_field, m_text;
    bool m_changed = false;
};

// The same, as a control placed on a form.
class FormBoundControl : public host::Control, public FakeBoundControl {
  public:
    FormBoundControl(std::string source, std::string field)
        : FakeBoundControl(std::move(source), std::move(field)) {}
};

// A box on a form that cannot show one value: showing it fails.
class RefusingBoundControl final : public FormBoundControl {
  public:
    RefusingBoundControl(std::string field, std::string refused)
        : FormBoundControl("Data1", std::move(field)), m_refused(std::move(refused)) {}
    void showValue(const host::Variant& v) override {
        if (!v.isNull() && v.toString() == m_refused) {
            throw host::Error(host::errc::InvalidPropertyValue, "Text1", "cannot show it");
        }
        FormBoundControl::showValue(v);
    }

  private:
    std::string m_refused;
};

std::shared_ptr<DataControl> openOn(const TempDatabase& db, const char* source = "people") {
    auto data = std::make_shared<DataControl>();
    data->setBaseFolder(db.folder());
    data->let("DatabaseName", host::Variant("test.db"));
    data->let("RecordSource", host::Variant(source));
    return data;
}

// Binds a box to the name and one to the city.
std::pair<std::shared_ptr<FakeBoundControl>, std::shared_ptr<FakeBoundControl>> bindNameAndCity(
    DataControl& data) {
    auto name = std::make_shared<FakeBoundControl>("Data1", "name");
    auto city = std::make_shared<FakeBoundControl>("Data1", "city");
    data.bind(name);
    data.bind(city);
    return {name, city};
}

TEST(DataControl, OpensFromTheFormFolderAndAnswersTheTypeTest) {
    TempDatabase db(kPeople);
    auto form = std::make_shared<host::Form>();
    auto data = openOn(db);
    form->add(data, "Data1", std::nullopt, {0, 0, 1200, 300});
    EXPECT_TRUE(data->is(host::ObjectKind::DataControl));
    EXPECT_TRUE(data->is(host::ObjectKind::Control));
    auto box = std::make_shared<FormBoundControl>("Data1", "name");
    form->add(box, "Text1", std::nullopt, {0, 0, 1200, 300});
    EXPECT_FALSE(box->is(host::ObjectKind::DataControl));

    EXPECT_EQ(data->get("Name"), host::Variant("Data1"));
    EXPECT_EQ(data->get("Caption"), host::Variant("Data1"));
    EXPECT_EQ(errorOf([&] { data->get("Index"); }).number(), host::errc::ObjectNotAnArray);
    EXPECT_EQ(data->databasePath(), db.folder() / "test.db");
    const host::Variant rsValue = data->get("Recordset");
    auto& rs = host::objectOf(rsValue);
    EXPECT_EQ(rs.get("EOF"), host::Variant(false));
    // The form's text box named Data1 in DataSource and was bound on opening.
    EXPECT_EQ(box->text(), "Ada");
    rs.call("MoveLast");
    EXPECT_EQ(box->text(), "Carla");
}

// A value a box cannot show empties the box and raises the Error event once
// per record; the other boxes and the next record are shown as usual.
TEST(DataControl, AValueThatCannotBeShownEmptiesTheBoxAndRaisesError) {
    TempDatabase db(kPeople);
    auto form = std::make_shared<host::Form>();
    auto data = openOn(db);
    form->add(data, "Data1", std::nullopt, {0, 0, 1200, 300});
    auto name = std::make_shared<RefusingBoundControl>("name", "Bruno");
    form->add(name, "Text1", std::nullopt, {0, 0, 1200, 300});
    auto city = std::make_shared<FormBoundControl>("Data1", "city");
    form->add(city, "Text2", std::nullopt, {0, 0, 1200, 300});
    std::vector<std::string> heard;
    form->events().on("Data1", "Error", [&](auto, std::span<host::Variant> args) {
        heard.push_back(std::to_string(args[0].toLong()) + " " + args[1].toString());
    });
    auto rs = data->dataRecordset();
    rs->moveNext();
    EXPECT_EQ(name->text(), "<null>");
    EXPECT_EQ(city->text(), "Lyon");
    rs->moveNext();
    EXPECT_EQ(name->text(), "Carla");
    EXPECT_EQ(heard, std::vector<std::string>{std::to_string(host::errc::InvalidPropertyValue) +
                                              " cannot show it"});
    EXPECT_FALSE(host::FormRunner::takePendingError());
}

TEST(DataControl, RecordsetIsNothingUntilConfiguredAndFailsForMissingFiles) {
    TempDatabase db(kPeople);
    DataControl data;
    EXPECT_EQ(data.recordset(), nullptr);
    data.setDatabaseName((db.folder() / "other.db").string());
    data.setRecordSource("people");
    EXPECT_EQ(errorOf([&] { data.recordset(); }).number(), num(DataErr::FileNotFound));
    data.setDatabaseName(db.path());  // absolute: the base folder does not apply
    data.setBaseFolder("/nowhere");
    EXPECT_NE(data.recordset(), nullptr);
    data.setRecordSource("nothere");
    EXPECT_EQ(errorOf([&] { data.recordset(); }).number(), num(DataErr::TableNotFound));
}

TEST(DataControl, BoundControlsFollowMovesAddsCancelsAndRefresh) {
    TempDatabase db(kPeople);
    auto data = openOn(db);
    auto name = std::make_shared<FakeBoundControl>("Data1", "name");
    auto city = std::make_shared<FakeBoundControl>("Data1", "CITY");
    data->bind(name);
    data->bind(city);
    auto rs = data->dataRecordset();
    rs->moveNext();
    rs->moveLast();
    rs->moveNext();  // EOF: no record to show
    rs->addNew();
    rs->cancelUpdate();
    rs->moveFirst();
    data->call("Refresh");
    EXPECT_EQ(name->shown, (std::vector<std::string>{"Ada", "Bruno", "Carla", "<none>", "<null>",
                                                     "<none>", "Ada", "Ada"}));
    EXPECT_EQ(city->text(), "Spokane");
    // The recordset handed out before Refresh is closed.
    EXPECT_EQ(errorOf([&] { rs->moveNext(); }).number(), num(DataErr::ObjectClosed));
}

TEST(DataControl, EditsInBoundControlsAreSavedWithTheRecord) {
    TempDatabase db(kPeople);
    auto data = openOn(db);
    auto [name, city] = bindNameAndCity(*data);
    auto rs = data->dataRecordset();

    // Typed while browsing: saved when the recordset moves off the record.
    city->type("Paris");
    rs->moveNext();
    EXPECT_EQ(city->text(), "Lyon");
    EXPECT_EQ(db.column("SELECT city FROM people WHERE id = 2"), "Paris");

    // Typed during AddNew: stored by Update.
    rs->addNew();
    name->type("Dmitri");
    city->type("Oslo");
    rs->update();
    EXPECT_EQ(name->text(), "Dmitri");
    EXPECT_EQ(db.column("SELECT name || '/' || city FROM people WHERE id = 10"), "Dmitri/Oslo");

    // Typed during Edit, then cancelled: the control shows the stored value again.
    rs->edit();
    city->type("Rome");
    rs->cancelUpdate();
    EXPECT_EQ(city->text(), "Oslo");
    EXPECT_EQ(db.column("SELECT city FROM people WHERE id = 10"), "Oslo");
}

TEST(DataControl, AFailedImplicitSaveIsAFailedMoveAndLosesNothing) {
    TempDatabase db(kPeople);
    auto data = openOn(db);
    auto name = std::make_shared<FakeBoundControl>("Data1", "name");
    data->bind(name);
    auto rs = data->dataRecordset();
    name->type("Bruno");  // already taken
    EXPECT_EQ(errorOf([&] { rs->moveNext(); }).number(), num(DataErr::DuplicateKey));
    EXPECT_EQ(where(*rs), "Ada");
    EXPECT_EQ(name->text(), "Bruno");
    EXPECT_TRUE(rs->hasUnsavedBoundValues());
    name->type("Ada Lovelace");
    rs->moveNext();
    EXPECT_EQ(name->text(), "Bruno");
    EXPECT_EQ(db.column("SELECT name FROM people ORDER BY id"), "Ada Lovelace,Bruno,Carla");
}

// Another program's connection to the file, which takes and releases locks.
class OtherProgram {
  public:
    explicit OtherProgram(const std::string& path) { sqlite3_open(path.c_str(), &m_db); }
    ~OtherProgram() { sqlite3_close(m_db); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;
    void run(const char* sql) { ASSERT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), 0); }

  private:
    sqlite3* m_db = nullptr;
};

TEST(DataControl, AMoveOntoALockedRecordFailsAndTypingStaysWithTheShownRecord) {
    TempDatabase db(kPeople);
    db.exec("PRAGMA journal_mode = DELETE");
    OtherProgram other(db.path());
    // A read held while the control opens keeps the file in rollback-journal
    // mode, where a writer's lock keeps readers out.
    other.run("BEGIN; SELECT count(*) FROM people;");
    auto data = openOn(db);
    data->let("BusyTimeout", host::Variant(std::int32_t{0}));
    auto [name, city] = bindNameAndCity(*data);
    testing::internal::CaptureStderr();
    auto rs = data->dataRecordset();
    data->refresh();
    rs = data->dataRecordset();
    // The user is told once why saves may wait.
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told.find("rollback-journal"), told.rfind("rollback-journal"));
    EXPECT_NE(told.find(db.path() + " stays in rollback-journal mode"), std::string::npos);
    ASSERT_EQ(name->text(), "Ada");
    other.run("COMMIT; BEGIN EXCLUSIVE;");

    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(errorOf([&] { rs->moveNext(); }).number(), num(DataErr::Locked));
        EXPECT_EQ(name->text(), "Ada");
    }
    city->type("Paris");  // typed while Ada is shown: belongs to Ada
    other.run("COMMIT;");
    rs->moveNext();
    EXPECT_EQ(name->text(), "Bruno");
    EXPECT_EQ(db.column("SELECT name || '/' || city FROM people ORDER BY id"),
              "Ada/Paris,Bruno/Lyon,Carla/Springfield");
}

TEST(DataControl, ARecordThatCannotBeReadIsNeverShownOrWrittenUnseen) {
    // Reading the computed column of a row with malformed JSON fails, while
    // finding the row does not (the column is added after the rows, as
    // writing such a row would fail).
    TempDatabase db(
        "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT, raw TEXT);"
        "INSERT INTO people VALUES (2, 'Ada', 'Spokane', 'bad'), (5, 'Bruno', 'Lyon', 'bad'),"
        " (9, 'Carla', 'Turin', '{}');"
        "ALTER TABLE people ADD COLUMN a AS (json_extract(raw, '$.a'));");
    auto data = openOn(db);
    auto [name, city] = bindNameAndCity(*data);
    // The first record: the open fails as a whole.
    EXPECT_NE(errorOf([&] { data->dataRecordset(); }).number(), 0);
    EXPECT_EQ(name->text(), "");
    db.exec("UPDATE people SET raw = '{}' WHERE id = 2");
    auto rs = data->dataRecordset();
    ASSERT_EQ(name->text(), "Ada");
    // A later one: the move fails and Ada stays, shown and current.
    EXPECT_NE(errorOf([&] { rs->moveNext(); }).number(), 0);
    EXPECT_EQ(name->text(), "Ada");
    city->type("Paris");
    rs->moveLast();
    EXPECT_EQ(name->text(), "Carla");
    EXPECT_EQ(db.column("SELECT name || '/' || city FROM people ORDER BY id"),
              "Ada/Paris,Bruno/Lyon,Carla/Turin");
}

TEST(DataControl, AfterAConflictTheBoxesShowTheRowAsItIsNowWithWhatWasTyped) {
    TempDatabase db(kPeople);
    auto data = openOn(db);
    auto [name, city] = bindNameAndCity(*data);
    auto rs = data->dataRecordset();
    city->type("Paris");
    // Someone else deletes Ada and a new person takes her number.
    db.exec("DELETE FROM people WHERE id = 2; INSERT INTO people VALUES (2, 'Zed', 'Quito');");
    EXPECT_EQ(errorOf([&] { rs->moveNext(); }).number(), num(DataErr::ChangedByOther));
    EXPECT_EQ(name->text(), "Zed");
    EXPECT_EQ(city->text(), "Paris");
    EXPECT_EQ(db.column("SELECT name || '/' || city FROM people WHERE id = 2"), "Zed/Quito");
    // Seen now: the next move stores what is shown.
    rs->moveNext();
    EXPECT_EQ(db.column("SELECT name || '/' || city FROM people WHERE id = 2"), "Zed/Paris");
}

TEST(DataControl, ABoundFieldTheTableLacksIsRefusedAtOpen) {
    TempDatabase db(kPeople);
    auto data = openOn(db);
    auto phone = std::make_shared<FakeBoundControl>("Data1", "phone");
    data->bind(phone);
    const host::Error e = errorOf([&] { data->dataRecordset(); });
    EXPECT_EQ(e.number(), num(DataErr::ItemNotFound));
    EXPECT_NE(e.description().find("'phone'"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find("'people'"), std::string::npos) << e.description();
    phone.reset();  // held weakly: a control that goes is no longer bound
    EXPECT_NE(data->dataRecordset(), nullptr);
}

TEST(DataControl, ReadOnlyOpensARecordsetThatRefusesChanges) {
    TempDatabase db(kPeople);
    auto data = openOn(db);
    data->let("ReadOnly", host::Variant(true));
    auto rs = data->dataRecordset();
    EXPECT_FALSE(rs->updatable());
    EXPECT_EQ(errorOf([&] { rs->addNew(); }).number(), num(DataErr::ReadOnly));
}

// A record bar in miniature: drives the data control it names and starts an
// edit as the bar's Edit does (or cannot, when `enabled` is false).
class FakeDriver : public host::Control, public host::RecordDriver {
  public:
    explicit FakeDriver(std::shared_ptr<DataControl> data) : m_data(std::move(data)) {}
    bool drives(const host::DataControl& data) const override { return &data == m_data.get(); }
    bool startEdit() override {
        ++starts;
        if (!enabled) return false;
        if (editWorks) m_data->dataRecordset()->edit();
        return true;
    }
    bool enabled = true;
    bool editWorks = true;
    int starts = 0;

  private:
    std::shared_ptr<DataControl> m_data;
};

struct Placed {
    std::shared_ptr<host::Form> form = std::make_shared<host::Form>();
    std::shared_ptr<DataControl> data;
    std::shared_ptr<FormBoundControl> name;
    std::shared_ptr<FakeDriver> bar;
};

// Data1 and a box bound to its name field on a form, with a bar when asked.
Placed place(const TempDatabase& db, bool withBar) {
    Placed p;
    p.data = openOn(db);
    p.form->add(p.data, "Data1", std::nullopt, {0, 0, 1200, 300});
    p.name = std::make_shared<FormBoundControl>("Data1", "name");
    p.form->add(p.name, "Text1", std::nullopt, {0, 0, 1200, 300});
    if (withBar) {
        p.bar = std::make_shared<FakeDriver>(p.data);
        p.form->add(p.bar, "qvRecordBar1", std::nullopt, {0, 0, 1200, 300});
    }
    p.data->dataRecordset();
    return p;
}

TEST(DataControl, TypingUnderABarStartsItsEditOrIsRefused) {
    struct Case {
        const char* what;
        bool withBar;
        bool atEof;
        bool pending;
        bool barEnabled;
        bool editWorks;
        bool allowed;
        int starts;
    };
    const Case cases[] = {
        {"no bar: typing goes ahead", false, false, false, true, true, true, 0},
        {"bar, nothing pending: its Edit starts", true, false, false, true, true, true, 1},
        {"bar, edit already pending", true, false, true, true, true, true, 0},
        {"bar at EOF: no record to edit", true, true, false, true, true, false, 0},
        {"bar disabled", true, false, false, false, true, false, 1},
        {"bar's Edit fails", true, false, false, true, false, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDatabase db(kPeople);
        Placed p = place(db, c.withBar);
        auto rs = p.data->dataRecordset();
        if (c.atEof) {
            rs->moveLast();
            rs->moveNext();
        }
        if (c.pending) rs->edit();
        if (p.bar) {
            p.bar->enabled = c.barEnabled;
            p.bar->editWorks = c.editWorks;
        }
        EXPECT_EQ(p.data->allowTyping(), c.allowed);
        EXPECT_EQ(p.bar ? p.bar->starts : 0, c.starts);
        if (c.withBar) {
            EXPECT_EQ(rs->hasPendingChange(), c.allowed);
        }
    }
}

TEST(DataControl, UnderABarsPendingChangeNothingMovesAndNothingIsSaved) {
    TempDatabase db(kPeople);
    Placed p = place(db, true);
    const std::string before = db.bytes();
    auto rs = p.data->dataRecordset();
    ASSERT_TRUE(p.data->allowTyping());
    p.name->type("Zed");
    EXPECT_TRUE(p.data->movesRefused());
    const std::vector<std::pair<const char*, std::function<void()>>> moves = {
        {"MoveNext", [&] { rs->moveNext(); }},
        {"MovePrevious", [&] { rs->movePrevious(); }},
        {"MoveFirst", [&] { rs->moveFirst(); }},
        {"MoveLast", [&] { rs->moveLast(); }},
        {"FindFirst", [&] { rs->findFirst("name = 'Carla'"); }},
        {"Bookmark", [&] { rs->setBookmark(host::Variant("9")); }},
        {"Refresh", [&] { p.data->refresh(); }},
    };
    for (const auto& [what, move] : moves) {
        SCOPED_TRACE(what);
        EXPECT_EQ(errorOf(move).number(), num(DataErr::InvalidOperation));
        EXPECT_EQ(p.name->text(), "Zed");
        EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
        EXPECT_EQ(where(*rs, "id"), "2");
        EXPECT_TRUE(db.bytes() == before);
    }
    // The bar's Save stores the change; the moves work again.
    rs->update();
    EXPECT_FALSE(p.data->movesRefused());
    rs->moveNext();
    EXPECT_EQ(db.column("SELECT name FROM people ORDER BY id"), "Zed,Bruno,Carla");

    // Without a bar, a move still saves a pending edit.
    TempDatabase plain(kPeople);
    Placed q = place(plain, false);
    auto qrs = q.data->dataRecordset();
    qrs->edit();
    q.name->type("Zoe");
    EXPECT_FALSE(q.data->movesRefused());
    qrs->moveNext();
    EXPECT_EQ(plain.column("SELECT name FROM people ORDER BY id"), "Zoe,Bruno,Carla");
}

TEST(DataControl, TypedTextMeetsTheFieldsTypeWhenTheRecordIsSaved) {
    TempDatabase db(
        "CREATE TABLE t (id INTEGER PRIMARY KEY, qty INTEGER, note TEXT);"
        "INSERT INTO t VALUES (1, 5, 'n');");
    auto data = openOn(db, "t");
    auto qty = std::make_shared<FakeBoundControl>("Data1", "qty");
    auto note = std::make_shared<FakeBoundControl>("Data1", "note");
    data->bind(qty);
    data->bind(note);
    auto rs = data->dataRecordset();
    const std::string before = db.bytes();
    rs->edit();
    note->type("");
    qty->type("abc");
    const host::Error e = errorOf([&] { rs->update(); });
    EXPECT_EQ(e.number(), num(DataErr::TypeMismatch));
    EXPECT_NE(e.description().find("'qty'"), std::string::npos);
    EXPECT_NE(e.description().find("'abc'"), std::string::npos);
    // Nothing was written and the typing stays where it was.
    EXPECT_TRUE(db.bytes() == before);
    EXPECT_EQ(qty->text(), "abc");
    EXPECT_TRUE(qty->dataChanged());
    EXPECT_EQ(rs->editMode(), host::edit_mode::InProgress);
    qty->type(" 42 ");
    rs->update();
    EXPECT_EQ(db.column("SELECT typeof(qty) || ':' || qty || '/' || quote(note) FROM t"),
              "integer:42/''");
    rs->edit();
    qty->type("");
    rs->update();
    EXPECT_EQ(db.column("SELECT quote(qty) FROM t"), "NULL");
}

}  // namespace
}  // namespace qv::data::test
