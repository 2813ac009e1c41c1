// SPDX-License-Identifier: MIT
// ControlsCollection: the live list of a form's controls by position (Count,
// Item), as a control sees it through ParentControls.
#pragma once

#include <cstdint>
#include <memory>

#include "host/object.h"

namespace qv::host {

class Form;

class ControlsCollection : public Object {
  public:
    explicit ControlsCollection(std::weak_ptr<Form> form) : m_form(std::move(form)) {}

    // Count, and Item(position) as the default member.
    static const MemberRegistry& collectionMembers();
    const MemberRegistry& members() const override { return collectionMembers(); }
    bool is(ObjectKind kind) const override { return kind == ObjectKind::Collection; }

    // The number of controls; 0 once the form is gone.
    std::int32_t Count() const;
    // The control at `position` (0 to Count - 1); fails with 9 outside that.
    ObjectRef Item(std::int32_t position) const;

  private:
    std::weak_ptr<Form> m_form;
};

}  // namespace qv::host
