// SPDX-License-Identifier: MIT
#include "design_commands.h"

#include <stdexcept>

#include "host/form.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "module/library_descriptor.h"
#include "public_classes.h"

namespace qv::qvform {

namespace {

const frame::ClassDecl* classNamed(const std::string& name) {
    for (const frame::ClassDecl& c : module::componentProject().classes) {
        if (host::sameName(c.name, name) && c.classKind == frame::PublicClassKind) return &c;
    }
    return nullptr;
}

}  // namespace

DesignCommands::~DesignCommands() {
    try {
        close();
    } catch (const std::exception&) {
        // The run is over; the page's window goes with the process.
    }
}

void DesignCommands::openPage(host::Form& form, const std::string& controlName,
                              const std::string& pageName) {
    std::shared_ptr<host::Control> control = form.find(controlName, std::nullopt);
    if (!control) throw std::runtime_error("no control " + controlName + " on " + form.Name());
    const frame::ClassDecl* owner = classNamed(control->className());
    if (!owner || !host::sameName(owner->propertyPage, pageName))
        throw std::runtime_error(controlName + " has no property page " + pageName);
    auto made =
        std::dynamic_pointer_cast<host::PropertyPage>(publicClasses().create(owner->propertyPage));
    if (!made) throw std::runtime_error("the page " + pageName + " is not a property page");
    close();
    m_host.open(made, {control}, true);
}

void DesignCommands::apply() {
    if (!m_host.isOpen()) throw std::runtime_error("no property page is open");
    if (!m_host.apply()) throw std::runtime_error("the page has no changes to apply");
}

void DesignCommands::save(host::Form& form, const std::string& file) {
    host::saveFormFile(form, file);
}

host::Form* DesignCommands::pageForm() const {
    return m_host.isOpen() ? m_host.page()->surface().get() : nullptr;
}

void DesignCommands::close() {
    if (!m_host.isOpen()) return;
    std::shared_ptr<host::Form> surface = m_host.page()->surface();
    m_host.cancel();
    if (surface->loaded()) host::FormRunner::Unload(surface);
}

}  // namespace qv::qvform
