// SPDX-License-Identifier: MIT
#include "bar_fixture.h"

#include "data/sqlite_connection.h"
#include "host/app.h"
#include "host/command_button.h"

namespace qv::navigator::test {

TempDatabase::TempDatabase(const std::string& schemaSql) {
    data::SqliteConnection::Options options;
    options.create = true;
    data::SqliteConnection::open((folder() / "test.db").string(), options)->execute(schemaSql);
}

std::string TempDatabase::column(const std::string& sql) const {
    auto db = data::SqliteConnection::open((folder() / "test.db").string());
    auto st = db->prepare(sql);
    std::string out;
    while (st->step()) {
        if (!out.empty()) out += ",";
        const data::DbValue v = st->column(0);
        out += v.isText() ? v.text() : v.isInteger() ? std::to_string(v.integer()) : "";
    }
    return out;
}

BarTest::BarTest() : form(std::make_shared<host::Form>("Form1")) {
    m_service = std::make_unique<host::ScopedMessageBoxService>(boxes);
    host::app().clock().set({2026, 12, 7, 10, 0, 0});
    host::app().setLocale(*host::Locale::find("en-US"));
}

BarTest::~BarTest() {
    form->Unload();
    host::app().clock().useSystemTime();
}

void BarTest::placeControls(bool faulty, const std::string& schema) {
    db = std::make_unique<TempDatabase>(schema);
    data = std::make_shared<data::DataControl>();
    data->setBaseFolder(db->folder());
    data->let("DatabaseName", host::Variant("test.db"));
    data->let("RecordSource", host::Variant("people"));
    if (faulty) {
        // The real control stays off the form; Data1 is the wrapper.
        m_faultyData = std::make_shared<FaultyDataControl>(
            std::make_shared<FaultyRecordset>(data->recordset(), log));
        form->add(m_faultyData, "Data1", std::nullopt, {0, 600, 2000, 300});
    } else {
        form->add(data, "Data1", std::nullopt, {0, 600, 2000, 300});
    }
    bar = std::make_shared<qvRecordBar>();
    form->add(bar, "qvRecordBar1", std::nullopt, {0, 0, 5775, 450});
    bar->setMSDataControl("Data1");
    for (const RecordBarEvent& e : qvRecordBar::events()) {
        std::string name = e.name;
        form->events().on("qvRecordBar1", name,
                          [this, name](auto, auto) { log.push_back(name + ":" + mode()); });
    }
    bar->setStatusListener([this](const std::string& text) { log.push_back("status:" + text); });
    log.clear();
}

host::Recordset& BarTest::recordset() {
    return *data->recordset();
}

std::string BarTest::where() {
    host::Recordset& rs = recordset();
    if (rs.bof() && rs.eof()) return "BOF+EOF";
    if (rs.bof()) return "BOF";
    if (rs.eof()) return "EOF";
    return rs.fields()->item(host::Variant("name"))->value().toString();
}

std::string BarTest::mode() const {
    bool browse = true, pending = true;
    for (std::int16_t i = 0; i < qvRecordBar::ButtonCount; ++i) {
        bool on = bar->Buttonbar(i).Enabled();
        bool editing = i >= qvRecordBar::SaveChanges;
        if (on != !editing) browse = false;
        if (on != editing) pending = false;
    }
    return browse ? "browse" : pending ? "pending" : "mixed";
}

std::vector<std::string> BarTest::seen() const {
    std::vector<std::string> out;
    for (const auto& r : boxes.records()) {
        if (r.kind == host::ScriptedMessageBoxes::Record::Kind::Beep) {
            out.push_back("beep");
        } else {
            out.push_back(std::to_string(r.box.style) + " " + r.box.title + ": " + r.box.prompt);
        }
    }
    return out;
}

}  // namespace qv::navigator::test
