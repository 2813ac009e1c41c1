// frmDBSearch: the modal Find Record dialog that the navigator's Find button
// opens. This version lists nothing and searches nothing: it reads the
// hand-over when it loads and closes through "&Cancel", Esc or its close box.
#pragma once

#include <memory>
#include <string>

#include "host/form.h"

namespace qv::search {

class frmDBSearch : public host::Form {
  public:
    frmDBSearch();

    // The thread's one instance, made on first use (a dialog closed by Unload
    // stays made and loads afresh on its next Show).
    static std::shared_ptr<frmDBSearch> instance();
    // Whether this thread has made its instance yet.
    static bool instanceExists();

    // The user's ways out: the "&Cancel" button, the Esc key (which clicks
    // the cancel button) and the window's close box. Each unloads the dialog.
    void cmdDone_Click();
    void pressEscape() { cmdDone_Click(); }
    void closeBox();

    // What the dialog read from the hand-over when it last loaded.
    bool sawRecordset() const noexcept { return m_sawRecordset; }
    const std::string& preselectedField() const noexcept { return m_preselectedField; }

  protected:
    void Form_Load() override;

  private:
    bool m_sawRecordset = false;
    std::string m_preselectedField;
};

}  // namespace qv::search
