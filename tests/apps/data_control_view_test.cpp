#include "data/data_control_view.h"

#include <gtest/gtest.h>

namespace qv::data {
namespace {

using Part = DataControlView::Part;

TEST(DataControlViewTest, FindsTheButtonUnderAPoint) {
    const RECT wide{10, 0, 130, 20};  // buttons 20 wide: a sixth of 120
    const std::pair<int, Part> cases[] = {
        {10, Part::First}, {29, Part::First}, {30, Part::Previous}, {49, Part::Previous},
        {50, Part::None},  {89, Part::None},  {90, Part::Next},     {110, Part::Last},
        {129, Part::Last}, {130, Part::None}, {9, Part::None},
    };
    for (const auto& [x, part] : cases) EXPECT_EQ(DataControlView::partAt(wide, x, 5), part) << x;
    EXPECT_EQ(DataControlView::partAt(wide, 15, 20), Part::None);  // below
    // A narrow control keeps a caption between its buttons.
    const RECT narrow{0, 0, 30, 20};
    EXPECT_EQ(DataControlView::partRect(narrow, Part::Last).left, 25);
    EXPECT_EQ(DataControlView::partAt(narrow, 12, 5), Part::None);
}

}  // namespace
}  // namespace qv::data
