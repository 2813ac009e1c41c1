// SPDX-License-Identifier: MIT
// CommandButton: the standard push button, with a caption or (graphical
// style) a picture, Default and Cancel roles on its form, the pressed look
// while the mouse holds it, and Click from the mouse, Space and Enter.
#pragma once

#include <memory>
#include <string>

#include "host/command_button_press.h"
#include "host/form_runner_control.h"

namespace qv::ole {
class Picture;
}

namespace qv::host {

class CommandButton : public FormRunnerControl {
  public:
    static constexpr std::int16_t StyleStandard = 0;
    static constexpr std::int16_t StyleGraphical = 1;

    CommandButton() = default;

    // Caption, Style, Picture, DisabledPicture, MaskColor, UseMaskColor,
    // Default, Cancel, Value (and
    // the members of every windowed control).
    static const MemberRegistry& commandButtonMembers();
    const MemberRegistry& members() const override { return commandButtonMembers(); }

    const std::string& Caption() const noexcept { return m_caption; }
    void setCaption(std::string caption);
    std::int16_t Style() const noexcept { return m_style; }
    // Fails with error 380 for a style other than 0 or 1.
    void setStyle(std::int16_t style);
    const std::shared_ptr<ole::Picture>& Picture() const noexcept { return m_picture; }
    void setPicture(std::shared_ptr<ole::Picture> picture);
    // Shown while the button is disabled; without one the Picture is greyed.
    const std::shared_ptr<ole::Picture>& DisabledPicture() const noexcept {
        return m_disabledPicture;
    }
    void setDisabledPicture(std::shared_ptr<ole::Picture> picture);
    // With UseMaskColor, the pixels of a bitmap picture in MaskColor (an OLE
    // colour, light grey at first) let the button face show, in the normal
    // and the greyed look.
    std::int32_t MaskColor() const noexcept { return m_maskColor; }
    // Fails with 380 for a colour that does not translate.
    void setMaskColor(std::int32_t color);
    bool UseMaskColor() const noexcept { return m_useMaskColor; }
    void setUseMaskColor(bool use);

    // One button of a form is the default (Enter) and one the cancel button
    // (Esc): making a button either takes the role from the others.
    bool Default() const noexcept { return m_default; }
    void setDefault(bool isDefault);
    bool Cancel() const noexcept { return m_cancel; }
    void setCancel(bool isCancel);

    // Clicks the button as the user would: raises Click when it is enabled
    // and input can reach it (reachable()).
    // Returns whether it did.
    bool press();

    bool looksPressed() const { return m_press.looksPressed(); }

  protected:
    bool usesKey(unsigned vk) const override { return vk == VK_RETURN; }
    void paint(HDC dc, const RECT& client) override;
    LRESULT onMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void takeRole(bool CommandButton::*role);
    void drawPicture(HDC dc, const RECT& area) const;

    std::string m_caption;
    std::int16_t m_style = StyleStandard;
    std::shared_ptr<ole::Picture> m_picture;
    std::shared_ptr<ole::Picture> m_disabledPicture;
    std::int32_t m_maskColor = 0x00C0C0C0;
    bool m_useMaskColor = false;
    bool m_default = false;
    bool m_cancel = false;
    CommandButtonPress m_press;
};

}  // namespace qv::host
