#include "navigator/part_button.h"

#include "host/member_registry.h"

namespace qv::navigator {

namespace {

host::MemberRegistry makeButtonMembers() {
    using host::Variant;
    host::MemberRegistry r("CommandButton", &host::Control::controlMembers());
    host::MemberTable<PartButton>(r)
        .property(
            "Caption", [](PartButton& b) { return b.Caption(); },
            [](PartButton& b, const Variant& v) { b.setCaption(v.toString()); })
        .objectProperty(
            "Picture", [](PartButton& b) { return b.Picture(); },
            [](PartButton& b, const Variant& v) { b.setPicture(v.toObject()); })
        .property(
            "Style", [](PartButton& b) { return b.Style(); },
            [](PartButton& b, const Variant& v) { b.setStyle(v.toInteger()); })
        .property(
            "TabIndex", [](PartButton& b) { return b.TabIndex(); },
            [](PartButton& b, const Variant& v) { b.setTabIndex(v.toInteger()); });
    return r;
}

}  // namespace

const host::MemberRegistry& PartButton::buttonMembers() {
    static const host::MemberRegistry registry = makeButtonMembers();
    return registry;
}

bool PartButton::click() {
    if (!Enabled()) return false;
    RaiseEvent("Click");
    return true;
}

}  // namespace qv::navigator
