// SPDX-License-Identifier: MIT
#include "host/member_registry.h"

#include <stdexcept>

#include "host/text_case.h"
#include "platform/utf8.h"

namespace qv::host {

bool sameName(std::string_view a, std::string_view b) noexcept {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const utf8::Char x = utf8::decode(a, i);
        const utf8::Char y = utf8::decode(b, j);
        // Bytes that are not UTF-8 match only themselves.
        if (x.wellFormed != y.wellFormed) return false;
        if (x.wellFormed ? upperChar(x.code) != upperChar(y.code) : x.code != y.code) return false;
        i += x.size;
        j += y.size;
    }
    return i == a.size() && j == b.size();
}

std::u32string nameKey(std::string_view name) {
    // The characters sameName compares, malformed bytes marked apart.
    std::u32string key;
    for (std::size_t i = 0; i < name.size();) {
        const utf8::Char c = utf8::decode(name, i);
        key += c.wellFormed ? static_cast<char32_t>(upperChar(c.code))
                            : static_cast<char32_t>(0x80000000u | c.code);
        i += c.size;
    }
    return key;
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
