// SPDX-License-Identifier: MIT
#include "host/property_bag.h"

#include <algorithm>

#include "host/error.h"
#include "host/member_registry.h"
#include "host/object.h"

namespace qv::host {

namespace {
auto byName(std::string_view name) {
    return [name](const PropertyBag::Entry& e) { return sameName(e.first, name); };
}
}  // namespace

Variant PropertyBag::ReadProperty(std::string_view name, const Variant& defaultValue) const {
    auto it = std::find_if(m_entries.begin(), m_entries.end(), byName(name));
    return it == m_entries.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(std::string_view name, const Variant& value,
                                const Variant& defaultValue) {
    if (value.isObject() && !value.isNothing() && !value.toObject()->is(ObjectKind::Picture)) {
        throw Error(
            errc::CantWriteObject, "PropertyBag",
            std::string(standardDescription(errc::CantWriteObject)) + ": " + std::string(name));
    }
    if (sameForDefault(value, defaultValue)) {
        std::erase_if(m_entries, byName(name));
        return;
    }
    store(name, value);
}

void PropertyBag::store(std::string_view name, Variant value) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(), byName(name));
    if (it != m_entries.end()) {
        it->second = std::move(value);
    } else {
        m_entries.emplace_back(std::string(name), std::move(value));
    }
}

bool PropertyBag::contains(std::string_view name) const {
    return std::any_of(m_entries.begin(), m_entries.end(), byName(name));
}

}  // namespace qv::host
