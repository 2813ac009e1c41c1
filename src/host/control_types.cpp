// SPDX-License-Identifier: MIT
#include "host/control_types.h"

#include <memory>

#include "host/combo_box.h"
#include "host/command_button.h"
#include "host/control_factory.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/line.h"
#include "host/option_button.h"
#include "host/text_box.h"

namespace qv::host {

void registerStandardControls(ControlFactory& factory) {
    factory.add("CommandButton", [] { return std::make_shared<CommandButton>(); });
    factory.add("TextBox", [] { return std::make_shared<TextBox>(); });
    factory.add("Label", [] { return std::make_shared<Label>(); });
    factory.add("Frame", [] { return std::make_shared<Frame>(); });
    factory.add("Line", [] { return std::make_shared<Line>(); });
    factory.add("ComboBox", [] { return std::make_shared<ComboBox>(); });
    factory.add("OptionButton", [] { return std::make_shared<OptionButton>(); });
}

}  // namespace qv::host
