// SPDX-License-Identifier: MIT
#include "host/property_page_host.h"

#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"

namespace qv::host {

void PropertyPageHost::checkSelection(const std::vector<ObjectRef>& selection) {
    if (selection.empty()) {
        throw Error(errc::InvalidProcedureCall, "PropertyPage", "No control is selected");
    }
    for (const ObjectRef& control : selection) {
        if (!control) {
            throw Error(errc::InvalidProcedureCall, "PropertyPage",
                        "The selection holds an empty reference");
        }
    }
}

void PropertyPageHost::open(std::shared_ptr<PropertyPage> page, std::vector<ObjectRef> selection,
                            bool inWindow) {
    if (!page) throw Error(errc::InvalidProcedureCall, "PropertyPage", "No page to open");
    checkSelection(selection);
    close();
    if (inWindow) FormRunner::Show(page->surface());
    m_inWindow = inWindow;
    m_page = std::move(page);
    m_page->m_selected = std::move(selection);
    m_page->m_changed = false;
    m_page->PropertyPage_SelectionChanged();
}

void PropertyPageHost::select(std::vector<ObjectRef> selection) {
    if (!m_page) throw Error(errc::InvalidProcedureCall, "PropertyPage", "No page is open");
    checkSelection(selection);
    m_page->m_selected = std::move(selection);
    m_page->m_changed = false;
    m_page->PropertyPage_SelectionChanged();
}

bool PropertyPageHost::apply() {
    if (!applyEnabled()) return false;
    m_page->PropertyPage_ApplyChanges();
    m_page->m_changed = false;
    return true;
}

void PropertyPageHost::ok() {
    apply();
    close();
}

void PropertyPageHost::close() {
    if (!m_page) return;
    // A closed page keeps no references to the controls it edited.
    m_page->m_selected.clear();
    // Hidden, not unloaded: the page's controls stay for its next opening.
    if (m_inWindow) FormRunner::Hide(*m_page->surface());
    m_inWindow = false;
    m_page.reset();
}

}  // namespace qv::host
