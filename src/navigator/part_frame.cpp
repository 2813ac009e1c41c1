#include "navigator/part_frame.h"

#include "host/member_registry.h"

namespace qv::navigator {

namespace {

host::MemberRegistry makeFrameMembers() {
    host::MemberRegistry r("Frame", &host::Control::controlMembers());
    host::MemberTable<PartFrame>(r).property(
        "TabIndex", [](PartFrame& f) { return f.TabIndex(); },
        [](PartFrame& f, const host::Variant& v) { f.setTabIndex(v.toInteger()); });
    return r;
}

}  // namespace

const host::MemberRegistry& PartFrame::frameMembers() {
    static const host::MemberRegistry registry = makeFrameMembers();
    return registry;
}

}  // namespace qv::navigator
