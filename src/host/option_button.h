// SPDX-License-Identifier: MIT
// OptionButton: the standard option (radio) button. Of the option buttons in
// one container only one is chosen; choosing one raises its Click. The arrow
// keys move the choice within the group, and Tab stops at the chosen one.
#pragma once

#include <string>
#include <vector>

#include "host/command_button_press.h"
#include "host/form_runner_control.h"

namespace qv::host {

class OptionButton : public FormRunnerControl {
  public:
    static constexpr int kCircle = 13;

    // Caption, Value.
    static const MemberRegistry& optionButtonMembers();
    const MemberRegistry& members() const override { return optionButtonMembers(); }

    const std::string& Caption() const noexcept { return m_caption; }
    void setCaption(std::string caption);
    bool Value() const noexcept { return m_value; }
    // True chooses this button and clears the others of its container, then
    // raises Click if it was not chosen before; False just clears it.
    void setValue(bool value);

    // The option buttons of this one's container, in tab order (itself included).
    std::vector<OptionButton*> group() const;
    // Tab stops at the chosen button of the group, or at every button while
    // none is chosen.
    bool isTabStop() const override;

  protected:
    void paint(HDC dc, const RECT& client) override;
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    std::string m_caption;
    bool m_value = false;
    CommandButtonPress m_press;
};

}  // namespace qv::host
