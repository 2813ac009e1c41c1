#include "navigator/part_line.h"

#include <algorithm>
#include <cstdlib>

#include "host/member_registry.h"

namespace qv::navigator {

namespace {

template <std::int32_t LineEnds::*End>
auto endMember() {
    return std::make_pair([](PartLine& l) { return static_cast<int>(l.ends().*End); },
                          [](PartLine& l, const host::Variant& v) {
                              LineEnds e = l.ends();
                              e.*End = v.toLong();
                              l.setEnds(e);
                          });
}

host::MemberRegistry makeLineMembers() {
    host::MemberRegistry r("Line", &host::Control::controlMembers());
    host::MemberTable<PartLine> table(r);
    auto x1 = endMember<&LineEnds::x1>();
    auto y1 = endMember<&LineEnds::y1>();
    auto x2 = endMember<&LineEnds::x2>();
    auto y2 = endMember<&LineEnds::y2>();
    table.property("X1", x1.first, x1.second)
        .property("Y1", y1.first, y1.second)
        .property("X2", x2.first, x2.second)
        .property("Y2", y2.first, y2.second)
        .property(
            "BorderColor", [](PartLine& l) { return l.BorderColor(); },
            [](PartLine& l, const host::Variant& v) { l.setBorderColor(v.toLong()); });
    return r;
}

}  // namespace

const host::MemberRegistry& PartLine::lineMembers() {
    static const host::MemberRegistry registry = makeLineMembers();
    return registry;
}

void PartLine::setEnds(const LineEnds& ends) {
    m_ends = ends;
    move({std::min(ends.x1, ends.x2), std::min(ends.y1, ends.y2), std::abs(ends.x2 - ends.x1),
          std::abs(ends.y2 - ends.y1)});
}

}  // namespace qv::navigator
