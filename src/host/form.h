// SPDX-License-Identifier: MIT
// Form: a top-level container of controls with its own properties, the
// handlers registered for its controls' events, the record of properties
// marked changed, and the load, show and unload life cycle.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/control.h"
#include "host/event_handlers.h"
#include "host/object.h"

namespace qv::ole {
class Picture;
}

namespace qv::host {

class ControlsCollection;
class DataControlStandIns;
class PropertyBag;

class Form : public Object {
  public:
    explicit Form(std::string name = "Form1");

    // Name, Caption, BackColor, Icon, Left, Top, Width, Height, Visible, Controls.
    static const MemberRegistry& formMembers();
    const MemberRegistry& members() const override { return formMembers(); }
    bool is(ObjectKind kind) const override { return kind == ObjectKind::Form; }

    const std::string& Name() const noexcept { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    const std::string& Caption() const noexcept { return m_caption; }
    void setCaption(std::string caption) { m_caption = std::move(caption); }
    // An OLE colour; button face (0x8000000F) at first.
    std::int32_t BackColor() const noexcept { return m_backColor; }
    void setBackColor(std::int32_t color) { m_backColor = color; }
    // The picture (icon or bitmap) drawn at the left of the caption bar, or
    // nullptr. Fails with 380 for a picture of another kind (a metafile).
    const std::shared_ptr<ole::Picture>& Icon() const noexcept { return m_icon; }
    void setIcon(std::shared_ptr<ole::Picture> icon);
    const Bounds& bounds() const noexcept { return m_bounds; }
    void setBounds(const Bounds& bounds) { m_bounds = bounds; }
    bool Visible() const noexcept { return m_visible; }

    // False while the form is being designed, True while it runs (the form
    // runner decides). Controls read it as Ambient.UserMode. The inner form of
    // a user control follows the form that user control sits on.
    bool userMode() const noexcept;
    void setUserMode(bool running) { m_userMode = running; }

    // For the inner form that holds a user control's own controls: that user
    // control, whose window their windows belong in; nullptr for other forms.
    std::shared_ptr<Control> hostControl() const { return m_hostControl.lock(); }
    void setHostControl(const std::shared_ptr<Control>& control) { m_hostControl = control; }

    // Stand-ins for this form's data controls, or nullptr (the usual case:
    // none). `standIns` must outlive its use here.
    void setDataControlStandIns(DataControlStandIns* standIns) noexcept { m_standIns = standIns; }
    // What a control of this form that found `found` by name is handed:
    // `found` itself, or its stand-in when it is a data control and the form
    // has stand-ins.
    ObjectRef handOver(ObjectRef found) const;

    EventHandlers& events() noexcept { return m_events; }
    const EventHandlers& events() const noexcept { return m_events; }

    // Places `control` on the form and runs its life cycle: Initialize, then
    // InitProperties when `stored` is null (a new control) or
    // ReadProperties(*stored) (a loaded one), then Resize, and Show and Paint
    // when the form is showing. `container` is a container control of this
    // form, or null for the form itself. Fails with 5 for an empty or taken
    // name or a bad container, with 360 when the array element exists.
    // If the life cycle fails the control is removed again and the error
    // passes on.
    std::shared_ptr<Control> add(std::shared_ptr<Control> control, std::string name,
                                 std::optional<std::int16_t> index, const Bounds& bounds,
                                 const std::shared_ptr<Control>& container = nullptr,
                                 const PropertyBag* stored = nullptr);

    // Every control in the order placed, whatever container it sits in.
    const std::vector<std::shared_ptr<Control>>& controls() const noexcept { return m_controls; }
    // The control named `name` (and with `index`, for arrays), or nullptr.
    std::shared_ptr<Control> find(std::string_view name,
                                  std::optional<std::int16_t> index = std::nullopt) const;
    // As find(), but fails: 340 for a missing array element, 343 when an
    // array is named without an index, 438 when no control has the name.
    std::shared_ptr<Control> control(std::string_view name,
                                     std::optional<std::int16_t> index = std::nullopt) const;
    // The Controls collection (what ParentControls shows to a control).
    std::shared_ptr<ControlsCollection> Controls();

    // Life cycle. Load runs Form_Load once (a Form_Load that fails leaves the
    // form unloaded, without its controls); Show loads if needed, shows each
    // control (Show, Paint) and runs Form_Activate; Unload runs Form_Unload
    // and, unless it cancels, terminates the controls in order and removes them.
    // Returns false when Form_Unload cancelled.
    void Load();
    void Show();
    bool Unload();
    // Runs Form_Activate when the form is loaded and showing; the form runner
    // calls it each time the form's window becomes the active one again.
    void Activate();
    bool loaded() const noexcept { return m_loaded; }

    // Change tracking: PropertyChanged of any control lands here.
    void markChanged(const Control& control, std::string_view property);
    bool changed() const noexcept { return !m_changes.empty(); }
    // "<control name>.<property>" (with "(index)" for arrays), in order.
    const std::vector<std::string>& changes() const noexcept { return m_changes; }
    void clearChanged() { m_changes.clear(); }

  protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // Setting `cancel` to non-zero keeps the form loaded.
    virtual void Form_Unload(std::int16_t& /*cancel*/) {}

  private:
    // Debug builds check that the tree of controls holds together: every
    // control placed here points back at this form, sits in the form or in a
    // container control of it, and is found by name; a removed one is not.
    void checkTree() const;
    static void checkRemoved(const Control& control);

    std::string m_name;
    std::string m_caption;
    std::int32_t m_backColor = static_cast<std::int32_t>(0x8000000F);
    std::shared_ptr<ole::Picture> m_icon;
    Bounds m_bounds{0, 0, 4800, 3600};
    bool m_visible = false;
    bool m_userMode = true;
    bool m_loaded = false;
    EventHandlers m_events;
    std::vector<std::shared_ptr<Control>> m_controls;
    // The controls by name (nameKey), so adding one is not a walk over all.
    std::unordered_multimap<std::u32string, const Control*> m_byName;
    std::vector<std::string> m_changes;
    std::shared_ptr<ControlsCollection> m_collection;
    std::weak_ptr<Control> m_hostControl;
    DataControlStandIns* m_standIns = nullptr;
};

// Returns "Name" or "Name(index)" for a control array element.
std::string displayName(const Control& control);

}  // namespace qv::host
