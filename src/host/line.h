// SPDX-License-Identifier: MIT
// Line: a straight line drawn by its container between two points in twips,
// in a border colour and width.
#pragma once

#include <cstdint>

#include "host/control.h"
#include "platform/win32.h"

namespace qv::host {

class Line : public Control {
  public:
    // X1, Y1, X2, Y2, BorderColor, BorderWidth.
    static const MemberRegistry& lineMembers();
    const MemberRegistry& members() const override { return lineMembers(); }
    bool windowless() const override { return true; }

    std::int32_t X1() const noexcept { return m_x1; }
    std::int32_t Y1() const noexcept { return m_y1; }
    std::int32_t X2() const noexcept { return m_x2; }
    std::int32_t Y2() const noexcept { return m_y2; }
    // Sets both points (twips in the container); the control's bounds become
    // the box around them.
    void setPoints(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    std::int32_t BorderColor() const noexcept { return m_borderColor; }
    void setBorderColor(std::int32_t color);
    std::int16_t BorderWidth() const noexcept { return m_borderWidth; }
    // Fails with error 380 for a width below 1 or above 8192.
    void setBorderWidth(std::int16_t width);

    void setVisible(bool visible) override;

    // Draws the line on a DC of its container (client pixels). As with every
    // GDI line, the end point itself is not painted.
    void draw(HDC dc) const;

  private:
    std::int32_t m_x1 = 0;
    std::int32_t m_y1 = 0;
    std::int32_t m_x2 = 0;
    std::int32_t m_y2 = 0;
    std::int32_t m_borderColor = static_cast<std::int32_t>(0x80000008);
    std::int16_t m_borderWidth = 1;
};

}  // namespace qv::host
