// SPDX-License-Identifier: MIT
#include "form_session.h"

#include <filesystem>

#include "data/bound_controls.h"
#include "data/data_control.h"
#include "data/data_control_view.h"
#include "host/control_factory.h"
#include "host/control_types.h"
#include "host/form.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "host/member_registry.h"
#include "navigator/qvRecordBar.h"
#include "public_classes.h"
#include "softbutton/qvSoftButton.h"

namespace qv::qvform {

namespace {

std::string valueText(const host::Variant& value) {
    if (value.isNull()) return "Null";
    return value.toString();
}

}  // namespace

FormSession::FormSession(Transcript& transcript, RunHarness* harness)
    : m_transcript(transcript), m_harness(harness) {}

FormSession::~FormSession() {
    m_dataViews.clear();
    if (!m_form) return;
    m_form->setDataControlStandIns(nullptr);
    try {
        host::FormRunner::Unload(m_form);
    } catch (const std::exception&) {
        // The run is over; a form that refuses to close is left to the exit.
    }
}

void FormSession::registerControlTypes() {
    auto& factory = host::ControlFactory::current();
    host::registerStandardControls(factory);
    // The bound TextBox and Label take the place of the plain ones.
    data::registerBoundControls(factory);
    data::DataControl::registerType(factory);
    softbutton::qvSoftButton::registerType(factory);
    // The public bar comes from a library's class factory, as a host gets it.
    factory.add("qvRecordBar", [] {
        auto bar = std::dynamic_pointer_cast<host::Control>(publicClasses().create("qvRecordBar"));
        if (!bar) throw host::Error(host::errc::FileLoad, "qvform", "qvRecordBar is not a control");
        return bar;
    });
}

void FormSession::open(const std::string& path, const std::string& database,
                       const std::string& connect) {
    m_path = path;
    show(host::loadFormFile(path, host::ControlFactory::current(), !m_design),
         std::filesystem::absolute(path).parent_path(), database, connect);
}

void FormSession::show(std::shared_ptr<host::Form> form, const std::filesystem::path& folder,
                       const std::string& database, const std::string& connect) {
    m_form = std::move(form);
    m_form->setUserMode(!m_design);
    m_form->setDataControlStandIns(m_harness);
    for (const auto& control : m_form->controls()) {
        if (auto data = std::dynamic_pointer_cast<data::DataControl>(control)) {
            data->setBaseFolder(folder);
            if (!connect.empty()) data->setConnect(connect);
            if (!database.empty()) data->setDatabaseName(std::filesystem::absolute(database));
        }
    }
    watchBars();
    host::FormRunner::Show(m_form, 0);
    // The data controls show their first record as the form comes up.
    for (const auto& control : m_form->controls()) {
        if (auto data = std::dynamic_pointer_cast<data::DataControl>(control)) {
            if (HWND parent = host::FormRunner::containerWindow(*data)) {
                m_dataViews.push_back(std::make_unique<data::DataControlView>(data, parent));
            }
            data->dataRecordset();
        }
    }
}

void FormSession::watchBars() {
    for (const auto& control : m_form->controls()) {
        auto bar = std::dynamic_pointer_cast<navigator::qvRecordBar>(control);
        if (!bar) continue;
        std::vector<std::string> names;
        for (const auto& event : navigator::qvRecordBar::events()) names.emplace_back(event.name);
        transcribe(*bar, names);
        bar->setStatusListener([this](const std::string& text) { m_transcript.status(text); });
    }
    watchButtons();
}

void FormSession::watchButtons() {
    for (const auto& control : m_form->controls()) {
        if (control->is(host::ObjectKind::SoftButton)) transcribe(*control, {"MouseMove", "Click"});
        // A record a data control could not show in its boxes.
        if (control->is(host::ObjectKind::DataControl)) transcribe(*control, {"Error"});
    }
}

void FormSession::transcribe(host::Control& control, const std::vector<std::string>& names) {
    std::weak_ptr<host::Control> weak =
        std::static_pointer_cast<host::Control>(control.shared_from_this());
    for (const std::string& name : names) {
        // An extra listener: the program's own handlers stay attached.
        m_form->events().listen(control.Name(), name,
                                [this, weak, name](std::optional<std::int16_t>, auto) {
                                    if (auto c = weak.lock()) {
                                        m_transcript.event(host::displayName(*c), name);
                                    }
                                });
    }
}

std::shared_ptr<host::DataControl> FormSession::standInFor(
    const std::shared_ptr<host::DataControl>& dataControl) {
    return m_harness ? m_harness->standInFor(dataControl) : dataControl;
}

data::DataControlView* FormSession::viewOf(const host::DataControl& dataControl) const {
    for (const auto& view : m_dataViews) {
        if (view->control().get() == &dataControl) return view.get();
    }
    return nullptr;
}

void FormSession::printRecords() {
    for (const auto& control : m_form->controls()) {
        auto data = std::dynamic_pointer_cast<host::DataControl>(control);
        if (!data) continue;
        const std::string name = host::displayName(*data);
        auto rs = data->recordset();
        if (!rs) {
            m_transcript.record(name, {}, "no recordset");
            continue;
        }
        std::vector<std::pair<std::string, std::string>> values;
        auto fields = rs->fields();
        try {
            for (std::int32_t i = 0; i < fields->count(); ++i) {
                auto field = fields->item(host::Variant(i));
                values.emplace_back(field->name(), valueText(field->value()));
            }
        } catch (const host::Error&) {
            // No current record: say where the recordset stands instead.
            values.clear();
        }
        const char* where = rs->bof() && rs->eof() ? "BOF EOF"
                            : rs->bof()            ? "BOF"
                            : rs->eof()            ? "EOF"
                                                   : "no current record";
        m_transcript.record(name, values, where);
    }
}

}  // namespace qv::qvform
