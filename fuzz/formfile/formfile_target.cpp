// SPDX-License-Identifier: MIT
// The fuzzing entry point over the form-file loader: any input either loads
// or is refused with the loader's one error, and a loaded form saves, loads
// and saves again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/control_factory.h"
#include "host/form.h"
#include "host/form_file.h"
#include "host/member_registry.h"
#include "host/picture_object.h"
#include "host/property_bag.h"
#include "host/user_control.h"
#include "support/persisted_controls.h"

namespace {

using namespace qv::host;

// Control types with the kinds of members the library's controls persist.
struct FuzzNames {
    static constexpr const char* button = "FuzzButton";
    static constexpr const char* frame = "FuzzFrame";
};
using FuzzButton = qv::test::PersistedButton<FuzzNames>;
using FuzzFrame = qv::test::PersistedFrame<FuzzNames>;

// Keeps whatever its bag held, as a user control with its own handlers would.
class FuzzBar : public UserControl {
  public:
    static const MemberRegistry& barMembers() {
        static const MemberRegistry r("FuzzBar", &UserControl::userControlMembers());
        return r;
    }
    const MemberRegistry& members() const override { return barMembers(); }

  protected:
    void UserControl_ReadProperties(const PropertyBag& bag) override {
        m_bag = bag;
        if (bag.contains("MinWidth")) {
            m_minWidth = bag.ReadProperty("MinWidth").toLong();
        }
    }
    void UserControl_WriteProperties(PropertyBag& bag) override {
        for (const auto& [key, value] : m_bag.entries()) bag.WriteProperty(key, value);
    }
    void UserControl_Resize() override {
        if (Width() < m_minWidth) setWidth(m_minWidth);
    }

  private:
    PropertyBag m_bag;
    std::int32_t m_minWidth = 0;
};

const ControlFactory& factory() {
    static const ControlFactory f = [] {
        ControlFactory made;
        made.add("FuzzButton", [] { return std::make_shared<FuzzButton>(); });
        made.add("FuzzFrame", [] { return std::make_shared<FuzzFrame>(); });
        made.add("FuzzBar", [] { return std::make_shared<FuzzBar>(); });
        return made;
    }();
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::shared_ptr<Form> form;
    try {
        form = loadForm(text, "fuzz.form", factory());
    } catch (const Error& e) {
        if (std::getenv("QV_FUZZ_VERBOSE")) std::fprintf(stderr, "%s\n", e.what());
        if (e.number() != errc::FileLoad) std::abort();  // refusals are the one error
        return 0;
    }
    std::string first;
    try {
        first = saveForm(*form);
    } catch (const Error&) {
        return 0;  // e.g. a value that cannot be written
    }
    auto again = loadForm(first, "fuzz-saved.form", factory());
    if (saveForm(*again) != first) std::abort();
    form->Unload();
    again->Unload();
    return 0;
}
