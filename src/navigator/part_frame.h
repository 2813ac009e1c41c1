// PartFrame: the captionless frame that holds the navigator's buttons and
// separator lines.
#pragma once

#include <cstdint>

#include "host/control.h"

namespace qv::navigator {

class PartFrame : public host::Control {
  public:
    PartFrame() = default;

    // The control's members plus TabIndex.
    static const host::MemberRegistry& frameMembers();
    const host::MemberRegistry& members() const override { return frameMembers(); }
    bool isContainer() const override { return true; }

    std::int16_t TabIndex() const noexcept { return m_tabIndex; }
    void setTabIndex(std::int16_t index) { m_tabIndex = index; }

  private:
    std::int16_t m_tabIndex = 0;
};

}  // namespace qv::navigator
