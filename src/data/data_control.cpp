// SPDX-License-Identifier: MIT
#include "data/data_control.h"

#include <algorithm>
#include <optional>

#include "data/data_errors.h"
#include "data/pg_connection.h"
#include "data/sqlite_connection.h"
#include "data/typed_value.h"
#include "host/app.h"
#include "host/control_factory.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/member_registry.h"
#include "host/message_box_service.h"

namespace qv::data {

namespace {

host::MemberRegistry makeDataMembers() {
    host::MemberRegistry r("Data", &host::DataControl::dataControlMembers());
    using host::MemberInfo;
    using host::Persistence;
    using host::Variant;
    host::MemberTable<DataControl>(r)
        .property(
            "Caption", [](DataControl& d) { return d.caption(); },
            [](DataControl& d, const Variant& v) { d.setCaption(v.toString()); },
            MemberInfo{{}, {}, Persistence{"Caption", Variant("")}})
        .property(
            "Connect", [](DataControl& d) { return d.connect(); },
            [](DataControl& d, const Variant& v) { d.setConnect(v.toString()); },
            MemberInfo{{}, {}, Persistence{"Connect", Variant("")}})
        .property(
            "DatabaseName", [](DataControl& d) { return d.databaseName(); },
            [](DataControl& d, const Variant& v) { d.setDatabaseName(v.toString()); },
            MemberInfo{{}, {}, Persistence{"DatabaseName", Variant("")}})
        .property(
            "RecordSource", [](DataControl& d) { return d.recordSource(); },
            [](DataControl& d, const Variant& v) { d.setRecordSource(v.toString()); },
            MemberInfo{{}, {}, Persistence{"RecordSource", Variant("")}})
        .property(
            "ReadOnly", [](DataControl& d) { return d.readOnly(); },
            [](DataControl& d, const Variant& v) { d.setReadOnly(v.toBoolean()); },
            MemberInfo{{}, {}, Persistence{"ReadOnly", Variant(false)}})
        .property(
            "BusyTimeout", [](DataControl& d) { return d.busyTimeout(); },
            [](DataControl& d, const Variant& v) { d.setBusyTimeout(v.toLong()); },
            MemberInfo{{},
                       {},
                       Persistence{"BusyTimeout",
                                   Variant(std::int32_t{SqliteConnection::kDefaultBusyTimeoutMs})}})
        .method("Refresh", [](DataControl& d, std::span<Variant>) { d.refresh(); });
    return r;
}

}  // namespace

DataControl::~DataControl() {
    close();
}

void DataControl::registerType(host::ControlFactory& factory) {
    factory.add("Data", [] { return std::make_shared<DataControl>(); });
}

const host::MemberRegistry& DataControl::dataMembers() {
    static const host::MemberRegistry registry = makeDataMembers();
    return registry;
}

std::shared_ptr<host::Recordset> DataControl::recordset() {
    return dataRecordset();
}

std::shared_ptr<Recordset> DataControl::dataRecordset() {
    if (!m_recordset && hasDatabase() && !m_recordSource.empty()) open();
    return m_recordset;
}

void DataControl::setDatabaseName(std::string name) {
    if (name == m_databaseName) return;
    close();
    m_databaseName = std::move(name);
}

void DataControl::setConnect(std::string connect) {
    if (connect == m_connect) return;
    close();
    m_connect = std::move(connect);
}

void DataControl::setRecordSource(std::string source) {
    if (source == m_recordSource) return;
    close();
    m_recordSource = std::move(source);
}

void DataControl::setReadOnly(bool readOnly) {
    if (readOnly == m_readOnly) return;
    close();
    m_readOnly = readOnly;
}

void DataControl::setBusyTimeout(std::int32_t ms) {
    if (ms < 0) raiseData(DataErr::InvalidOperation, kDataControlSource, {}, "BusyTimeout < 0");
    if (ms == m_busyTimeoutMs) return;
    close();
    m_busyTimeoutMs = ms;
}

void DataControl::setCaption(std::string caption) {
    m_caption = std::move(caption);
}

std::filesystem::path DataControl::databasePath() const {
    std::filesystem::path path(m_databaseName);
    if (path.is_relative() && !m_baseFolder.empty()) path = m_baseFolder / path;
    return path;
}

void DataControl::refresh() {
    if (movesRefused()) {
        raiseData(DataErr::InvalidOperation, kDataControlSource, {},
                  "a change is pending; save or cancel it first");
    }
    close();
    if (!hasDatabase() || m_recordSource.empty()) return;
    open();
}

void DataControl::open() {
    const std::string path = databasePath().string();
    const std::string key = (m_readOnly ? "r:" : "w:") + m_connect + "|" + path;
    if (!m_connection || key != m_connectionKey) {
        m_connection.reset();
        if (!m_connect.empty()) {
            m_connection = PgConnection::open(m_connect, m_readOnly, m_busyTimeoutMs);
        } else {
            SqliteConnection::Options options;
            options.readOnly = m_readOnly;
            options.busyTimeoutMs = m_busyTimeoutMs;
            m_connection = SqliteConnection::open(path, options);
        }
        m_connectionKey = key;
    }
    auto opened = Recordset::open(m_connection, m_recordSource);
    m_recordset = opened;
    opened->setObserver(this);
    bindFormControls();
    try {
        requireBoundFields();
        // The first record must be readable before the boxes show it: boxes
        // left empty over a record nobody could read would take typed values
        // into it unseen.
        if (opened->hasRecord() && !opened->fieldInfo().empty()) opened->fieldValue(0);
    } catch (const host::Error&) {
        close();
        throw;
    }
    // A bound control's handler may have unloaded the form, closing this
    // control, while the first record was shown.
    if (m_recordset == opened) recordChanged(*opened);
}

void DataControl::requireBoundFields() {
    // A control bound to a field the records lack could neither show nor
    // save anything: the open fails and names both.
    for (const auto& control : liveBoundControls()) {
        const std::string field = control->dataField();
        if (field.empty() || m_recordset->fieldIndex(field) >= 0) continue;
        raiseData(DataErr::ItemNotFound, kDataControlSource, field,
                  "a bound control names it, but '" + m_recordSource + "' has no such field");
    }
}

void DataControl::close() {
    if (m_recordset) {
        // Anyone still holding the old recordset gets a clear error from now on.
        m_recordset->close();
        m_recordset.reset();
    }
    m_connection.reset();
    m_connectionKey.clear();
}

void DataControl::bind(const std::shared_ptr<BoundControl>& control) {
    if (!control) return;
    for (const auto& weak : m_bound) {
        if (weak.lock() == control) return;
    }
    m_bound.push_back(control);
    if (m_recordset) recordChanged(*m_recordset);
}

void DataControl::bindFormControls() {
    const auto form = Parent();
    if (!form) return;
    const std::string me = Name();
    for (const auto& control : form->controls()) {
        auto bound = std::dynamic_pointer_cast<BoundControl>(control);
        if (bound && host::sameName(bound->dataSource(), me)) bind(bound);
    }
}

std::vector<std::shared_ptr<BoundControl>> DataControl::liveBoundControls() {
    std::vector<std::shared_ptr<BoundControl>> live;
    std::erase_if(m_bound, [](const std::weak_ptr<BoundControl>& w) { return w.expired(); });
    for (const auto& weak : m_bound) {
        if (auto c = weak.lock()) live.push_back(std::move(c));
    }
    return live;
}

void DataControl::gatherEdits(Recordset& rs) {
    // An edit made while no record is shown has nowhere to go; the next
    // record shown replaces it.
    if (!rs.hasRecord()) return;
    const auto controls = liveBoundControls();
    if (!rs.valuesKnown()) {
        // Typed over a record whose values could not be shown: it cannot be
        // saved, and the user hears so once before the next move goes on.
        bool typed = false;
        for (const auto& control : controls) {
            typed = typed || control->dataChanged();
            control->setDataChanged(false);
        }
        if (typed) {
            raiseData(DataErr::NoCurrentRecord, kDataControlSource, {},
                      "the record's values could not be read, so what was typed is not saved");
        }
        return;
    }
    for (const auto& control : controls) {
        if (!control->dataChanged()) continue;
        const int index = rs.fieldIndex(control->dataField());
        if (index < 0) raiseData(DataErr::ItemNotFound, kDataControlSource, control->dataField());
        // Typed text becomes a value of the field's type; text that is not
        // one fails the save here, and the box keeps it. The value moves into
        // the recordset before the control forgets it, so nothing is lost.
        const auto at = static_cast<std::size_t>(index);
        const host::Variant typed = control->dataValue();
        if (typed.type() == host::VarType::String) {
            rs.setBoundValue(
                at, typedValue(typed.toString(), rs.fieldInfo()[at], host::app().locale()));
        } else {
            rs.setBoundValue(at, typed);
        }
        control->setDataChanged(false);
    }
}

void DataControl::recordChanged(Recordset& rs) noexcept {
    std::optional<host::Error> failure;
    for (const auto& control : liveBoundControls()) {
        try {
            host::Variant value;
            const int index = rs.fieldIndex(control->dataField());
            if (index >= 0 && rs.hasRecord()) {
                // A record whose values could not be read shows as Null,
                // never as the record shown before.
                value = rs.valuesKnown() ? rs.shownValue(static_cast<std::size_t>(index))
                                         : host::Variant::null();
            }
            control->showValue(value);
            control->setDataChanged(false);
        } catch (const std::exception& e) {
            // A value that cannot be read or shown: the control is emptied
            // rather than left showing another record's value, and the first
            // such failure is reported once every control has its value.
            if (!failure) failure = host::errorFrom(e, std::string(kDataControlSource));
            try {
                control->showValue(host::Variant::null());
                control->setDataChanged(false);
            } catch (const std::exception&) {
                // Nothing else can be shown.
            }
        }
    }
    if (failure) reportError(*failure);
}

void DataControl::reportError(const host::Error& error) noexcept {
    // No caller waits for the outcome of showing a record: the form hears of
    // the failure through the Error event, and a handler that fails in turn
    // leaves the thread's pending error, as a failure in a window does.
    host::FormRunner::guard([&] {
        RaiseEvent("Error", {host::Variant(error.number()), host::Variant(error.description())});
        return LRESULT{0};
    });
}

bool DataControl::ownsPendingChange() {
    return host::findRecordDriver(*this) != nullptr;
}

bool DataControl::movesRefused() {
    return m_recordset && m_recordset->hasPendingChange() && ownsPendingChange();
}

bool DataControl::allowTyping() {
    auto driver = host::findRecordDriver(*this);
    if (!driver) return true;
    try {
        auto rs = dataRecordset();
        if (rs && rs->editMode() != host::edit_mode::None) return true;
        if (!rs || rs->bof() || rs->eof()) {
            host::Beep();
            return false;
        }
    } catch (const host::Error&) {
        // A recordset that cannot be read has no record to edit.
        host::Beep();
        return false;
    }
    // The bar's handlers may drop this control while its Edit runs.
    const auto self = weak_from_this().lock();
    if (!driver->startEdit()) {
        host::Beep();
        return false;
    }
    // The bar's error report has already told the user when Edit failed.
    return m_recordset && m_recordset->hasPendingChange();
}

}  // namespace qv::data
