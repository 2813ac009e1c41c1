// The bar's size rules, the status label's place, and what it draws: the
// border of each style and the sunken box around the status line.
#include <gtest/gtest.h>

#include "host/form.h"
#include "host/label.h"
#include "navigator/qvRecordBar.h"
#include "platform/win32.h"

namespace qv::navigator::test {
namespace {

class Layout : public ::testing::Test {
  protected:
    Layout() { form->add(bar, "qvRecordBar1", std::nullopt, {0, 0, 100, 100}); }
    ~Layout() override { form->Unload(); }

    COLORREF pixel(int x, int y) const { return GetPixel(bar->hDC(), x, y); }
    static COLORREF sys(int index) { return GetSysColor(index); }

    std::shared_ptr<host::Form> form = std::make_shared<host::Form>("Form1");
    std::shared_ptr<qvRecordBar> bar = std::make_shared<qvRecordBar>();
};

TEST_F(Layout, ANewBarStartsAtItsDefaultSize) {
    EXPECT_EQ(bar->Width(), 5775);
    EXPECT_EQ(bar->Height(), 450);
    EXPECT_TRUE(bar->StatusVisible());
    EXPECT_EQ(bar->BorderStyle(), border_style::ThinRaised);
}

TEST_F(Layout, ResizingKeepsTheHeightAndTheWidthFloors) {
    struct Case {
        bool status;
        std::int32_t width;
        std::int32_t expected;
    };
    const Case cases[] = {
        {true, 100, 5775},   {true, 5700, 5775},  {true, 5780, 5775},  {true, 5785, 5775},
        {true, 5786, 5786},  {true, 9000, 9000},  {false, 100, 4000},  {false, 3999, 4000},
        {false, 4000, 4000}, {false, 5000, 5000}, {false, 9000, 9000},
    };
    for (const Case& c : cases) {
        bar->setStatusVisible(c.status);
        for (std::int32_t height : {0, 450, 2000}) {
            bar->move({0, 0, c.width, height});
            EXPECT_EQ(bar->Width(), c.expected) << c.width << (c.status ? " shown" : " hidden");
            EXPECT_EQ(bar->Height(), 450);
        }
    }
}

TEST_F(Layout, ShowingOrHidingTheStatusLineRaisesANarrowBar) {
    bar->setStatusVisible(false);
    bar->move({0, 0, 5000, 450});
    ASSERT_EQ(bar->Width(), 5000);
    bar->setStatusVisible(false);
    EXPECT_EQ(bar->Width(), 5715);
    EXPECT_FALSE(bar->lblStatus().Visible());
    bar->move({0, 0, 5000, 450});
    bar->setStatusVisible(true);
    EXPECT_EQ(bar->Width(), 5775);
    EXPECT_TRUE(bar->lblStatus().Visible());
    EXPECT_EQ(bar->changedProperties().back(), "StatusVisible");
}

TEST_F(Layout, TheStatusLabelSitsAtTheRightAndInTheMiddle) {
    for (std::int32_t width : {5775, 9000}) {
        bar->move({0, 0, width, 450});
        EXPECT_EQ(bar->lblStatus().Left(), width - 1875 - 5);
        EXPECT_EQ(bar->lblStatus().Top(), 120);
        EXPECT_EQ(bar->lblStatus().Width(), 1875);
    }
}

TEST_F(Layout, EveryBorderStyleButNoneDrawsAnEdge) {
    bar->setStatusVisible(false);
    const COLORREF face = sys(COLOR_BTNFACE);
    for (std::int16_t style : {0, 1, 2, 3, 4, 5, 6, 7, -1, 32767}) {
        bar->setBorderStyle(style);
        bool drawn = style >= 1 && style <= 6;
        EXPECT_EQ(pixel(10, 0) != face, drawn) << style;   // top edge
        EXPECT_EQ(pixel(0, 10) != face, drawn) << style;   // left edge
        EXPECT_EQ(pixel(10, 29) != face, drawn) << style;  // bottom edge
        EXPECT_EQ(pixel(20, 10), face) << style;           // inside
    }
}

TEST_F(Layout, TheStatusBoxIsDrawnOnlyWithTheStatusLine) {
    bar->setBorderStyle(border_style::NoBorder);
    // Label left 3895 twips: the box starts 2 twips to its left, at pixel 260.
    const COLORREF shadow = sys(COLOR_BTNSHADOW);
    EXPECT_EQ(pixel(300, 0), shadow);   // top line
    EXPECT_EQ(pixel(260, 15), shadow);  // left line
    EXPECT_EQ(pixel(259, 15), sys(COLOR_BTNFACE));
    bar->setStatusVisible(false);
    bar->move({0, 0, 5775, 450});
    EXPECT_EQ(pixel(300, 0), sys(COLOR_BTNFACE));
    EXPECT_EQ(pixel(260, 15), sys(COLOR_BTNFACE));
}

TEST_F(Layout, SettingTheSameBorderStyleRepaintsNothingButMarksItChanged) {
    bar->setBorderStyle(border_style::NoBorder);
    bar->PSet(150, 150, 0x0000FF);
    ASSERT_EQ(pixel(10, 10), RGB(255, 0, 0));
    bar->setBorderStyle(border_style::NoBorder);
    EXPECT_EQ(pixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(bar->changedProperties().back(), "BorderStyle");
    bar->setBorderStyle(border_style::Bump);
    EXPECT_NE(pixel(10, 10), RGB(255, 0, 0));
}

}  // namespace
}  // namespace qv::navigator::test
