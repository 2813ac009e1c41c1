// SPDX-License-Identifier: MIT
// PropertyPage: the base of a property page, the panel a host shows while a
// form is designed to edit the selected controls. A page reads the controls
// on SelectionChanged, sets Changed when the user edits, and writes back on
// ApplyChanges.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "host/object.h"

namespace qv::host {

class Form;
class MemberRegistry;

class PropertyPage : public Object {
  public:
    explicit PropertyPage(std::string caption = "General") : m_caption(std::move(caption)) {}

    // The tab title the host shows.
    const std::string& caption() const { return m_caption; }

    // Returns the number of selected controls.
    std::size_t selectedCount() const { return m_selected.size(); }
    // Returns selected control `index` (0 is the control edited). Fails with
    // error 9 when there is no such item.
    ObjectRef SelectedControls(std::size_t index) const;

    // True once the user has changed something that Apply would write; the
    // host enables its Apply button while it is True.
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

    // The form that holds the page's own controls (its labels, combo boxes
    // ...) and the handlers of their events; made on first use, named and
    // captioned after the page. A host that shows the page in a window shows
    // this form.
    std::shared_ptr<Form> surface();

    const MemberRegistry& members() const override;
    // Returns the registry derived pages extend (Changed, Caption).
    static const MemberRegistry& registry();

  protected:
    // Handlers raised by the host; the page fills its controls here ...
    virtual void PropertyPage_SelectionChanged() {}
    // ... and writes them to SelectedControls(0) here.
    virtual void PropertyPage_ApplyChanges() {}

  private:
    friend class PropertyPageHost;

    std::string m_caption;
    std::vector<ObjectRef> m_selected;
    std::shared_ptr<Form> m_surface;
    bool m_changed = false;
};

}  // namespace qv::host
