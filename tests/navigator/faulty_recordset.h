// A recordset that forwards every call to a real one, logs the calls the bar
// makes, and fails chosen calls on request; and a data control that hands it
// out, so tests can make any recordset access of the bar fail.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/data_contract.h"

namespace qv::navigator::test {

class FaultyRecordset : public host::Recordset {
  public:
    FaultyRecordset(std::shared_ptr<host::Recordset> real, std::vector<std::string>& log)
        : m_real(std::move(real)), m_log(log) {}

    // After `skip` calls that pass, the next `count` calls of `member`
    // ("BOF", "Update" ...) fail with error 3197 from "Data1.Recordset".
    void failNext(const std::string& member, int count = 1, int skip = 0) {
        m_failures[member] = {skip, count};
    }
    // Makes BOF and EOF read Null until cleared.
    bool nullEnds = false;

    bool bof() override;
    bool eof() override;
    void moveFirst() override;
    void moveLast() override;
    void movePrevious() override;
    void moveNext() override;
    void addNew() override;
    void edit() override;
    void update() override;
    void cancelUpdate() override;
    void deleteRecord() override;
    std::shared_ptr<host::Fields> fields() override { return m_real->fields(); }
    void findFirst(std::string_view c) override { m_real->findFirst(c); }
    void findNext(std::string_view c) override { m_real->findNext(c); }
    void findPrevious(std::string_view c) override { m_real->findPrevious(c); }
    void findLast(std::string_view c) override { m_real->findLast(c); }
    bool noMatch() override { return m_real->noMatch(); }
    std::int32_t recordCount() override { return m_real->recordCount(); }
    std::int32_t absolutePosition() override { return m_real->absolutePosition(); }
    host::Variant bookmark() override { return m_real->bookmark(); }
    void setBookmark(const host::Variant& b) override { m_real->setBookmark(b); }
    std::int16_t editMode() override { return m_real->editMode(); }
    bool updatable() override { return m_real->updatable(); }

    // Late-bound reads of BOF and EOF go through here, so that they can
    // answer Null.
    const host::MemberRegistry& members() const override;

  private:
    // Logs `member` and throws when a failure is pending for it.
    void enter(const std::string& member);

    std::shared_ptr<host::Recordset> m_real;
    std::vector<std::string>& m_log;
    std::map<std::string, std::pair<int, int>> m_failures;  // skip, count
};

// A data control named by the form, whose Recordset is a FaultyRecordset.
class FaultyDataControl : public host::DataControl {
  public:
    explicit FaultyDataControl(std::shared_ptr<FaultyRecordset> recordset)
        : m_recordset(std::move(recordset)) {}
    std::shared_ptr<host::Recordset> recordset() override { return m_recordset; }
    FaultyRecordset& faulty() { return *m_recordset; }
    // Makes Recordset read Nothing.
    void closeRecordset() { m_recordset.reset(); }

  private:
    std::shared_ptr<FaultyRecordset> m_recordset;
};

}  // namespace qv::navigator::test
