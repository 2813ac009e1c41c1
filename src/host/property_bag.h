// SPDX-License-Identifier: MIT
// PropertyBag: the named values a control saves with its form and reads back
// (ReadProperty, WriteProperty), in the order they were written.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/variant.h"

namespace qv::host {

// Values equal to their default are left out of the bag. "Equal" is
// sameForDefault(): numbers compare as numbers, strings exactly, objects by
// identity, and values of different kinds never match. Controls rely on
// both halves of that rule:
// - a Boolean written with an integer default (StatusVisible: True or False
//   against 1) never equals it, so it is always stored;
// - a colour equal to the default passed with it (a button's BackColor that
//   matches its container's) is left out, so on loading it follows whatever
//   default the reader passes then.
// Names are matched without regard to case.
class PropertyBag {
  public:
    using Entry = std::pair<std::string, Variant>;

    // Returns the value stored under `name`, or `defaultValue` when none is.
    Variant ReadProperty(std::string_view name, const Variant& defaultValue = {}) const;

    // Stores `value` under `name`, replacing an earlier value in place; when
    // `value` equals `defaultValue` the name is removed instead. Only
    // pictures and Nothing persist among objects: any other object fails with
    // error 330 and leaves the bag unchanged.
    void WriteProperty(std::string_view name, const Variant& value,
                       const Variant& defaultValue = {});

    // Stores `value` without the default test (form-file loading).
    void store(std::string_view name, Variant value);

    bool contains(std::string_view name) const;
    const std::vector<Entry>& entries() const noexcept { return m_entries; }
    bool empty() const noexcept { return m_entries.empty(); }

  private:
    std::vector<Entry> m_entries;
};

}  // namespace qv::host
