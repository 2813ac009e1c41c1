// SPDX-License-Identifier: MIT
#include "host/form.h"

#include <algorithm>
#include <cassert>
#include <unordered_set>

#include "host/controls_collection.h"
#include "host/data_contract.h"
#include "host/member_registry.h"
#include "host/picture_object.h"
#include "host/property_bag.h"
#include "platform/ole/picture.h"

namespace qv::host {

namespace {

MemberRegistry makeFormMembers() {
    MemberRegistry r("Form");
    MemberTable<Form>(r)
        .property(
            "Name", [](Form& f) { return f.Name(); },
            [](Form& f, const Variant& v) { f.setName(v.toString()); })
        .property(
            "Caption", [](Form& f) { return f.Caption(); },
            [](Form& f, const Variant& v) { f.setCaption(v.toString()); },
            {.persist = Persistence{"Caption", Variant("")}})
        .property(
            "BackColor", [](Form& f) { return f.BackColor(); },
            [](Form& f, const Variant& v) { f.setBackColor(v.toLong()); },
            {.persist = Persistence{"BackColor", Variant(static_cast<int>(0x8000000F))}})
        .property(
            "Icon", [](Form& f) { return pictureVariant(f.Icon()); },
            [](Form& f, const Variant& v) { f.setIcon(pictureOf(v)); },
            {.persist = Persistence{"Icon", Variant::nothing()}})
        .property(
            "Left", [](Form& f) { return f.bounds().left; },
            [](Form& f, const Variant& v) {
                Bounds b = f.bounds();
                b.left = v.toLong();
                f.setBounds(b);
            })
        .property(
            "Top", [](Form& f) { return f.bounds().top; },
            [](Form& f, const Variant& v) {
                Bounds b = f.bounds();
                b.top = v.toLong();
                f.setBounds(b);
            })
        .property(
            "Width", [](Form& f) { return f.bounds().width; },
            [](Form& f, const Variant& v) {
                Bounds b = f.bounds();
                b.width = v.toLong();
                if (b.width < 0) raise(errc::InvalidPropertyValue, "Form");
                f.setBounds(b);
            })
        .property(
            "Height", [](Form& f) { return f.bounds().height; },
            [](Form& f, const Variant& v) {
                Bounds b = f.bounds();
                b.height = v.toLong();
                if (b.height < 0) raise(errc::InvalidPropertyValue, "Form");
                f.setBounds(b);
            })
        .readOnly("Visible", [](Form& f) { return f.Visible(); })
        .readOnly("Controls", [](Form& f) { return ObjectRef(f.Controls()); });
    return r;
}

[[noreturn]] void refuse(const std::string& form, const std::string& why) {
    throw Error(errc::InvalidProcedureCall, form, why);
}

}  // namespace

Form::Form(std::string name) : m_name(std::move(name)) {}

bool Form::userMode() const noexcept {
    if (auto host = m_hostControl.lock()) {
        if (auto outer = host->Parent()) return outer->userMode();
    }
    return m_userMode;
}

const MemberRegistry& Form::formMembers() {
    static const MemberRegistry registry = makeFormMembers();
    return registry;
}

std::shared_ptr<Control> Form::add(std::shared_ptr<Control> control, std::string name,
                                   std::optional<std::int16_t> index, const Bounds& bounds,
                                   const std::shared_ptr<Control>& container,
                                   const PropertyBag* stored) {
    if (!control) refuse(m_name, "There is no control to add to the form.");
    if (name.empty()) refuse(m_name, "A control cannot be added without a name.");
    if (index && *index < 0)
        refuse(m_name, "The control " + name + " cannot have a negative index.");
    if (control->m_form.lock()) refuse(m_name, "The control " + name + " is on a form already.");
    if (bounds.width < 0 || bounds.height < 0) raise(errc::InvalidPropertyValue, name);
    std::u32string key = nameKey(name);
    const auto [sameNamed, end] = m_byName.equal_range(key);
    for (auto it = sameNamed; it != end; ++it) {
        const Control* existing = it->second;
        if (!index || !existing->index())
            refuse(m_name, "The form already has a control named " + name + ".");
        if (*existing->index() == *index) {
            throw Error(
                errc::ObjectAlreadyLoaded, m_name,
                "The control " + name + "(" + std::to_string(*index) + ") is loaded already.");
        }
    }
    if (container) {
        const bool ours = container->m_form.lock().get() == this;
        if (!ours || !container->isContainer()) {
            refuse(m_name, container->Name() + " cannot hold controls, or is not on this form.");
        }
    }

    control->m_form = std::static_pointer_cast<Form>(shared_from_this());
    control->m_container = container ? std::static_pointer_cast<Object>(container)
                                     : std::static_pointer_cast<Object>(shared_from_this());
    control->m_name = std::move(name);
    control->m_index = index;
    control->m_bounds = bounds;
    control->extentChanged();
    m_controls.push_back(control);
    const auto named = m_byName.emplace(std::move(key), control.get());
    try {
        control->hostInitialize();
        if (stored) {
            control->hostReadProperties(*stored);
        } else {
            control->hostInitProperties();
        }
        control->m_loaded = true;
        control->runResize();
        if (m_visible) {
            control->hostShow();
            control->hostPaint();
        }
    } catch (...) {
        std::erase(m_controls, control);
        m_byName.erase(named);
        control->m_loaded = false;
        control->m_form.reset();
        control->m_container.reset();
        checkRemoved(*control);
        checkTree();
        throw;
    }
    checkTree();
    return control;
}

std::shared_ptr<Control> Form::find(std::string_view name,
                                    std::optional<std::int16_t> index) const {
    for (const auto& c : m_controls) {
        if (sameName(c->Name(), name) && (!index || c->index() == index)) return c;
    }
    return nullptr;
}

std::shared_ptr<Control> Form::control(std::string_view name,
                                       std::optional<std::int16_t> index) const {
    bool named = false;
    for (const auto& c : m_controls) {
        if (!sameName(c->Name(), name)) continue;
        named = true;
        if (index.has_value() != c->index().has_value()) raise(errc::ObjectNotAnArray, m_name);
        if (!index || c->index() == index) return c;
    }
    if (named) {
        throw Error(errc::ControlArrayElementMissing, m_name,
                    "The control array " + std::string(name) + " has no element " +
                        std::to_string(*index) + ".");
    }
    throw Error(errc::ObjectDoesntSupportMember, m_name,
                "The form has no control or member named " + std::string(name) + ".");
}

std::shared_ptr<ControlsCollection> Form::Controls() {
    if (!m_collection) {
        m_collection = std::make_shared<ControlsCollection>(
            std::static_pointer_cast<Form>(shared_from_this()));
    }
    return m_collection;
}

void Form::setIcon(std::shared_ptr<ole::Picture> icon) {
    if (icon && icon->Type() != PICTYPE_ICON && icon->Type() != PICTYPE_BITMAP &&
        icon->Type() != PICTYPE_NONE) {
        raise(errc::InvalidPropertyValue, m_name);
    }
    m_icon = std::move(icon);
}

void Form::Load() {
    if (m_loaded) return;
    m_loaded = true;
    try {
        Form_Load();
    } catch (...) {
        // A form that cannot load is not left loaded and unseen, with half
        // of its controls: it is unloaded (without Form_Unload, it never
        // loaded) and the failure goes on to whoever showed it.
        m_loaded = false;
        Unload();
        throw;
    }
}

void Form::Show() {
    Load();
    if (!m_loaded) return;  // Form_Load may have unloaded the form
    m_visible = true;
    auto controls = m_controls;  // handlers may add or remove controls
    for (const auto& c : controls) {
        c->hostShow();
        c->hostPaint();
    }
    Form_Activate();
}

void Form::Activate() {
    if (m_loaded && m_visible) Form_Activate();
}

bool Form::Unload() {
    if (m_loaded) {
        std::int16_t cancel = 0;
        Form_Unload(cancel);
        if (cancel != 0) return false;
    }
    auto controls = std::move(m_controls);
    m_controls.clear();
    m_byName.clear();
    for (const auto& c : controls) {
        c->hostTerminate();
        c->m_loaded = false;
        c->m_form.reset();
        c->m_container.reset();
        checkRemoved(*c);
    }
    m_visible = false;
    m_loaded = false;
    checkTree();
    return true;
}

void Form::markChanged(const Control& control, std::string_view property) {
    m_changes.push_back(displayName(control) + "." + std::string(property));
}

void Form::checkTree() const {
#ifndef NDEBUG
    assert(m_byName.size() == m_controls.size() && "every control is found by its name");
    std::unordered_set<const Object*> holders{this};
    for (const auto& c : m_controls) {
        if (c->isContainer()) holders.insert(c.get());
    }
    for (const auto& c : m_controls) {
        assert(c->m_form.lock().get() == this && "a control points back at its form");
        assert(holders.contains(c->m_container.lock().get()) &&
               "a control sits in its form or in a container of it");
        const auto [first, last] = m_byName.equal_range(nameKey(c->Name()));
        assert(
            std::any_of(first, last, [&](const auto& entry) { return entry.second == c.get(); }) &&
            "a control is found by its name");
        (void)first;
        (void)last;
    }
    (void)holders;
#endif
}

void Form::checkRemoved([[maybe_unused]] const Control& control) {
    assert(!control.m_form.lock() && !control.m_container.lock() && !control.m_loaded &&
           "a removed control keeps no link to the form");
}

ObjectRef Form::handOver(ObjectRef found) const {
    if (!m_standIns) return found;
    if (auto data = std::dynamic_pointer_cast<DataControl>(found))
        return m_standIns->standInFor(data);
    return found;
}

std::string displayName(const Control& control) {
    if (!control.index()) return control.Name();
    return control.Name() + "(" + std::to_string(*control.index()) + ")";
}

}  // namespace qv::host
