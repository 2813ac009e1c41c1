// frmDBSearch: the modal Find Record dialog that the navigator's Find button
// opens. This version lists nothing and searches nothing: it reads the
// hand-over when it loads and closes through its "&Cancel" button (cmdDone,
// also clicked by Esc) or its close box.
#pragma once

#include <memory>
#include <string>

#include "host/form.h"

namespace qv::host {
class CommandButton;
}

namespace qv::search {

class frmDBSearch : public host::Form {
  public:
    frmDBSearch();

    // The thread's one instance, made on first use (a dialog closed by Unload
    // stays made and loads afresh on its next Show).
    static std::shared_ptr<frmDBSearch> instance();
    // Whether this thread has made its instance yet.
    static bool instanceExists();

    // The "&Cancel" button; it exists while the dialog is loaded.
    host::CommandButton* cmdDone() const { return m_cmdDone.get(); }
    // Unloads the dialog (and closes its window when it has one).
    void cmdDone_Click();

    // What the dialog read from the hand-over when it last loaded.
    bool sawRecordset() const noexcept { return m_sawRecordset; }
    const std::string& preselectedField() const noexcept { return m_preselectedField; }

  protected:
    void Form_Load() override;

  private:
    std::shared_ptr<host::CommandButton> m_cmdDone;
    bool m_sawRecordset = false;
    std::string m_preselectedField;
};

}  // namespace qv::search
