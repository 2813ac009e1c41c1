// SPDX-License-Identifier: MIT
// ppData: the property page that binds a navigator to one of the data
// controls of its form by writing the chosen name into MSDataControl.
#pragma once

#include <memory>

#include "host/property_page.h"

namespace qv::host {
class ComboBox;
class Label;
}  // namespace qv::host

namespace qv::designtime {

class ppData : public host::PropertyPage {
  public:
    ppData();

    host::ComboBox& cboDataControls() const { return *m_cboDataControls; }

    // The page's own registry: the page members of the runtime and nothing
    // more (its interface declares no members of its own).
    static const host::MemberRegistry& ppDataMembers();
    const host::MemberRegistry& members() const override { return ppDataMembers(); }

  protected:
    // Shows the edited control's MSDataControl and appends the names of the
    // form's data controls through its GetDataControls; both go by name, so
    // any control with these two members can be edited.
    void PropertyPage_SelectionChanged() override;
    // Writes the combo's text, unchecked, to MSDataControl as a plain value.
    void PropertyPage_ApplyChanges() override;

  private:
    void cboDataControls_Click() { setChanged(true); }
    void cboDataControls_KeyPress() { setChanged(true); }
    // Keys that edit without a character (Delete, Shift+Insert) change the
    // text too: without this, Apply would stay off and the edit be lost.
    void cboDataControls_Change() {
        if (!m_showingSelection) setChanged(true);
    }

    std::shared_ptr<host::Label> m_lblMSDataControl;
    std::shared_ptr<host::ComboBox> m_cboDataControls;
    // While the page shows the selected control's value: no edit of the user's.
    bool m_showingSelection = false;
};

}  // namespace qv::designtime
