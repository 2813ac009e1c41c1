// SPDX-License-Identifier: MIT
#include "navigator/data_control_discovery.h"

#include <cstdint>
#include <optional>

#include "host/data_control_names.h"
#include "host/step_runner.h"

namespace qv::navigator {

namespace {

// The last position of the collection as a 16-bit loop bound, taken once.
std::int16_t lastPosition(host::Object& controls) {
    return host::Variant(controls.get("Count").toLong() - 1).toInteger();
}

host::ObjectRef item(host::Object& controls, std::int16_t position) {
    return controls.call("Item", {host::Variant(position)}).toObject();
}

// The Name and Index of `control`, each read on its own: a control outside
// an array has no Index to read, and a failing read leaves its part empty.
struct NameAndIndex {
    std::string name;
    std::optional<std::int16_t> index;
};

NameAndIndex readNameAndIndex(host::Object& control) {
    NameAndIndex read;
    host::StepRunner::resumeNext()
        .step("Index", [&] { read.index = control.get("Index").toInteger(); })
        .step("Name", [&] { read.name = control.get("Name").toString(); })
        .run();
    return read;
}

}  // namespace

std::string GetControlName(host::Object& control) {
    const NameAndIndex read = readNameAndIndex(control);
    return host::dataControlName(read.name, read.index);
}

void GetDataControls(host::Object& controls, host::Object& list) {
    const std::int16_t last = lastPosition(controls);
    for (int i = 0; i <= last; ++i) {
        host::ObjectRef control = item(controls, static_cast<std::int16_t>(i));
        if (control && control->is(host::ObjectKind::DataControl)) {
            list.call("AddItem", {host::Variant(GetControlName(*control))});
        }
    }
}

host::ObjectRef FindDataControl(host::Object& controls, std::string_view name) {
    const std::int16_t last = lastPosition(controls);
    for (int i = 0; i <= last; ++i) {
        host::ObjectRef control = item(controls, static_cast<std::int16_t>(i));
        if (!control) continue;
        const NameAndIndex read = readNameAndIndex(*control);
        if (host::namesDataControl(name, read.name, read.index)) return control;
    }
    return nullptr;
}

}  // namespace qv::navigator
