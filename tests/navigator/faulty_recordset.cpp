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

void FaultyRecordset::enter(const std::string& member) {
    m_log.push_back(member);
    auto it = m_failures.find(member);
    if (it == m_failures.end()) return;
    auto& [skip, count] = it->second;
    if (skip > 0) {
        --skip;
        return;
    }
    if (count == 0) return;
    --count;
    throw host::Error(3197, "Data1.Recordset", member + " failed");
}

bool FaultyRecordset::bof() {
    enter("BOF");
    return m_real->bof();
}
bool FaultyRecordset::eof() {
    enter("EOF");
    return m_real->eof();
}
void FaultyRecordset::moveFirst() {
    enter("MoveFirst");
    m_real->moveFirst();
}
void FaultyRecordset::moveLast() {
    enter("MoveLast");
    m_real->moveLast();
}
void FaultyRecordset::movePrevious() {
    enter("MovePrevious");
    m_real->movePrevious();
}
void FaultyRecordset::moveNext() {
    enter("MoveNext");
    m_real->moveNext();
}
void FaultyRecordset::addNew() {
    enter("AddNew");
    m_real->addNew();
}
void FaultyRecordset::edit() {
    enter("Edit");
    m_real->edit();
}
void FaultyRecordset::update() {
    enter("Update");
    m_real->update();
}
void FaultyRecordset::cancelUpdate() {
    enter("CancelUpdate");
    m_real->cancelUpdate();
}
void FaultyRecordset::deleteRecord() {
    enter("Delete");
    m_real->deleteRecord();
}

}  // namespace qv::navigator::test
