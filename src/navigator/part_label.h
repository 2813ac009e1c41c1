// PartLabel: the text label the navigator shows its status line in, drawn by
// its container (it has no window of its own).
#pragma once

#include <cstdint>
#include <string>

#include "host/control.h"

namespace qv::navigator {

class PartLabel : public host::Control {
  public:
    PartLabel() = default;

    // The control's members plus Caption and BackColor.
    static const host::MemberRegistry& labelMembers();
    const host::MemberRegistry& members() const override { return labelMembers(); }
    bool windowless() const override { return true; }

    const std::string& Caption() const noexcept { return m_caption; }
    void setCaption(std::string caption) { m_caption = std::move(caption); }
    // An OLE colour.
    std::int32_t BackColor() const noexcept { return m_backColor; }
    void setBackColor(std::int32_t color) { m_backColor = color; }

  private:
    std::string m_caption;
    std::int32_t m_backColor = static_cast<std::int32_t>(0x8000000F);
};

}  // namespace qv::navigator
