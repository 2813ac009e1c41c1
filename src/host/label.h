// SPDX-License-Identifier: MIT
// Label: a caption drawn by its container (it has no window of its own),
// with its colours, background style, alignment and font.
#pragma once

#include <cstdint>
#include <string>

#include "host/control.h"
#include "platform/win32.h"

namespace qv::host {

class Label : public Control {
  public:
    static constexpr std::int16_t AlignLeft = 0;
    static constexpr std::int16_t AlignRight = 1;
    static constexpr std::int16_t AlignCenter = 2;
    static constexpr std::int16_t Transparent = 0;
    static constexpr std::int16_t Opaque = 1;

    // Caption, BackColor, BackStyle, ForeColor, Alignment, FontName,
    // FontSize, FontBold, TabIndex.
    static const MemberRegistry& labelMembers();
    const MemberRegistry& members() const override { return labelMembers(); }
    bool windowless() const override { return true; }

    const std::string& Caption() const noexcept { return m_caption; }
    void setCaption(std::string caption);
    std::int32_t BackColor() const noexcept { return m_backColor; }
    void setBackColor(std::int32_t color);
    std::int16_t BackStyle() const noexcept { return m_backStyle; }
    // Fails with error 380 for a style other than 0 or 1.
    void setBackStyle(std::int16_t style);
    std::int32_t ForeColor() const noexcept { return m_foreColor; }
    void setForeColor(std::int32_t color);
    std::int16_t Alignment() const noexcept { return m_alignment; }
    // Fails with error 380 for an alignment other than 0, 1 or 2.
    void setAlignment(std::int16_t alignment);
    const std::string& FontName() const noexcept { return m_fontName; }
    void setFontName(std::string name);
    float FontSize() const noexcept { return m_fontSize; }
    // Fails with error 380 for a size that is not positive or above 2048 points.
    void setFontSize(float points);
    bool FontBold() const noexcept { return m_fontBold; }
    void setFontBold(bool bold);
    std::int16_t TabIndex() const noexcept { return m_tabIndex; }
    void setTabIndex(std::int16_t index) { m_tabIndex = index; }

    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

    // Draws the label at its place on a DC of its container (client pixels).
    // Callers that host labels outside forms call it from their paint.
    void draw(HDC dc) const;

  private:
    void changed();

    std::string m_caption;
    std::int32_t m_backColor = static_cast<std::int32_t>(0x8000000F);
    std::int16_t m_backStyle = Opaque;
    std::int32_t m_foreColor = static_cast<std::int32_t>(0x80000012);
    std::int16_t m_alignment = AlignLeft;
    std::string m_fontName = "MS Sans Serif";
    float m_fontSize = 8.25f;
    bool m_fontBold = false;
    std::int16_t m_tabIndex = 0;
};

}  // namespace qv::host
