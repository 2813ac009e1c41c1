// SPDX-License-Identifier: MIT
#include "data/data_control_view.h"

#include <gtest/gtest.h>

#include "data/data_control.h"
#include "host/form_runner.h"
#include "runner_fixture.h"

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

namespace qv::qvform::test {
namespace {

class DataControlWindowTest : public RunnerTest {
  protected:
    void SetUp() override {
        open();
        data = control<data::DataControl>("Data1");
        view = std::make_unique<data::DataControlView>(
            data, host::FormRunner::windowOf(*session->form()));
        ASSERT_TRUE(view->hwnd());
    }
    std::string where() {
        return data->recordset()->fields()->item(host::Variant("name"))->value().toString();
    }
    std::shared_ptr<data::DataControl> data;
    std::unique_ptr<data::DataControlView> view;
};

TEST_F(DataControlWindowTest, ArrowsMoveTheRecordsetAndStopAtTheEnds) {
    using Part = data::DataControlView::Part;
    const std::pair<Part, const char*> steps[] = {
        {Part::Previous, "Ada"}, {Part::Next, "Bruno"}, {Part::Last, "Carla"},
        {Part::Next, "Carla"},   {Part::First, "Ada"},  {Part::None, "Ada"},
    };
    for (const auto& [part, name] : steps) {
        view->press(part);
        EXPECT_EQ(where(), name);
    }
    // A click on the window: the Next button sits right of the caption.
    RECT client;
    GetClientRect(view->hwnd(), &client);
    const RECT next = data::DataControlView::partRect(client, Part::Next);
    SendMessageA(view->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(next.left + 2, 5));
    EXPECT_EQ(where(), "Bruno");
}

}  // namespace
}  // namespace qv::qvform::test
