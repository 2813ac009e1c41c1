// SPDX-License-Identifier: MIT
#include "host/control_factory.h"

#include "host/control.h"
#include "host/member_registry.h"

namespace qv::host {

void ControlFactory::add(std::string typeName, Creator creator) {
    for (Entry& e : m_entries) {
        if (sameName(e.name, typeName)) {
            e.creator = std::move(creator);
            return;
        }
    }
    m_entries.push_back({std::move(typeName), std::move(creator)});
}

std::shared_ptr<Control> ControlFactory::create(std::string_view typeName) const {
    for (const Entry& e : m_entries) {
        if (sameName(e.name, typeName)) return e.creator ? e.creator() : nullptr;
    }
    return nullptr;
}

bool ControlFactory::knows(std::string_view typeName) const {
    for (const Entry& e : m_entries) {
        if (sameName(e.name, typeName)) return true;
    }
    return false;
}

ControlFactory& ControlFactory::current() {
    thread_local ControlFactory factory;
    return factory;
}

}  // namespace qv::host
