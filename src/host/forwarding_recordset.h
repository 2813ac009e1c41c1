// SPDX-License-Identifier: MIT
// ForwardingRecordset: a recordset that passes every call to another one and
// calls enter(member) first, so wrappers (failure injection, call logs) need
// to override only what they add.
#pragma once

#include <memory>
#include <string_view>

#include "host/data_contract.h"

namespace qv::host {

class ForwardingRecordset : public Recordset {
  public:
    explicit ForwardingRecordset(std::shared_ptr<Recordset> real) : m_real(std::move(real)) {}

    const std::shared_ptr<Recordset>& real() const noexcept { return m_real; }

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
    std::shared_ptr<Fields> fields() override;
    void findFirst(std::string_view criterion) override;
    void findNext(std::string_view criterion) override;
    void findPrevious(std::string_view criterion) override;
    void findLast(std::string_view criterion) override;
    bool noMatch() override;
    std::int32_t recordCount() override;
    std::int32_t absolutePosition() override;
    Variant bookmark() override;
    void setBookmark(const Variant& bookmark) override;
    std::int16_t editMode() override;
    bool updatable() override;

  protected:
    // Runs before `member` (its late-bound name: "BOF", "MoveNext", "Delete"
    // ...) reaches the real recordset; a throw stops the call there.
    virtual void enter(std::string_view member) { (void)member; }

  private:
    std::shared_ptr<Recordset> m_real;
};

}  // namespace qv::host
