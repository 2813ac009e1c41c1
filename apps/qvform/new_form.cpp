// SPDX-License-Identifier: MIT
#include "new_form.h"

#include <cctype>
#include <filesystem>
#include <set>

#include "data/bound_controls_text_box.h"
#include "data/recordset.h"
#include "data/sqlite_connection.h"
#include "host/control_factory.h"
#include "host/error.h"
#include "host/form.h"
#include "host/form_file.h"

namespace qv::qvform {

namespace {

// Layout in twips: one row per column, the bar and data control below.
constexpr std::int32_t kMargin = 120;
constexpr std::int32_t kLabelWidth = 1800;
constexpr std::int32_t kBoxLeft = kMargin + kLabelWidth + 120;
constexpr std::int32_t kBoxWidth = 4320;
constexpr std::int32_t kRow = 420;
constexpr std::int32_t kFormWidth = kBoxLeft + kBoxWidth + kMargin;

// A control name made of the letters and digits of `column`, unique on the form.
std::string controlName(const std::string& prefix, const std::string& column, std::size_t index,
                        std::set<std::string>& taken) {
    std::string name = prefix;
    for (unsigned char c : column) {
        if (std::isalnum(c) || c == '_') name += static_cast<char>(c);
    }
    if (name == prefix || !taken.insert(name).second) {
        name = prefix + "Field" + std::to_string(index + 1);
        taken.insert(name);
    }
    return name;
}

std::shared_ptr<host::Control> place(
    host::Form& form, const std::string& type, const std::string& name, const host::Bounds& bounds,
    std::initializer_list<std::pair<const char*, host::Variant>> properties) {
    auto control =
        form.add(host::ControlFactory::current().create(type), name, std::nullopt, bounds);
    for (const auto& [property, value] : properties) control->let(property, value);
    return control;
}

}  // namespace

std::string newFormText(const std::string& database, const std::string& table) {
    data::SqliteConnection::Options readOnly;
    readOnly.readOnly = true;
    const std::string path = std::filesystem::absolute(database).lexically_normal().string();
    auto recordset = data::Recordset::open(data::SqliteConnection::open(path, readOnly), table);
    const auto fields = recordset->fieldInfo();
    recordset->close();

    auto form = std::make_shared<host::Form>("frmBrowse");
    form->setCaption(table);
    std::set<std::string> taken;
    std::int32_t top = kMargin;
    std::string searchField;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& field = fields[i];
        if (field.type == host::field_type::LongBinary) continue;
        if (searchField.empty() && field.type == host::field_type::Text) searchField = field.name;
        place(*form, "Label", controlName("lbl", field.name, i, taken),
              {kMargin, top + 30, kLabelWidth, 255},
              {{"Caption", host::Variant(field.name + ":")}});
        auto box =
            place(*form, "TextBox", controlName("txt", field.name, i, taken),
                  {kBoxLeft, top, kBoxWidth, 315}, {{"DataField", host::Variant(field.name)}});
        // DataSource is an object at run time; the form keeps the name.
        if (auto bound = std::dynamic_pointer_cast<data::DataTextBox>(box)) {
            bound->setDataSourceName("Data1");
        }
        top += kRow;
    }
    if (top == kMargin) {
        throw host::Error(host::errc::InvalidProcedureCall, "qvform",
                          "The table " + table + " has no column a text box can show");
    }
    place(*form, "Data", "Data1", {kMargin, top + 60, kFormWidth - 2 * kMargin, 345},
          {{"DatabaseName", host::Variant(path)},
           {"RecordSource", host::Variant(table)},
           {"Caption", host::Variant(table)}});
    place(
        *form, "qvRecordBar", "qvRecordBar1", {kMargin, top + 540, kFormWidth - 2 * kMargin, 450},
        {{"MSDataControl", host::Variant("Data1")},
         {"SearchField", host::Variant(searchField.empty() ? fields.front().name : searchField)}});
    form->setBounds({0, 0, kFormWidth, top + 540 + 450 + kMargin});
    return host::saveForm(*form);
}

}  // namespace qv::qvform
