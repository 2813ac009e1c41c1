// SPDX-License-Identifier: MIT
#include "search/frmDBSearch.h"

#include <optional>
#include <vector>

#include "frame/resource_table.h"
#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/data_contract.h"
#include "host/error.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/message_box_service.h"
#include "host/option_button.h"
#include "host/text_box.h"
#include "search/matched_field.h"
#include "search/search_handover.h"

namespace qv::search {

namespace {

std::shared_ptr<frmDBSearch>& threadInstance() {
    thread_local std::shared_ptr<frmDBSearch> dialog;
    return dialog;
}

enum class Kind { Label, ComboBox, Frame, Option, Text, Button };

// One control of the dialog. Positions are in twips, relative to the form,
// or to Frame1 for the option buttons. `text` is the caption, or the text of
// the text box.
struct Placement {
    Kind kind;
    const char* name;
    std::optional<std::int16_t> index;
    const char* text;
    host::Bounds bounds;
    std::int16_t tabIndex;
    const char* toolTip;
};

// In the order placed: Frame1 before the option buttons it holds.
const Placement kLayout[] = {
    {Kind::Label, "Label1", {}, "Search By:", {225, 120, 870, 240}, 4, ""},
    {Kind::ComboBox, "cboSearch", {}, "", {270, 360, 3210, 315}, 1, "Select field to search"},
    {Kind::Frame, "Frame1", {}, "", {240, 705, 3255, 630}, 6, "Select type of search criteria"},
    {Kind::Option, "optSearch", 0, "Field Begins With", {120, 240, 1575, 255}, 7, ""},
    {Kind::Option, "optSearch", 1, "Field Contains", {1800, 240, 1335, 255}, 8, ""},
    {Kind::Label, "Label3", {}, "Search For:", {225, 1440, 870, 240}, 3, ""},
    {Kind::Text, "txtSearch", {}, "txtSearch", {240, 1680, 3210, 285}, 2, "Text to search for."},
    {Kind::Button,
     "cmdPrivate",
     {},
     "&Find",
     {945, 2160, 1200, 375},
     0,
     "Find first matching record"},
    {Kind::Button,
     "cmdFindNext",
     {},
     "Find &Next",
     {2250, 2160, 1185, 375},
     9,
     "Find next matching record"},
    {Kind::Button, "cmdDone", {}, "&Cancel", {2250, 2610, 1200, 375}, 5, "Cancel search"},
};

std::shared_ptr<host::Control> make(Kind kind) {
    switch (kind) {
        case Kind::Label:
            return std::make_shared<host::Label>();
        case Kind::ComboBox: {
            auto combo = std::make_shared<host::ComboBox>();
            combo->setStyle(2);  // a drop-down list: the fields only
            return combo;
        }
        case Kind::Frame:
            return std::make_shared<host::Frame>();
        case Kind::Option:
            return std::make_shared<host::OptionButton>();
        case Kind::Text:
            return std::make_shared<host::TextBox>();
        case Kind::Button:
            return std::make_shared<host::CommandButton>();
    }
    return nullptr;
}

// The hidden field every recordset of the data control may carry.
constexpr const char* kRecordNumberField = "_RECNUM";

}  // namespace

frmDBSearch::frmDBSearch() : host::Form("frmDBSearch") {
    setCaption("Find Record");
    setBounds({0, 0, 3735, 3120});  // the client area
    applyDialogIcon();
    events().on("cboSearch", "Click", [this](auto, auto) { cboSearch_Click(); });
    events().on("optSearch", "Click", [this](std::optional<std::int16_t> index, auto) {
        optSearch_Click(index.value_or(0));
    });
    events().on("cmdPrivate", "Click", [this](auto, auto) { cmdPrivate_Click(); });
    events().on("cmdFindNext", "Click", [this](auto, auto) { cmdFindNext_Click(); });
    events().on("cmdDone", "Click", [this](auto, auto) { cmdDone_Click(); });
}

std::shared_ptr<frmDBSearch> frmDBSearch::instance() {
    auto& dialog = threadInstance();
    if (!dialog) dialog = std::make_shared<frmDBSearch>();
    return dialog;
}

bool frmDBSearch::instanceExists() {
    return threadInstance() != nullptr;
}

void frmDBSearch::applyDialogIcon() {
    // The caption bar draws the small image of the binoculars icon.
    setIcon(frame::findDialogIcon(16));
}

void frmDBSearch::Form_Load() {
    placeControls();
    fillFieldList();
}

void frmDBSearch::placeControls() {
    // Unload removes the controls, so each load places them afresh.
    std::shared_ptr<host::Control> frame;
    for (const Placement& p : kLayout) {
        auto control = make(p.kind);
        add(control, p.name, p.index, p.bounds, p.kind == Kind::Option ? frame : nullptr);
        if (*p.text) {
            control->let(p.kind == Kind::Text ? "Text" : "Caption",
                         host::Variant(std::string(p.text)));
        }
        control->let("TabIndex", host::Variant(p.tabIndex));
        control->setToolTipText(p.toolTip);
        if (p.kind == Kind::Frame) frame = control;
    }
    m_cboSearch = std::static_pointer_cast<host::ComboBox>(find("cboSearch"));
    m_txtSearch = std::static_pointer_cast<host::TextBox>(find("txtSearch"));
    for (std::int16_t i = 0; i < 2; ++i) {
        m_optSearch[i] = std::static_pointer_cast<host::OptionButton>(find("optSearch", i));
    }
    m_cmdPrivate = std::static_pointer_cast<host::CommandButton>(find("cmdPrivate"));
    m_cmdFindNext = std::static_pointer_cast<host::CommandButton>(find("cmdFindNext"));
    m_cmdDone = std::static_pointer_cast<host::CommandButton>(find("cmdDone"));
    m_cmdPrivate->setDefault(true);
    m_cmdDone->setCancel(true);
    m_optSearch[1]->setValue(true);
}

void frmDBSearch::fillFieldList() {
    m_cboSearch->Clear();
    if (auto rs = searchRecordset()) {
        auto fields = rs->fields();
        const std::int32_t count = fields->count();
        for (std::int32_t i = 0; i < count; ++i) {
            std::string name = fields->item(host::Variant(i))->name();
            if (name != kRecordNumberField) m_cboSearch->AddItem(std::move(name));
        }
    }
    m_defaultFieldIndex = 0;
    if (SearchFieldName.empty()) return;
    for (int i = 0; i < m_cboSearch->ListCount(); ++i) {
        if (m_cboSearch->List(i) == SearchFieldName) {
            m_defaultFieldIndex = i;
            return;
        }
    }
}

void frmDBSearch::Form_Activate() {
    m_txtSearch->setText("");
    if (m_defaultFieldIndex < m_cboSearch->ListCount()) {
        m_cboSearch->setListIndex(m_defaultFieldIndex);
    }
    focusSearchText();
}

void frmDBSearch::focusSearchText() {
    if (m_txtSearch && m_txtSearch->canTakeFocus()) m_txtSearch->SetFocus();
}

SearchMode frmDBSearch::mode() const {
    return m_optSearch[0] && m_optSearch[0]->Value() ? SearchMode::BeginsWith
                                                     : SearchMode::Contains;
}

void frmDBSearch::cboSearch_Click() {
    focusSearchText();
}

void frmDBSearch::optSearch_Click(std::int16_t /*Index*/) {
    focusSearchText();
}

void frmDBSearch::cmdPrivate_Click() {
    FindInFields(false);
}

void frmDBSearch::cmdFindNext_Click() {
    FindInFields(true);
}

void frmDBSearch::cmdDone_Click() {
    host::FormRunner::Unload(std::static_pointer_cast<host::Form>(shared_from_this()));
}

std::shared_ptr<host::Recordset> frmDBSearch::searchRecordset() const {
    return std::dynamic_pointer_cast<host::Recordset>(SearchRecordset);
}

void frmDBSearch::showFindError(const host::Error& error) {
    host::MsgBox("Error " + std::to_string(error.number()) + " from " + error.source() + ":\n" +
                     error.description(),
                 48, "Find Error");
}

void frmDBSearch::FindInFields(bool next) {
    // The controls and the recordset stay alive whatever a handler does.
    auto self = shared_from_this();
    auto combo = m_cboSearch;
    auto text = m_txtSearch;
    const std::string wanted = text->Text();
    if (wanted.empty()) {
        host::Beep();
        host::MsgBox("You must enter text to search", 0, "No Search Text");
        focusSearchText();
        return;
    }
    const auto rs = searchRecordset();
    std::vector<std::string> fields;
    for (int i = 0; i < combo->ListCount(); ++i) fields.push_back(combo->List(i));
    bool noMatch = true;
    if (rs && !fields.empty()) {
        try {
            // One criterion over every listed field: the first record in the
            // recordset's order that holds the text in any of them is the
            // match, whichever field is chosen in the list.
            const std::string criterion = anyFieldCriterion(fields, wanted, mode());
            if (next) {
                rs->findNext(criterion);
            } else {
                rs->findFirst(criterion);
            }
            noMatch = rs->noMatch();
            if (!noMatch) {
                const int field = firstMatchedField(*rs, fields, wanted, mode());
                if (field >= 0) combo->setListIndex(field);
            }
        } catch (const host::Error& e) {
            // The dialog stays open and usable.
            showFindError(e);
            return;
        }
    }
    if (noMatch) host::MsgBox("No Matching Records", 64, "Find Error");
}

}  // namespace qv::search
