// SPDX-License-Identifier: MIT
#include "host_program.h"

#include <sqlite3.h>
#include <stdexcept>

#include "data/data_control.h"
#include "host/control_factory.h"
#include "host/form_runner.h"
#include "host/variant.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"
#include "qvform/embedding.h"

namespace qv::embedding::test {

namespace {

constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT);"
    "INSERT INTO people (name, city) VALUES ('Ada', 'Oslo'), ('Bruno', 'Lyon'),"
    " ('Carla', 'Turin');";

void makeDatabase(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    const bool opened = sqlite3_open(file.string().c_str(), &db) == SQLITE_OK;
    const bool filled = opened && sqlite3_exec(db, kPeople, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!filled) throw std::runtime_error("cannot make " + file.string());
}

}  // namespace

HostProgram::HostProgram() {
    makeDatabase(folder / "people.db");
    user::resetThreadState();
    m_service = std::make_unique<host::ScopedMessageBoxService>(boxes);
    qvform::registerControlTypes();
    newForm();
}

void HostProgram::newForm() {
    if (form && form->loaded()) host::FormRunner::Unload(form);
    host::FormRunner::takePendingError();
    form = std::make_shared<host::Form>("frmHost");
    form->setCaption("Host");
    form->setBounds({0, 0, 7200, 4500});
}

HostProgram::~HostProgram() {
    if (form->loaded()) host::FormRunner::Unload(form);
    host::FormRunner::takePendingError();
    form.reset();
    m_service.reset();
    user::resetThreadState();
}

std::shared_ptr<host::Control> HostProgram::place(const std::string& type, const std::string& name,
                                                  const host::Bounds& bounds) {
    return form->add(host::ControlFactory::current().create(type), name, std::nullopt, bounds);
}

std::shared_ptr<host::Control> HostProgram::placeDataAndBar(const std::string& barName) {
    auto data = place("Data", "Data1", {120, 3600, 3000, 345});
    data->let("DatabaseName", host::Variant((folder / "people.db").string()));
    data->let("RecordSource", host::Variant("people"));
    auto bar = place("qvRecordBar", barName, {120, 2400, 6900, 450});
    bar->let("MSDataControl", host::Variant("Data1"));
    return bar;
}

void HostProgram::show(bool userMode) {
    form->setUserMode(userMode);
    host::FormRunner::Show(form);
}

void HostProgram::note(const std::string& control, const std::string& event,
                       std::function<void()> then) {
    form->events().on(control, event, [this, control, event, then](auto, auto) {
        log.push_back(control + "." + event);
        if (then) then();
    });
}

void HostProgram::unloadForm() {
    host::FormRunner::Unload(form);
}

POINT HostProgram::middleOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT HostProgram::emptySpot() const {
    POINT p{2, 2};
    ClientToScreen(host::FormRunner::windowOf(*form), &p);
    return p;
}

void HostProgram::pressAt(POINT at) {
    user::mouseMove(at.x, at.y);
    user::mouseDown();
}

void HostProgram::releaseAt(POINT at) {
    user::mouseMove(at.x, at.y);
    user::mouseUp();
}

}  // namespace qv::embedding::test
