#include "navigator/data_control_discovery.h"

#include <cstdint>

#include "host/step_runner.h"
#include "host/text_case.h"

namespace qv::navigator {

namespace {

// The last position of the collection as a 16-bit loop bound, taken once.
std::int16_t lastPosition(host::Object& controls) {
    return host::Variant(controls.get("Count").toLong() - 1).toInteger();
}

host::ObjectRef item(host::Object& controls, std::int16_t position) {
    return controls.call("Item", {host::Variant(position)}).toObject();
}

}  // namespace

std::string GetControlName(host::Object& control) {
    std::string name;
    std::string suffix;
    // Resume-on-error: a control outside an array has no Index to read.
    host::StepRunner::resumeNext()
        .step("Index",
              [&] {
                  std::int16_t index = control.get("Index").toInteger();
                  if (index > 0) suffix = "(" + std::to_string(index) + ")";
              })
        .step("Name", [&] { name = control.get("Name").toString(); })
        .run();
    return name + suffix;
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
    const std::string wanted = host::upperCase(name);
    const std::int16_t last = lastPosition(controls);
    for (int i = 0; i <= last; ++i) {
        host::ObjectRef control = item(controls, static_cast<std::int16_t>(i));
        if (control && host::upperCase(GetControlName(*control)) == wanted) return control;
    }
    return nullptr;
}

}  // namespace qv::navigator
