// SPDX-License-Identifier: MIT
// Form files: a form's own properties and its controls (type, name, index,
// container, position and property bag) as JSON text, pictures included as
// base64 of their BMP, ICO or PNG bytes. Saving, loading and saving again
// gives the same bytes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qv::host {

class ControlFactory;
class Form;

// Returns the form file text of `form`: its persisted properties, then every
// control in order with what its WriteProperties stored. A control whose
// saving fails passes its error on.
std::string saveForm(Form& form);

// Loads form file `text` into `form`, which must hold no controls, creating
// the controls through `factory`; `fileName` names the text in errors. A
// malformed file (bad JSON, a missing or unexpected member, a value of the
// wrong type, an unknown control type, a picture that does not decode, a
// container that does not exist, a control that refuses its properties)
// fails with one Error 31037 whose description reads
// "<file>: <place>: <reason>", the place being a JSON pointer or a line and
// column. After a failure the form holds no controls.
void loadForm(std::string_view text, const std::string& fileName, Form& form,
              const ControlFactory& factory);
// As above, into a new plain Form, which is in run mode (`userMode` true) or
// being designed before its controls read their properties.
std::shared_ptr<Form> loadForm(std::string_view text, const std::string& fileName,
                               const ControlFactory& factory, bool userMode = true);

// File versions; an unreadable file fails with 53, an unwritable one with 75.
std::shared_ptr<Form> loadFormFile(const std::string& path, const ControlFactory& factory,
                                   bool userMode = true);
void saveFormFile(Form& form, const std::string& path);

}  // namespace qv::host
