// SPDX-License-Identifier: MIT
// ControlFactory: creates controls by type name for form files. The layers
// above register their control types; the names are the controls' class names.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv::host {

class Control;

class ControlFactory {
  public:
    using Creator = std::function<std::shared_ptr<Control>()>;

    // Registers (or replaces) the creator of `typeName`.
    void add(std::string typeName, Creator creator);
    // Returns a new control of the type (name matched without regard to
    // case), or nullptr when the type is unknown.
    std::shared_ptr<Control> create(std::string_view typeName) const;
    bool knows(std::string_view typeName) const;

    // The factory of this user-interface thread, which the layers above fill.
    static ControlFactory& current();

  private:
    struct Entry {
        std::string name;
        Creator creator;
    };
    std::vector<Entry> m_entries;
};

}  // namespace qv::host
