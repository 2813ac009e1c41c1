// SPDX-License-Identifier: MIT
// Saving and loading the picture button's twelve properties. Loading skips
// any step that fails and leaves that member as construction made it.
#include "host/picture_object.h"
#include "host/property_bag.h"
#include "host/step_runner.h"
#include "softbutton/qvSoftButton.h"

namespace qv::softbutton {

using host::Variant;

namespace {
const Variant kNoPicture = Variant::nothing();
}

void qvSoftButton::UserControl_WriteProperties(host::PropertyBag& PropBag) {
    auto picture = [](const PictureRef& p) { return host::pictureVariant(p); };
    PropBag.WriteProperty("Picture", picture(m_Picture), kNoPicture);
    PropBag.WriteProperty("Enabled", Variant(m_Enabled), Variant(true));
    PropBag.WriteProperty("Style", Variant(m_Style), Variant(std::int16_t{0}));
    PropBag.WriteProperty("Value", Variant(m_Value), Variant(false));
    PropBag.WriteProperty("ButtonGroup", Variant(m_ButtonGroup), Variant(""));
    PropBag.WriteProperty("ButtonGroupDefault", Variant(m_ButtonGroupDefault), Variant(false));
    PropBag.WriteProperty("ButtonGroupDefault2", Variant(m_ButtonGroupDefault2), Variant(false));
    PropBag.WriteProperty("BackStyle", Variant(m_BackStyle), Variant(std::int16_t{0}));
    PropBag.WriteProperty("BackColor", Variant(static_cast<int>(m_BackColor)),
                          Variant(static_cast<int>(containerBackColor())));
    PropBag.WriteProperty("DownPicture", picture(m_DownPicture), kNoPicture);
    PropBag.WriteProperty("FlatPicture", picture(m_FlatPicture), kNoPicture);
    PropBag.WriteProperty("DisabledPicture", picture(m_DisabledPicture), kNoPicture);
}

void qvSoftButton::UserControl_ReadProperties(const host::PropertyBag& PropBag) {
    auto read = [&PropBag](const char* key, const Variant& def) {
        return PropBag.ReadProperty(key, def);
    };
    host::StepRunner::resumeNext()
        .step("Picture", [&] { m_Picture = host::pictureOf(read("Picture", kNoPicture)); })
        .step("Enabled", [&] { m_Enabled = read("Enabled", Variant(true)).toBoolean(); })
        .step("Style", [&] { m_Style = read("Style", Variant(std::int16_t{0})).toInteger(); })
        .step("Value", [&] { m_Value = read("Value", Variant(false)).toBoolean(); })
        .step("ButtonGroup", [&] { m_ButtonGroup = read("ButtonGroup", Variant("")).toString(); })
        .step(
            "ButtonGroupDefault",
            [&] { m_ButtonGroupDefault = read("ButtonGroupDefault", Variant(false)).toBoolean(); })
        .step("ButtonGroupDefault2",
              [&] {
                  m_ButtonGroupDefault2 = read("ButtonGroupDefault2", Variant(false)).toBoolean();
              })
        .step("BackStyle",
              [&] { m_BackStyle = read("BackStyle", Variant(std::int16_t{0})).toInteger(); })
        .step("BackColor",
              [&] {
                  const Variant def(static_cast<int>(containerBackColor()));
                  m_BackColor = read("BackColor", def).toLong();
              })
        .step("UpdateBackColor", [&] { UpdateBackColor(); })
        .step("DownPicture",
              [&] { m_DownPicture = host::pictureOf(read("DownPicture", kNoPicture)); })
        .step("FlatPicture",
              [&] { m_FlatPicture = host::pictureOf(read("FlatPicture", kNoPicture)); })
        .step("DisabledPicture",
              [&] { m_DisabledPicture = host::pictureOf(read("DisabledPicture", kNoPicture)); })
        .step("InitToolTip", [&] { InitToolTip(); })
        .run();
}

}  // namespace qv::softbutton
