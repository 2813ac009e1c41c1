// SPDX-License-Identifier: MIT
// Control: the base of every control placed on a form, holding what the form
// keeps for it (the extender: name, index, position, visibility, container)
// and the services a control calls on its host (PropertyChanged, RaiseEvent).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/object.h"
#include "platform/win32_types.h"

namespace qv::host {

class Form;
class MemberRegistry;
class PropertyBag;

// Twips per screen pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

// A control's position and extent in twips, relative to its container.
struct Bounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

class Control : public Object {
  public:
    // The members every control has (its extender): Name, Index, Left, Top,
    // Width, Height, Visible, Enabled, ToolTipText, Container, Parent.
    static const MemberRegistry& controlMembers();
    const MemberRegistry& members() const override { return controlMembers(); }
    bool is(ObjectKind kind) const override { return kind == ObjectKind::Control; }

    const std::string& Name() const noexcept { return m_name; }
    // The index within a control array; fails with 343 outside an array.
    std::int16_t Index() const;
    std::optional<std::int16_t> index() const noexcept { return m_index; }

    const Bounds& bounds() const noexcept { return m_bounds; }
    std::int32_t Left() const noexcept { return m_bounds.left; }
    std::int32_t Top() const noexcept { return m_bounds.top; }
    std::int32_t Width() const noexcept { return m_bounds.width; }
    std::int32_t Height() const noexcept { return m_bounds.height; }
    // Moves and sizes the control; a negative extent fails with 380. A change
    // of extent on a loaded control runs its resize handling (see runResize).
    void move(const Bounds& bounds);
    void setWidth(std::int32_t width);
    void setHeight(std::int32_t height);

    bool Visible() const noexcept { return m_visible; }
    virtual void setVisible(bool visible);
    bool Enabled() const noexcept { return m_enabled; }
    virtual void setEnabled(bool enabled);
    const std::string& ToolTipText() const noexcept { return m_toolTipText; }
    void setToolTipText(std::string text) { m_toolTipText = std::move(text); }

    // The form, or the control of the form, that holds this one (for a user
    // control's own controls, that user control); Nothing while the control
    // is not on a form.
    ObjectRef Container() const;
    // The form the control sits on, or nullptr.
    std::shared_ptr<Form> Parent() const;

    // Marks property `name` and the form changed.
    void PropertyChanged(std::string_view name);
    // The names marked changed on this control, in order.
    const std::vector<std::string>& changedProperties() const noexcept { return m_changed; }

    // Runs the form's handler for `event` (if any) before returning; a form
    // in design mode runs none.
    void RaiseEvent(std::string_view event, std::span<Variant> args = {});
    void RaiseEvent(std::string_view event, std::initializer_list<Variant> args);

    // Whether the control draws on its container instead of owning a window
    // (labels and lines).
    virtual bool windowless() const { return false; }
    // Whether other controls may sit inside this one (frames, picture boxes).
    virtual bool isContainer() const { return false; }
    // The window of the control, once the host has given it one.
    HWND hWnd() const noexcept { return m_hWnd; }

    // ---- Host side: the form calls these in the control's life cycle. ----
    virtual void hostInitialize() {}
    virtual void hostInitProperties() {}
    // The default reads and writes every persisted member of the registry.
    virtual void hostReadProperties(const PropertyBag& bag);
    virtual void hostWriteProperties(PropertyBag& bag);
    virtual void hostResize() {}
    virtual void hostShow() {}
    virtual void hostPaint() {}
    virtual void hostTerminate() {}
    // Called after the position or the extent changed, before any resize
    // handler runs.
    virtual void extentChanged() {}

    // Runs hostResize(). If the control changes its own extent while its
    // handler runs, the handler runs once more, and no more than that: a
    // host resize that the control answers by resizing itself again ends
    // after the second pass.
    void runResize();

    bool loaded() const noexcept { return m_loaded; }

  protected:
    Control() = default;
    void setHWnd(HWND hwnd) noexcept { m_hWnd = hwnd; }

  private:
    friend class Form;

    std::weak_ptr<Form> m_form;
    std::weak_ptr<Object> m_container;
    std::string m_name;
    std::optional<std::int16_t> m_index;
    Bounds m_bounds;
    bool m_visible = true;
    bool m_enabled = true;
    std::string m_toolTipText;
    std::vector<std::string> m_changed;
    HWND m_hWnd = nullptr;
    bool m_loaded = false;
    bool m_inResize = false;
    bool m_resizeAgain = false;
};

}  // namespace qv::host
