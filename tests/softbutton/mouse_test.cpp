// SPDX-License-Identifier: MIT
// Mouse tracking walked step by step: at each step the state flags, the
// capture, the events raised and the frame drawn.
#include <gtest/gtest.h>

#include <sstream>

#include "button_fixture.h"

namespace qv::softbutton::test {
namespace {

enum class Act { Move, Down, Up, Disable, Enable };
enum class Look { None, Cleared, Raised, Sunken, ThickRaised, Checker };

struct Step {
    const char* name;
    Act act;
    float x, y;
    const char* flags;  // over, down, hot, captured: "1010"
    std::vector<std::string> events;
    Look look;
};

class MouseTest : public ButtonTest {
  protected:
    void walk(const std::shared_ptr<qvSoftButton>& b, const std::vector<Step>& steps) {
        const std::int16_t button = 1;
        for (const auto& s : steps) {
            SCOPED_TRACE(s.name);
            switch (s.act) {
                case Act::Move:
                    b->UserControl_MouseMove(s.flags[1] == '1' ? button : 0, 0, s.x, s.y);
                    break;
                case Act::Down:
                    b->UserControl_MouseDown(button, 0, s.x, s.y);
                    break;
                case Act::Up:
                    b->UserControl_MouseUp(button, 0, s.x, s.y);
                    break;
                case Act::Disable:
                    b->setEnabledState(false);
                    break;
                case Act::Enable:
                    b->setEnabledState(true);
                    break;
            }
            const auto t = b->tracking();
            std::string flags;
            for (bool f : {t.mouseOver, t.mouseDown, t.hot, t.captured}) flags += f ? '1' : '0';
            EXPECT_EQ(flags, s.flags);
            EXPECT_EQ(GetCapture() == b->hWnd(), t.captured);
            EXPECT_EQ(takeEvents(), s.events);
            expectLook(*b, s.look);
        }
    }

    void expectLook(const qvSoftButton& b, Look look) {
        const COLORREF topLeft = at(b, 0, 0), bottomRight = at(b, 28, 28), inner = at(b, 1, 1);
        switch (look) {
            case Look::None:
                EXPECT_EQ(topLeft, static_cast<COLORREF>(kFormColor));
                EXPECT_EQ(bottomRight, static_cast<COLORREF>(kFormColor));
                break;
            case Look::Cleared:  // the surface's own background, button face
                EXPECT_EQ(topLeft, face());
                break;
            case Look::Raised:
                EXPECT_EQ(topLeft, highlight());
                EXPECT_EQ(bottomRight, shadow());
                break;
            case Look::Sunken:
                EXPECT_EQ(topLeft, shadow());
                EXPECT_EQ(bottomRight, highlight());
                break;
            case Look::ThickRaised:
                EXPECT_EQ(topLeft, highlight());
                EXPECT_EQ(bottomRight, darkShadow());
                break;
            case Look::Checker:
                EXPECT_EQ(topLeft, shadow());
                EXPECT_EQ(inner, face());  // (1, 1): even, button face
                EXPECT_EQ(at(b, 2, 1), highlight());
                break;
        }
    }
};

std::string move(float x, float y, int button = 0) {
    std::ostringstream out;
    out << "B.MouseMove(" << button << ",0," << x << "," << y << ")";
    return out.str();
}
const std::string kClick = "B.Click";
const std::string kClosingMove = "B.MouseMove(1,0,-1,-1)";

TEST_F(MouseTest, FlatButtonTruthTable) {
    auto b = add("B", 0);
    b->setPicture(testPicture());
    takeEvents();
    walk(b, {
                {"away", Act::Move, 40, 40, "0000", {move(40, 40)}, Look::None},
                {"enter", Act::Move, 10, 10, "1011", {move(10, 10)}, Look::Raised},
                {"hover", Act::Move, 11, 11, "1011", {move(11, 11)}, Look::Raised},
                {"press", Act::Down, 11, 11, "1111", {move(11, 11, 1)}, Look::Sunken},
                {"drag out", Act::Move, 40, 11, "0111", {move(40, 11, 1)}, Look::Raised},
                {"drag back", Act::Move, 12, 12, "1111", {move(12, 12, 1)}, Look::Sunken},
                {"release inside", Act::Up, 12, 12, "0000", {kClick, kClosingMove}, Look::None},
                {"column 0 is outside", Act::Move, 0, 10, "0000", {move(0, 10)}, Look::None},
                {"width is outside", Act::Move, 29, 10, "0000", {move(29, 10)}, Look::None},
                {"enter again", Act::Move, 28, 28, "1011", {move(28, 28)}, Look::Raised},
                {"press again", Act::Down, 28, 28, "1111", {move(28, 28, 1)}, Look::Sunken},
                {"drag out again", Act::Move, 5, -3, "0111", {move(5, -3, 1)}, Look::Raised},
                {"release outside", Act::Up, 5, -3, "0000", {kClick, kClosingMove}, Look::None},
                {"enter before disabling", Act::Move, 3, 3, "1011", {move(3, 3)}, Look::Raised},
                // Hot look and capture stay until the next move.
                {"disable", Act::Disable, 0, 0, "0011", {}, Look::Cleared},
                {"move while disabled", Act::Move, 4, 4, "1000", {move(4, 4)}, Look::None},
                {"press while disabled", Act::Down, 4, 4, "1100", {move(4, 4, 1)}, Look::None},
                {"release while disabled", Act::Up, 4, 4, "0000", {kClosingMove}, Look::None},
            });
}

TEST_F(MouseTest, ToggleRaisedAndSeparatorLooks) {
    auto toggle = add("B", 4);
    takeEvents();
    walk(toggle,
         {
             {"enter", Act::Move, 5, 5, "1011", {move(5, 5)}, Look::Raised},
             {"press", Act::Down, 5, 5, "1111", {move(5, 5, 1)}, Look::Sunken},
             {"release: down", Act::Up, 5, 5, "0000", {kClick, kClosingMove}, Look::Checker},
             {"hover a down toggle", Act::Move, 5, 5, "1011", {move(5, 5)}, Look::Sunken},
             {"leave: checker", Act::Move, 40, 5, "0000", {move(40, 5)}, Look::Checker},
         });
    EXPECT_TRUE(toggle->Value());
    toggle->UserControl_MouseDown(1, 0, 5, 5);
    toggle->UserControl_MouseUp(1, 0, 5, 5);
    EXPECT_FALSE(toggle->Value());
    m_form->Unload();
    m_form = std::make_shared<host::Form>();
    m_form->setBackColor(kFormColor);

    auto raised = add("B", 5);
    takeEvents();
    walk(raised,
         {
             {"away", Act::Move, 40, 5, "0000", {move(40, 5)}, Look::ThickRaised},
             {"enter", Act::Move, 5, 5, "1011", {move(5, 5)}, Look::ThickRaised},
             {"leave keeps the frame", Act::Move, 40, 5, "0000", {move(40, 5)}, Look::ThickRaised},
         });
    raised->UserControl_MouseDown(2, 0, 5, 5);  // the right button presses too
    takeEvents();
    raised->UserControl_MouseUp(2, 0, 5, 5);
    EXPECT_EQ(takeEvents(), (std::vector<std::string>{kClick, "B.MouseMove(2,0,-1,-1)"}));
    m_form->Unload();
    m_form = std::make_shared<host::Form>();

    for (std::int32_t style : {2, 3, 9}) {
        auto other = add("B", style);
        takeEvents();
        other->UserControl_MouseMove(0, 0, 5, 5);
        EXPECT_FALSE(other->tracking().captured);
        EXPECT_EQ(GetCapture(), nullptr);
        other->UserControl_MouseDown(1, 0, 5, 5);
        other->UserControl_MouseUp(1, 0, 5, 5);
        EXPECT_EQ(takeEvents(),
                  (std::vector<std::string>{move(5, 5), move(5, 5, 1), kClick, kClosingMove}))
            << style;
        m_form->Unload();
        m_form = std::make_shared<host::Form>();
    }
}

}  // namespace
}  // namespace qv::softbutton::test
