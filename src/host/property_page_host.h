// SPDX-License-Identifier: MIT
// The host side of property pages: opens a page for a selection of controls,
// enables Apply while the page reports changes, and applies on Apply or OK.
#pragma once

#include <memory>
#include <vector>

#include "host/property_page.h"

namespace qv::host {

class PropertyPageHost {
  public:
    // Opens `page` for `selection` (item 0 is the control edited): the page
    // starts unchanged and receives SelectionChanged. Fails with error 5 when
    // the selection is empty or holds Nothing; the page is then not opened.
    // With `inWindow` the page's surface is loaded and shown (modeless) in a
    // window first, so that its controls exist when SelectionChanged runs;
    // closing the page closes that window again.
    void open(std::shared_ptr<PropertyPage> page, std::vector<ObjectRef> selection,
              bool inWindow = false);

    // Gives the open page a new selection: pending changes are dropped and the
    // page receives SelectionChanged again. Fails like open().
    void select(std::vector<ObjectRef> selection);

    bool isOpen() const { return m_page != nullptr; }
    PropertyPage* page() const { return m_page.get(); }

    // Returns whether Apply is enabled: a page is open and reports Changed.
    bool applyEnabled() const { return m_page && m_page->changed(); }

    // Apply: when enabled, raises ApplyChanges and then clears Changed. When
    // the page's handler fails, Changed stays set (nothing was confirmed as
    // written) and the error goes to the caller. Returns whether it applied.
    bool apply();

    // OK: applies as Apply does, then closes; a failing apply leaves the page
    // open. Cancel: closes without applying.
    void ok();
    void cancel() { close(); }

  private:
    void close();
    static void checkSelection(const std::vector<ObjectRef>& selection);

    std::shared_ptr<PropertyPage> m_page;
    bool m_inWindow = false;
};

}  // namespace qv::host
