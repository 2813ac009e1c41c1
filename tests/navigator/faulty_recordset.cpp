// SPDX-License-Identifier: MIT
#include "faulty_recordset.h"

#include "host/member_registry.h"

namespace qv::navigator::test {

namespace {

host::MemberRegistry makeMembers(const host::MemberRegistry& base) {
    host::MemberRegistry r("FaultyRecordset", &base);
    auto end = [](bool (host::Recordset::*read)()) {
        return [read](FaultyRecordset& rs) {
            bool value = (rs.*read)();
            return rs.nullEnds ? host::Variant::null() : host::Variant(value);
        };
    };
    host::MemberTable<FaultyRecordset>(r)
        .readOnly("BOF", end(&host::Recordset::bof))
        .readOnly("EOF", end(&host::Recordset::eof));
    return r;
}

}  // namespace

const host::MemberRegistry& FaultyRecordset::members() const {
    static const host::MemberRegistry registry = makeMembers(host::Recordset::members());
    return registry;
}

void FaultyRecordset::enter(std::string_view member) {
    m_log.emplace_back(member);
    auto it = m_failures.find(member);
    if (it == m_failures.end()) return;
    auto& [skip, count] = it->second;
    if (skip > 0) {
        --skip;
        return;
    }
    if (count == 0) return;
    --count;
    throw host::Error(3197, "Data1.Recordset", std::string(member) + " failed");
}

}  // namespace qv::navigator::test
