// SPDX-License-Identifier: MIT
// The standard controls through form files: every type known to the factory,
// its declared members saved, loaded and saved again to the same text.
#include <gtest/gtest.h>

#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/control_factory.h"
#include "host/control_types.h"
#include "host/form.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/line.h"
#include "host/option_button.h"
#include "host/text_box.h"

namespace qv::host {
namespace {

TEST(FormRunnerFile, StandardControlsRoundTripThroughAFormFile) {
    ControlFactory factory;
    registerStandardControls(factory);
    auto form = std::make_shared<Form>("frmAll");
    form->setCaption("All controls");

    auto frame = std::make_shared<Frame>();
    form->add(frame, "Frame1", std::nullopt, {60, 600, 4395, 1095});
    frame->setCaption("Options");
    frame->setTabIndex(3);
    auto line = std::make_shared<Line>();
    form->add(line, "Line1", std::nullopt, {}, frame);
    line->setPoints(1835, 0, 1835, 315);
    line->setBorderColor(0x808080);
    auto label = std::make_shared<Label>();
    form->add(label, "Label1", std::nullopt, {0, 0, 4470, 285});
    label->setCaption("Search By:");
    label->setAlignment(Label::AlignCenter);
    label->setFontBold(true);
    auto button = std::make_shared<CommandButton>();
    form->add(button, "cmdOK", std::nullopt, {3540, 1800, 855, 315});
    button->setCaption("OK");
    button->setDefault(true);
    button->setStyle(CommandButton::StyleGraphical);
    auto text = std::make_shared<TextBox>();
    form->add(text, "txtSearch", std::nullopt, {240, 1680, 3210, 285});
    text->setText("txtSearch");
    text->setMaxLength(20);
    auto combo = std::make_shared<ComboBox>();
    form->add(combo, "cboSearch", std::nullopt, {270, 360, 3210, 315});
    combo->setStyle(ComboBoxList::DropDownList);
    combo->setTabIndex(1);
    auto option = std::make_shared<OptionButton>();
    form->add(option, "optSearch", std::int16_t{1}, {1800, 240, 1335, 255}, frame);
    option->setCaption("Field Contains");
    option->setValue(true);

    const std::string saved = saveForm(*form);
    auto loaded = loadForm(saved, "all.frm", factory);
    EXPECT_EQ(saveForm(*loaded), saved);

    auto loadedLine = std::dynamic_pointer_cast<Line>(loaded->find("Line1"));
    ASSERT_TRUE(loadedLine);
    EXPECT_EQ(loadedLine->Y2(), 315);
    EXPECT_EQ(loadedLine->BorderColor(), 0x808080);
    EXPECT_EQ(loaded->find("Line1")->Container(), ObjectRef(loaded->find("Frame1")));
    EXPECT_EQ(loaded->find("Label1")->get("Caption").toString(), "Search By:");
    EXPECT_TRUE(loaded->find("cmdOK")->get("Default").toBoolean());
    EXPECT_EQ(loaded->find("cmdOK")->get("Style").toInteger(), 1);
    EXPECT_EQ(loaded->find("txtSearch")->get("Text").toString(), "txtSearch");
    EXPECT_EQ(loaded->find("cboSearch")->get("Style").toInteger(), 2);
    EXPECT_EQ(loaded->find("cboSearch")->get("TabIndex").toInteger(), 1);
    EXPECT_TRUE(loaded->find("optSearch", 1)->get("Value").toBoolean());
}

}  // namespace
}  // namespace qv::host
