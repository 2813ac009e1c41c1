// SPDX-License-Identifier: MIT
// The controls the bar is built from, as a new bar holds them: the buttons'
// places, tooltips, pictures and enabled states, the separator lines, the
// status label and the tab order.
#include <gtest/gtest.h>

#include "host/command_button.h"
#include "host/form.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/line.h"
#include "navigator/qvRecordBar.h"
#include "platform/ole/picture.h"

namespace qv::navigator::test {
namespace {

TEST(Parts, ANewBarHoldsItsButtonsLinesAndLabelInPlace) {
    auto bar = std::make_shared<qvRecordBar>();
    const char* tips[] = {"First Record", "Previous Record", "Next Record",   "Last Record",
                          "Find Record",  "Add Record",      "Delete Record", "Edit Record",
                          "Save Changes", "Cancel Changes"};
    const std::int32_t lefts[] = {0, 360, 720, 1080, 1440, 1935, 2295, 2655, 3015, 3375};
    const host::Frame& frame = bar->fraButtonbar();
    EXPECT_EQ(frame.bounds(), (host::Bounds{45, 45, 3750, 350}));
    std::int16_t previousTab = frame.TabIndex();
    for (std::int16_t i = 0; i < qvRecordBar::ButtonCount; ++i) {
        SCOPED_TRACE(i);
        const host::CommandButton& b = bar->Buttonbar(i);
        EXPECT_EQ(b.bounds(), (host::Bounds{lefts[i], 0, 330, 330}));
        EXPECT_EQ(b.ToolTipText(), tips[i]);
        EXPECT_EQ(b.Enabled(), i < 8);
        EXPECT_EQ(b.Style(), host::CommandButton::StyleGraphical);
        ASSERT_TRUE(b.Picture());
        EXPECT_EQ(b.Picture()->Type(), PICTYPE_BITMAP);
        EXPECT_EQ(b.Container().get(), &frame);
        EXPECT_GT(b.TabIndex(), previousTab);
        previousTab = b.TabIndex();
    }
    EXPECT_EQ(bar->Line1().X1(), 1835);
    EXPECT_EQ(bar->Line1().Y2(), 315);
    EXPECT_EQ(bar->Line1().BorderColor(), 0x808080);
    EXPECT_EQ(bar->Line2().X1(), 1855);
    EXPECT_EQ(bar->Line2().BorderColor(), 0xFFFFFF);
    EXPECT_EQ(bar->lblStatus().Width(), 1875);
    EXPECT_EQ(bar->lblStatus().Height(), 210);
    EXPECT_EQ(bar->lblStatus().BackColor(), static_cast<std::int32_t>(0x8000000E));
    EXPECT_EQ(bar->statusText(), "");
}

}  // namespace
}  // namespace qv::navigator::test
