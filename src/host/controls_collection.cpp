// SPDX-License-Identifier: MIT
#include "host/controls_collection.h"

#include "host/form.h"
#include "host/member_registry.h"

namespace qv::host {

namespace {
MemberRegistry makeCollectionMembers() {
    MemberRegistry r("Controls");
    MemberTable<ControlsCollection>(r)
        .readOnly("Count", [](ControlsCollection& c) { return c.Count(); })
        .method("Item",
                [](ControlsCollection& c, std::span<Variant> args) {
                    if (args.size() != 1) raise(errc::WrongArgumentsOrAssignment, "Controls");
                    return c.Item(args[0].toLong());
                },
                {.dispId = DispIdValue});
    return r;
}
}  // namespace

const MemberRegistry& ControlsCollection::collectionMembers() {
    static const MemberRegistry registry = makeCollectionMembers();
    return registry;
}

std::int32_t ControlsCollection::Count() const {
    auto form = m_form.lock();
    return form ? static_cast<std::int32_t>(form->controls().size()) : 0;
}

ObjectRef ControlsCollection::Item(std::int32_t position) const {
    auto form = m_form.lock();
    if (!form || position < 0 || position >= static_cast<std::int32_t>(form->controls().size())) {
        raise(errc::SubscriptOutOfRange, "Controls");
    }
    return form->controls()[static_cast<std::size_t>(position)];
}

}  // namespace qv::host
