// PartLine: a straight line drawn by its container between two points, in
// the container's twips.
#pragma once

#include <cstdint>

#include "host/control.h"

namespace qv::navigator {

struct LineEnds {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    friend bool operator==(const LineEnds&, const LineEnds&) = default;
};

class PartLine : public host::Control {
  public:
    PartLine() = default;

    // The control's members plus X1, Y1, X2, Y2 and BorderColor.
    static const host::MemberRegistry& lineMembers();
    const host::MemberRegistry& members() const override { return lineMembers(); }
    bool windowless() const override { return true; }

    const LineEnds& ends() const noexcept { return m_ends; }
    // Also places the control's bounds around the two points.
    void setEnds(const LineEnds& ends);
    // An OLE colour.
    std::int32_t BorderColor() const noexcept { return m_color; }
    void setBorderColor(std::int32_t color) { m_color = color; }

  private:
    LineEnds m_ends;
    std::int32_t m_color = 0;
};

}  // namespace qv::navigator
