// SPDX-License-Identifier: MIT
// Two plain controls for the tests of form files (the loader's tests and its
// fuzz target): a button with the kinds of members the library's controls
// persist (text, integer, Boolean, floating point, picture) and a container.
// `Names` gives the type names they are registered and saved under:
// Names::button and Names::frame.
#pragma once

#include <cstdint>
#include <string>

#include "host/control.h"
#include "host/member_registry.h"
#include "host/picture_object.h"
#include "host/variant.h"

namespace qv::test {

template <class Names>
class PersistedButton : public host::Control {
  public:
    static const host::MemberRegistry& buttonMembers() {
        using host::Persistence;
        using host::Variant;
        static const host::MemberRegistry r = [] {
            host::MemberRegistry m(Names::button, &host::Control::controlMembers());
            host::MemberTable<PersistedButton>(m)
                .property(
                    "Caption", [](PersistedButton& b) { return b.caption; },
                    [](PersistedButton& b, const Variant& v) { b.caption = v.toString(); },
                    {.persist = Persistence{"Caption", Variant("")}})
                .property(
                    "Style", [](PersistedButton& b) { return b.style; },
                    [](PersistedButton& b, const Variant& v) { b.style = v.toInteger(); },
                    {.persist = Persistence{"Style", Variant(std::int16_t{0})}})
                .property(
                    "Value", [](PersistedButton& b) { return b.value; },
                    [](PersistedButton& b, const Variant& v) { b.value = v.toBoolean(); },
                    {.persist = Persistence{"Value", Variant(false)}})
                .property(
                    "Ratio", [](PersistedButton& b) { return b.ratio; },
                    [](PersistedButton& b, const Variant& v) { b.ratio = v.toDouble(); },
                    {.persist = Persistence{"Ratio", Variant(1.0)}})
                .objectProperty(
                    "Picture", [](PersistedButton& b) { return b.picture; },
                    [](PersistedButton& b, const Variant& v) {
                        host::pictureOf(v);  // refuses what is not a picture
                        b.picture = v;
                    },
                    {.persist = Persistence{"Picture", Variant::nothing()}});
            return m;
        }();
        return r;
    }
    const host::MemberRegistry& members() const override { return buttonMembers(); }

    std::string caption;
    std::int16_t style = 0;
    bool value = false;
    double ratio = 1.0;
    host::Variant picture = host::Variant::nothing();
};

template <class Names>
class PersistedFrame : public host::Control {
  public:
    static const host::MemberRegistry& frameMembers() {
        static const host::MemberRegistry r(Names::frame, &host::Control::controlMembers());
        return r;
    }
    const host::MemberRegistry& members() const override { return frameMembers(); }
    bool isContainer() const override { return true; }
};

}  // namespace qv::test
