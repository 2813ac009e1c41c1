// SPDX-License-Identifier: MIT
#include "data/bound_controls_label.h"

#include "data/bound_controls.h"
#include "host/member_registry.h"
#include "host/property_bag.h"

namespace qv::data {

const host::MemberRegistry& DataLabel::dataLabelMembers() {
    static const host::MemberRegistry registry = [] {
        host::MemberRegistry r("Label", &host::Label::labelMembers());
        host::MemberTable<DataLabel>(r)
            .property(
                "DataField", [](DataLabel& l) { return l.m_dataField; },
                [](DataLabel& l, const host::Variant& v) { l.m_dataField = v.toString(); },
                {.persist = host::Persistence{"DataField", host::Variant("")}})
            .readOnly("DataChanged", [](DataLabel&) { return false; });
        return r;
    }();
    return registry;
}

void DataLabel::showValue(const host::Variant& value) {
    setCaption(value.isNull() || value.isEmpty() ? std::string() : value.toString());
}

void DataLabel::hostReadProperties(const host::PropertyBag& bag) {
    Label::hostReadProperties(bag);
    m_sourceName = readDataSourceName(bag);
}

void DataLabel::hostWriteProperties(host::PropertyBag& bag) {
    Label::hostWriteProperties(bag);
    writeDataSourceName(bag, m_sourceName);
}

}  // namespace qv::data
