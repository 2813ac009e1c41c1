// SPDX-License-Identifier: MIT
// Frame: a container of controls with an etched border and a caption; the
// controls inside are placed relative to it. It never takes the focus.
#pragma once

#include <cstdint>
#include <string>

#include "host/form_runner_control.h"

namespace qv::host {

class Frame : public FormRunnerControl {
  public:
    // Caption, BorderStyle, BackColor, ForeColor.
    static const MemberRegistry& frameMembers();
    const MemberRegistry& members() const override { return frameMembers(); }
    bool isContainer() const override { return true; }

    const std::string& Caption() const noexcept { return m_caption; }
    void setCaption(std::string caption);
    // 0: no border, 1: the etched border.
    std::int16_t BorderStyle() const noexcept { return m_borderStyle; }
    // Fails with error 380 for a style other than 0 or 1.
    void setBorderStyle(std::int16_t style);
    std::int32_t BackColor() const noexcept { return m_backColor; }
    void setBackColor(std::int32_t color);
    std::int32_t ForeColor() const noexcept { return m_foreColor; }
    void setForeColor(std::int32_t color);

    // Where the border lies in the frame's client area: below the middle of
    // the caption's text line when there is a caption.
    RECT borderRect(HDC dc) const;

  protected:
    bool takesFocus() const override { return false; }
    void paint(HDC dc, const RECT& client) override;

  private:
    std::string m_caption;
    std::int16_t m_borderStyle = 1;
    std::int32_t m_backColor = static_cast<std::int32_t>(0x8000000F);
    std::int32_t m_foreColor = static_cast<std::int32_t>(0x80000012);
};

}  // namespace qv::host
