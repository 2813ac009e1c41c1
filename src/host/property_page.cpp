#include "host/property_page.h"

#include "host/member_registry.h"

namespace qv::host {

ObjectRef PropertyPage::SelectedControls(std::size_t index) const {
    if (index >= m_selected.size()) raise(errc::SubscriptOutOfRange, "PropertyPage");
    return m_selected[index];
}

const MemberRegistry& PropertyPage::registry() {
    static const MemberRegistry registry = [] {
        MemberRegistry r("PropertyPage");
        MemberTable<PropertyPage>(r)
            .property(
                "Changed", [](PropertyPage& p) { return p.m_changed; },
                [](PropertyPage& p, const Variant& v) { p.m_changed = v.toBoolean(); })
            .readOnly("Caption", [](PropertyPage& p) { return p.m_caption; });
        return r;
    }();
    return registry;
}

const MemberRegistry& PropertyPage::members() const {
    return registry();
}

}  // namespace qv::host
