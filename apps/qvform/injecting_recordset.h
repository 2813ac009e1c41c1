// A recordset that passes every call to the real one, except the calls the
// script's fault plan makes fail: those raise their error without reaching
// the real recordset, so the record and the file stay as they were.
#pragma once

#include <memory>
#include <string>

#include "fault_plan.h"
#include "host/data_contract.h"

namespace qv::qvform {

class InjectingRecordset final : public host::Recordset {
  public:
    // `plan` must outlive the recordset; `owner` names the data control.
    InjectingRecordset(std::shared_ptr<host::Recordset> real, std::string owner, FaultPlan& plan)
        : m_real(std::move(real)), m_owner(std::move(owner)), m_plan(plan) {}

    const std::shared_ptr<host::Recordset>& real() const noexcept { return m_real; }

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
    std::shared_ptr<host::Fields> fields() override;
    void findFirst(std::string_view criterion) override;
    void findNext(std::string_view criterion) override;
    void findPrevious(std::string_view criterion) override;
    void findLast(std::string_view criterion) override;
    bool noMatch() override;
    std::int32_t recordCount() override;
    std::int32_t absolutePosition() override;
    host::Variant bookmark() override;
    void setBookmark(const host::Variant& bookmark) override;
    std::int16_t editMode() override;
    bool updatable() override;

  private:
    // Raises the planned failure of `member`, if there is one.
    void enter(std::string_view member);

    std::shared_ptr<host::Recordset> m_real;
    std::string m_owner;
    FaultPlan& m_plan;
};

}  // namespace qv::qvform
