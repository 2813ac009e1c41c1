// SPDX-License-Identifier: MIT
// Painting by pixels: where the picture of each state lands, which picture
// is chosen, and the looks of the separator, gripper and other styles.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "button_fixture.h"
#include "platform/ole/picture.h"
#include "support/gdi_leak_guard.h"

namespace qv::softbutton::test {
namespace {

constexpr COLORREF kDown = 0x0000FF, kFlat = 0x00FFFF, kDisabled = 0x808000;

struct Found {
    int x, y;
    COLORREF color;
    friend bool operator==(const Found&, const Found&) = default;
};
std::ostream& operator<<(std::ostream& out, const Found& f) {
    return out << "(" << f.x << "," << f.y << ") 0x" << std::hex << f.color;
}

class PaintTest : public ButtonTest {
  protected:
    // Where the picture of the first colour found has its top-left corner.
    std::optional<Found> findPicture(const qvSoftButton& b) {
        const int w = static_cast<int>(b.ScaleWidth()), h = static_cast<int>(b.ScaleHeight());
        std::optional<Found> best;
        for (COLORREF c : {kPictureColor, kDown, kFlat, kDisabled}) {
            for (int y = 0; y < h && !best; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (at(b, x, y) != c) continue;
                    // The picture's corner pixel is transparent: the first
                    // pixel found is the one right of it.
                    best = Found{x - 1, y, c};
                    break;
                }
            }
        }
        return best;
    }
};

struct PictureCase {
    const char* name;
    int width;
    std::int32_t style;
    bool down, flat;  // which extra pictures are set
    std::function<void(qvSoftButton&)> state;
    std::optional<Found> expected;
};

void press(qvSoftButton& b) {
    b.UserControl_MouseDown(1, 0, 10, 10);
}
void hover(qvSoftButton& b) {
    b.UserControl_MouseMove(0, 0, 10, 10);
}
void dragOut(qvSoftButton& b) {
    press(b);
    b.UserControl_MouseMove(1, 0, 40, 10);
}
void toggleDown(qvSoftButton& b) {
    b.setValue(true);
}
void nothing(qvSoftButton&) {}

TEST_F(PaintTest, PictureOfEachStateAndWhereItLands) {
    // A 16 x 16 picture on a surface 29 high: y = 6.5 -> 6, pressed 7.5 -> 8.
    const PictureCase cases[] = {
        {"odd leftover rounds down to even", 21, 0, false, false, nothing,
         Found{2, 6, kPictureColor}},
        {"odd leftover pressed rounds up to even", 21, 0, false, false, press,
         Found{4, 8, kPictureColor}},
        {"even leftover", 22, 0, false, false, nothing, Found{3, 6, kPictureColor}},
        {"even leftover pressed", 22, 0, false, false, press, Found{4, 8, kPictureColor}},
        {"flat picture while away", 29, 0, true, true, nothing, Found{6, 6, kFlat}},
        {"normal picture under the pointer", 29, 1, true, true, hover, Found{6, 6, kPictureColor}},
        {"down picture pressed", 29, 5, true, true, press, Found{8, 8, kDown}},
        {"down picture dragged out, not shifted", 29, 0, true, true, dragOut, Found{6, 6, kDown}},
        {"flat picture dragged out without a down one", 29, 0, false, true, dragOut,
         Found{6, 6, kFlat}},
        {"down toggle shows the down picture", 29, 4, true, true, toggleDown, Found{6, 6, kDown}},
        {"down toggle falls back to the flat picture", 29, 4, false, true, toggleDown,
         Found{6, 6, kFlat}},
        {"disabled shows the disabled picture", 29, 0, true, true,
         [](qvSoftButton& b) {
             b.setDisabledPicture(testPicture(16, 16, kDisabled));
             b.setEnabledState(false);
         },
         Found{6, 6, kDisabled}},
        {"pressed while disabled is never shifted", 29, 0, true, true,
         [](qvSoftButton& b) {
             b.setDisabledPicture(testPicture(16, 16, kDisabled));
             b.setEnabledState(false);
             press(b);
         },
         Found{6, 6, kDisabled}},
        {"no normal picture: none drawn at all", 29, 0, true, true,
         [](qvSoftButton& b) { b.setPicture(nullptr); }, std::nullopt},
        {"a metafile is left out", 29, 0, false, false,
         [](qvSoftButton& b) { b.setPicture(ole::Picture::metafile(423, 423)); }, std::nullopt},
        {"unknown style draws nothing", 29, 6, true, true, nothing, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QV_EXPECT_NO_GDI_LEAKS({
            auto b = add("B", c.style, c.width);
            b->setPicture(testPicture());
            if (c.down) b->setDownPicture(testPicture(16, 16, kDown));
            if (c.flat) b->setFlatPicture(testPicture(16, 16, kFlat));
            c.state(*b);
            b->UserControl_Paint();
            EXPECT_EQ(findPicture(*b), c.expected);
            m_form->Unload();
            m_form = std::make_shared<host::Form>();
            m_form->setBackColor(kFormColor);
        });
    }
}

struct LookCase {
    const char* name;
    std::int32_t style;
    std::function<void(qvSoftButton&)> state;
    // Expected colour of pixel (x, y) of the 29 x 29 button.
    std::function<COLORREF(int, int)> pixel;
};

bool ring(int x, int y, int inset) {
    return (x == inset || y == inset || x == 28 - inset || y == 28 - inset) && x >= inset &&
           y >= inset && x <= 28 - inset && y <= 28 - inset;
}

TEST_F(PaintTest, LooksWithoutPictures) {
    const auto back = static_cast<COLORREF>(kFormColor);
    const LookCase cases[] = {
        {"flat away: the container's colour", 0, nothing, [=](int, int) { return back; }},
        {"own back colour", 1,
         [](qvSoftButton& b) {
             b.setBackColorProperty(0x000080);
             b.setBackStyle(1);
         },
         [](int, int) { return COLORREF{0x000080}; }},
        {"separator: shadow at 13, highlight at 14", 2, nothing,
         [=](int x, int) { return x == 13   ? shadow()
                                  : x == 14 ? highlight()
                                            : back; }},
        {"gripper: bars at 10 and 14", 3, nothing,
         [=](int x, int y) {
             for (int left : {10, 14}) {
                 if (x < left || x > left + 2) continue;
                 if (y == 28) return shadow();
                 if (y == 0 || x == left) return highlight();
                 return x == left + 2 ? shadow() : face();
             }
             return back;
         }},
        {"raised away: thick raised frame around face", 5, nothing,
         [](int x, int y) {
             if (ring(x, y, 0)) return x == 28 || y == 28 ? darkShadow() : highlight();
             if (ring(x, y, 1) && (x == 27 || y == 27)) return shadow();
             return face();
         }},
        {"down toggle away: checker in a thin sunken frame", 4, toggleDown,
         [](int x, int y) {
             if (ring(x, y, 0)) return x == 28 || y == 28 ? highlight() : shadow();
             return (x + y) % 2 ? highlight() : face();
         }},
        {"flat pressed: face inside a thin sunken frame", 0, press,
         [](int x, int y) {
             if (ring(x, y, 0)) return x == 28 || y == 28 ? highlight() : shadow();
             return face();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = add("B", c.style);
        c.state(*b);
        for (int y = 0; y < 29; ++y) {
            for (int x = 0; x < 29; ++x) {
                ASSERT_EQ(at(*b, x, y), c.pixel(x, y)) << "at " << x << "," << y;
            }
        }
        m_form->Unload();
        m_form = std::make_shared<host::Form>();
        m_form->setBackColor(kFormColor);
    }
}

}  // namespace
}  // namespace qv::softbutton::test
