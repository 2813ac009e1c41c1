// SPDX-License-Identifier: MIT
#include "designtime/ppData.h"

#include "host/combo_box.h"
#include "host/form.h"
#include "host/label.h"
#include "host/member_registry.h"

namespace qv::designtime {

ppData::ppData() : host::PropertyPage("General") {
    auto page = surface();
    page->setName("ppData");
    page->setBounds({0, 0, 5925, 3495});  // the client area
    m_lblMSDataControl = std::make_shared<host::Label>();
    page->add(m_lblMSDataControl, "lblMSDataControl", std::nullopt, {225, 300, 2700, 240});
    m_lblMSDataControl->setCaption("MS Data Control:");
    m_lblMSDataControl->setTabIndex(0);
    m_cboDataControls = std::make_shared<host::ComboBox>();
    page->add(m_cboDataControls, "cboDataControls", std::nullopt, {225, 585, 2580, 315});
    m_cboDataControls->setText("Combo1");
    m_cboDataControls->setTabIndex(1);
    page->events().on("cboDataControls", "Click", [this](auto, auto) { cboDataControls_Click(); });
    page->events().on("cboDataControls", "KeyPress",
                      [this](auto, auto) { cboDataControls_KeyPress(); });
    page->events().on("cboDataControls", "Change",
                      [this](auto, auto) { cboDataControls_Change(); });
}

void ppData::PropertyPage_SelectionChanged() {
    host::ObjectRef edited = SelectedControls(0);
    m_showingSelection = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_showingSelection};
    m_cboDataControls->setText(edited->get("MSDataControl").toString());
    edited->call("GetDataControls", {host::Variant(host::ObjectRef(m_cboDataControls))});
}

void ppData::PropertyPage_ApplyChanges() {
    SelectedControls(0)->let("MSDataControl", host::Variant(m_cboDataControls->Text()));
}

const host::MemberRegistry& ppData::ppDataMembers() {
    static const host::MemberRegistry registry("ppData", &host::PropertyPage::registry());
    return registry;
}

}  // namespace qv::designtime
