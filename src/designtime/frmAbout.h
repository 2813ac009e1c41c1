// SPDX-License-Identifier: MIT
// frmAbout: the library's About box. It shows the library's title and
// version and closes with OK; the bar's About method shows it modally.
#pragma once

#include <memory>

#include "host/form.h"

namespace qv::host {
class CommandButton;
class Frame;
class Label;
}  // namespace qv::host

namespace qv::designtime {

class frmAbout : public host::Form {
  public:
    // The caption as designed; Form_Load completes it with the title.
    static constexpr const char* DesignCaption = "About - ";

    frmAbout();

    // Shows a new About box modally (no owner) and returns once it is gone,
    // so every showing starts from Form_Load.
    static void showDialog();
    // Shows `dialog` modally (no owner) and returns once it is unloaded.
    static void showDialog(const std::shared_ptr<frmAbout>& dialog);

    // The controls exist while the dialog is loaded.
    host::Label* Label1() const { return m_label1.get(); }
    host::Frame* Frame1() const { return m_frame1.get(); }
    host::CommandButton* cmdOK() const { return m_cmdOK.get(); }

    void cmdOK_Click();

  protected:
    void Form_Load() override;

  private:
    std::shared_ptr<host::Label> m_label1;
    std::shared_ptr<host::Frame> m_frame1;
    std::shared_ptr<host::CommandButton> m_cmdOK;
};

}  // namespace qv::designtime
