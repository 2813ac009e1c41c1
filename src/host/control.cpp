// SPDX-License-Identifier: MIT
#include "host/control.h"

#include <vector>

#include "host/form.h"
#include "host/member_registry.h"
#include "host/property_bag.h"

namespace qv::host {

namespace {

MemberRegistry makeControlMembers() {
    MemberRegistry r("Control");
    MemberTable<Control>(r)
        .readOnly("Name", [](Control& c) { return c.Name(); })
        .readOnly("Index", [](Control& c) { return c.Index(); })
        .property(
            "Left", [](Control& c) { return c.Left(); },
            [](Control& c, const Variant& v) {
                Bounds b = c.bounds();
                b.left = v.toLong();
                c.move(b);
            })
        .property(
            "Top", [](Control& c) { return c.Top(); },
            [](Control& c, const Variant& v) {
                Bounds b = c.bounds();
                b.top = v.toLong();
                c.move(b);
            })
        .property(
            "Width", [](Control& c) { return c.Width(); },
            [](Control& c, const Variant& v) { c.setWidth(v.toLong()); })
        .property(
            "Height", [](Control& c) { return c.Height(); },
            [](Control& c, const Variant& v) { c.setHeight(v.toLong()); })
        .property(
            "Visible", [](Control& c) { return c.Visible(); },
            [](Control& c, const Variant& v) { c.setVisible(v.toBoolean()); })
        .property(
            "Enabled", [](Control& c) { return c.Enabled(); },
            [](Control& c, const Variant& v) { c.setEnabled(v.toBoolean()); })
        .property(
            "ToolTipText", [](Control& c) { return c.ToolTipText(); },
            [](Control& c, const Variant& v) { c.setToolTipText(v.toString()); })
        .readOnly("Container", [](Control& c) { return c.Container(); })
        .readOnly("Parent", [](Control& c) { return ObjectRef(c.Parent()); });
    return r;
}

}  // namespace

const MemberRegistry& Control::controlMembers() {
    static const MemberRegistry registry = makeControlMembers();
    return registry;
}

std::int16_t Control::Index() const {
    if (!m_index) {
        throw Error(errc::ObjectNotAnArray, m_name,
                    m_name + " is not an element of a control array, so it has no Index.");
    }
    return *m_index;
}

void Control::move(const Bounds& bounds) {
    if (bounds.width < 0 || bounds.height < 0) raise(errc::InvalidPropertyValue, m_name);
    bool resized = bounds.width != m_bounds.width || bounds.height != m_bounds.height;
    bool moved = bounds.left != m_bounds.left || bounds.top != m_bounds.top;
    const Bounds before = m_bounds;
    m_bounds = bounds;
    if (resized || moved) {
        try {
            extentChanged();
        } catch (...) {
            // A size the control cannot take leaves it as it was.
            m_bounds = before;
            throw;
        }
    }
    if (!resized) return;
    if (m_loaded) {
        if (m_inResize) {
            m_resizeAgain = true;
        } else {
            runResize();
        }
    }
}

void Control::setWidth(std::int32_t width) {
    Bounds b = m_bounds;
    b.width = width;
    move(b);
}

void Control::setHeight(std::int32_t height) {
    Bounds b = m_bounds;
    b.height = height;
    move(b);
}

void Control::setVisible(bool visible) {
    m_visible = visible;
}
void Control::setEnabled(bool enabled) {
    m_enabled = enabled;
}

void Control::runResize() {
    if (m_inResize) {
        m_resizeAgain = true;
        return;
    }
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{m_inResize};
    for (int pass = 0; pass < 2; ++pass) {
        m_inResize = true;
        m_resizeAgain = false;
        hostResize();
        if (!m_resizeAgain) break;
    }
}

ObjectRef Control::Container() const {
    ObjectRef container = m_container.lock();
    // A user control's own controls sit on the user control itself.
    if (container && container->is(ObjectKind::Form)) {
        if (auto host = static_cast<Form&>(*container).hostControl()) return host;
    }
    return container;
}
std::shared_ptr<Form> Control::Parent() const {
    return m_form.lock();
}

void Control::PropertyChanged(std::string_view name) {
    m_changed.emplace_back(name);
    if (auto form = m_form.lock()) form->markChanged(*this, name);
}

void Control::RaiseEvent(std::string_view event, std::span<Variant> args) {
    auto form = m_form.lock();
    // A form being designed runs none of its handlers: a click on a control
    // there selects it in the designer, it does not act.
    if (!form || !form->userMode()) return;
    // Both stay alive while the handler runs, even if it unloads the form.
    auto self = shared_from_this();
    form->events().raise(m_name, m_index, event, args);
}

void Control::RaiseEvent(std::string_view event, std::initializer_list<Variant> args) {
    std::vector<Variant> copy(args);
    RaiseEvent(event, std::span<Variant>(copy));
}

void Control::hostReadProperties(const PropertyBag& bag) {
    for (const Member* m : members().persisted()) {
        const Persistence& p = *m->info.persist;
        if (!bag.contains(p.key)) continue;
        Variant value = bag.ReadProperty(p.key, p.defaultValue);
        if (m->byReference) {
            set(m->name, value);
        } else {
            let(m->name, value);
        }
    }
}

void Control::hostWriteProperties(PropertyBag& bag) {
    for (const Member* m : members().persisted()) {
        const Persistence& p = *m->info.persist;
        bag.WriteProperty(p.key, get(m->name), p.defaultValue);
    }
}

}  // namespace qv::host
