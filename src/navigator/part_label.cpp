#include "navigator/part_label.h"

#include "host/member_registry.h"

namespace qv::navigator {

namespace {

host::MemberRegistry makeLabelMembers() {
    using host::Variant;
    host::MemberRegistry r("Label", &host::Control::controlMembers());
    host::MemberTable<PartLabel>(r)
        .property(
            "Caption", [](PartLabel& l) { return l.Caption(); },
            [](PartLabel& l, const Variant& v) { l.setCaption(v.toString()); },
            {.dispId = host::DispIdValue})
        .property(
            "BackColor", [](PartLabel& l) { return l.BackColor(); },
            [](PartLabel& l, const Variant& v) { l.setBackColor(v.toLong()); });
    return r;
}

}  // namespace

const host::MemberRegistry& PartLabel::labelMembers() {
    static const host::MemberRegistry registry = makeLabelMembers();
    return registry;
}

}  // namespace qv::navigator
