#include "host/member_registry.h"

#include <stdexcept>

namespace qv::host {

namespace {
char lower(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool sameName(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

MemberRegistry::MemberRegistry(std::string className, const MemberRegistry* base)
    : m_className(std::move(className)), m_base(base) {}

void MemberRegistry::add(Member member) {
    for (const Member& m : m_members) {
        if (sameName(m.name, member.name)) {
            throw std::logic_error(m_className + ": member declared twice: " + member.name);
        }
        if (m.info.dispId && member.info.dispId && *m.info.dispId == *member.info.dispId) {
            throw std::logic_error(m_className +
                                   ": dispatch identifier used twice: " + member.name);
        }
    }
    m_members.push_back(std::move(member));
}

const Member* MemberRegistry::find(std::string_view name) const {
    for (const Member& m : m_members) {
        if (sameName(m.name, name)) return &m;
    }
    return m_base ? m_base->find(name) : nullptr;
}

const Member* MemberRegistry::find(DispId id) const {
    for (const Member& m : m_members) {
        if (m.info.dispId && *m.info.dispId == id) return &m;
    }
    return m_base ? m_base->find(id) : nullptr;
}

std::vector<const Member*> MemberRegistry::all() const {
    std::vector<const Member*> out = m_base ? m_base->all() : std::vector<const Member*>{};
    for (const Member& m : m_members) {
        // A member redeclared by a derived class replaces the base's.
        bool replaced = false;
        for (auto& existing : out) {
            if (sameName(existing->name, m.name)) {
                existing = &m;
                replaced = true;
            }
        }
        if (!replaced) out.push_back(&m);
    }
    return out;
}

std::vector<const Member*> MemberRegistry::persisted() const {
    std::vector<const Member*> out;
    for (const Member* m : all()) {
        if (m->info.persist) out.push_back(m);
    }
    return out;
}

}  // namespace qv::host
