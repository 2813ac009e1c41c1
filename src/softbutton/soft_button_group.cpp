// SPDX-License-Identifier: MIT
// Option groups of picture buttons. There is no group object: each rule scans
// the controls of the form for buttons with the same ButtonGroup text and
// writes their properties through their own property procedures.
#include "host/controls_collection.h"
#include "softbutton/qvSoftButton.h"

namespace qv::softbutton {

using host::Variant;

bool qvSoftButton::isGroupMember(const host::ObjectRef& item, bool others) const {
    if (!item || !item->is(host::ObjectKind::Control)) return false;
    if (!item->is(host::ObjectKind::SoftButton)) return false;
    if (item->get("ButtonGroup").toString() != m_ButtonGroup) return false;
    return !others || item.get() != static_cast<const host::Object*>(this);
}

void qvSoftButton::UpdateGroup() {
    if (m_ButtonGroup.empty()) return;
    auto controls = ParentControls();
    // The collection is live: keep this button for the whole rule.
    auto self = shared_from_this();
    const std::int32_t count = controls->Count();
    if (m_Value) {
        for (std::int32_t i = 0; i < count; ++i) {
            host::ObjectRef item = controls->Item(i);
            if (isGroupMember(item, true)) item->let("Value", Variant(false));
        }
        return;
    }
    host::ObjectRef groupDefault, groupDefault2;
    for (std::int32_t i = 0; i < count; ++i) {
        host::ObjectRef item = controls->Item(i);
        if (!isGroupMember(item, false)) continue;
        if (item->get("Value").toBoolean()) return;  // a member is down
        if (item->get("ButtonGroupDefault").toBoolean()) {
            groupDefault = item;
        } else if (item->get("ButtonGroupDefault2").toBoolean()) {
            groupDefault2 = item;
        }
    }
    if (!groupDefault) return;
    // When the default itself was released, the alternate takes over.
    host::ObjectRef next = !groupDefault2 || !m_ButtonGroupDefault ? groupDefault : groupDefault2;
    if (auto* button = dynamic_cast<qvSoftButton*>(next.get())) button->setValue(true);
}

void qvSoftButton::clearOnOtherMembers(const char* flag) {
    auto controls = ParentControls();
    auto self = shared_from_this();
    const std::int32_t count = controls->Count();
    for (std::int32_t i = 0; i < count; ++i) {
        host::ObjectRef item = controls->Item(i);
        if (isGroupMember(item, true)) item->let(flag, Variant(false));
    }
}

void qvSoftButton::ClearGroupDefault() {
    if (m_ButtonGroup.empty() || !m_ButtonGroupDefault) return;
    clearOnOtherMembers("ButtonGroupDefault");
}

void qvSoftButton::ClearGroupDefault2() {
    if (m_ButtonGroup.empty() || !m_ButtonGroupDefault2) return;
    clearOnOtherMembers("ButtonGroupDefault2");
}

}  // namespace qv::softbutton
