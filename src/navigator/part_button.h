// PartButton: the push button the navigator builds its bar from, in the
// graphical style (a picture, no caption), a member of the Buttonbar array.
// It acts only through its Click event; the bar's code does the work.
#pragma once

#include <cstdint>

#include "host/control.h"

namespace qv::navigator {

class PartButton : public host::Control {
  public:
    PartButton() = default;

    // The control's members plus Caption, Picture, Style and TabIndex.
    static const host::MemberRegistry& buttonMembers();
    const host::MemberRegistry& members() const override { return buttonMembers(); }

    const std::string& Caption() const noexcept { return m_caption; }
    void setCaption(std::string caption) { m_caption = std::move(caption); }
    // A picture object or nothing.
    const host::ObjectRef& Picture() const noexcept { return m_picture; }
    void setPicture(host::ObjectRef picture) { m_picture = std::move(picture); }
    // 0 standard, 1 graphical.
    std::int16_t Style() const noexcept { return m_style; }
    void setStyle(std::int16_t style) { m_style = style; }
    std::int16_t TabIndex() const noexcept { return m_tabIndex; }
    void setTabIndex(std::int16_t index) { m_tabIndex = index; }

    // Clicks the button as the user does: raises Click to the handler of the
    // form that holds it. Returns false, doing nothing, while the button is
    // disabled.
    bool click();

  private:
    std::string m_caption;
    host::ObjectRef m_picture;
    std::int16_t m_style = 0;
    std::int16_t m_tabIndex = 0;
};

}  // namespace qv::navigator
