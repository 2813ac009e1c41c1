// SPDX-License-Identifier: MIT
// frmDBSearch: the modal Find Record dialog that the navigator's Find button
// opens. It lists the fields of the handed-over recordset, takes a text and a
// mode ("Field Begins With" or "Field Contains"), and moves the recordset to
// the first (or next) record that holds the text in any listed field. It
// stays open after each find and closes through "&Cancel", Esc or its close
// box; each show loads it afresh.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "host/form.h"
#include "search/search_criterion.h"

namespace qv::host {
class ComboBox;
class CommandButton;
class Error;
class OptionButton;
class Recordset;
class TextBox;
}  // namespace qv::host

namespace qv::search {

class frmDBSearch : public host::Form {
  public:
    frmDBSearch();

    // The thread's one instance, made on first use (a dialog closed by Unload
    // stays made and loads afresh on its next Show).
    static std::shared_ptr<frmDBSearch> instance();
    // Whether this thread has made its instance yet.
    static bool instanceExists();

    // The dialog's controls; they exist while the dialog is loaded.
    host::ComboBox* cboSearch() const { return m_cboSearch.get(); }
    host::TextBox* txtSearch() const { return m_txtSearch.get(); }
    host::OptionButton* optSearch(int index) const { return m_optSearch.at(index).get(); }
    host::CommandButton* cmdPrivate() const { return m_cmdPrivate.get(); }
    host::CommandButton* cmdFindNext() const { return m_cmdFindNext.get(); }
    host::CommandButton* cmdDone() const { return m_cmdDone.get(); }

    // The list position selected whenever the dialog is activated.
    int DefaultFieldIndex() const noexcept { return m_defaultFieldIndex; }
    // The mode the option buttons choose.
    SearchMode mode() const;

    void cboSearch_Click();
    void optSearch_Click(std::int16_t Index);
    // "&Find": moves to the first record that holds the text in any field.
    void cmdPrivate_Click();
    // "Find &Next": moves to the first such record after the current one.
    void cmdFindNext_Click();
    // Unloads the dialog (and closes its window when it has one).
    void cmdDone_Click();

  protected:
    void Form_Load() override;
    void Form_Activate() override;

  private:
    void placeControls();
    void fillFieldList();
    // Gives the form the binoculars icon of the library's resources.
    void applyDialogIcon();
    // Moves the focus to the text box when it can take it (a dialog loaded
    // without a window has no focus to move).
    void focusSearchText();
    // Runs one find over all listed fields and shows the first field of the
    // match in the list; "No Matching Records" when there is none.
    void FindInFields(bool next);
    // The recordset of the hand-over, or nullptr when it holds none.
    std::shared_ptr<host::Recordset> searchRecordset() const;
    // Shows a failure of the recordset in the "Find Error" box.
    static void showFindError(const host::Error& error);

    std::shared_ptr<host::ComboBox> m_cboSearch;
    std::shared_ptr<host::TextBox> m_txtSearch;
    std::array<std::shared_ptr<host::OptionButton>, 2> m_optSearch;
    std::shared_ptr<host::CommandButton> m_cmdPrivate;
    std::shared_ptr<host::CommandButton> m_cmdFindNext;
    std::shared_ptr<host::CommandButton> m_cmdDone;
    int m_defaultFieldIndex = 0;
};

}  // namespace qv::search
