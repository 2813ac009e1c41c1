// SPDX-License-Identifier: MIT
#include "host/property_page.h"

#include "host/form.h"
#include "host/member_registry.h"

namespace qv::host {

ObjectRef PropertyPage::SelectedControls(std::size_t index) const {
    if (index >= m_selected.size()) raise(errc::SubscriptOutOfRange, "PropertyPage");
    return m_selected[index];
}

std::shared_ptr<Form> PropertyPage::surface() {
    if (!m_surface) {
        m_surface = std::make_shared<Form>(m_caption);
        m_surface->setCaption(m_caption);
    }
    return m_surface;
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
