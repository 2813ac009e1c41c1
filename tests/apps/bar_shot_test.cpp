// SPDX-License-Identifier: MIT
// The bar as a person sees it in the runner's picture of a form: ten button
// pictures (the pending look greying the ones that are off), the engraved
// separator, the border and the status box.
#include <gtest/gtest.h>

#include <set>

#include "host/command_button.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/label.h"
#include "navigator/qvRecordBar.h"
#include "platform/gdi/handles.h"
#include "platform/user/screen.h"
#include "platform/win32.h"
#include "runner_fixture.h"

namespace qv::qvform::test {
namespace {

// The form's client window as captured, read by pixel in screen coordinates.
class Shot {
  public:
    explicit Shot(const host::Form& form)
        : m_window(host::FormRunner::windowOf(form)),
          m_bitmap(user::captureWindow(m_window)),
          m_dc(gdi::OwnedDc::compatibleWith(nullptr)),
          m_pick(m_dc.get(), m_bitmap.get()) {}

    COLORREF at(HWND window, int x, int y) const {
        POINT p{x, y}, origin{0, 0};
        ClientToScreen(window, &p);
        ClientToScreen(m_window, &origin);
        return GetPixel(m_dc.get(), p.x - origin.x, p.y - origin.y);
    }
    // The colours of a window's client rectangle, or of the 16 x 16 square
    // at its centre where a button's picture sits.
    std::set<COLORREF> colours(HWND window, bool pictureOnly = false) const {
        RECT r{};
        GetClientRect(window, &r);
        if (pictureOnly) {
            const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
            r = RECT{cx - 8, cy - 8, cx + 8, cy + 8};
        }
        std::set<COLORREF> seen;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) seen.insert(at(window, x, y));
        }
        return seen;
    }

  private:
    HWND m_window;
    gdi::OwnedBitmap m_bitmap;
    gdi::OwnedDc m_dc;
    gdi::SelectGuard m_pick;
};

bool isFrameColour(COLORREF c) {
    for (int index : {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
                      COLOR_3DLIGHT, COLOR_BTNTEXT}) {
        if (c == GetSysColor(index)) return true;
    }
    return false;
}

TEST_F(RunnerTest, TheBarShowsItsPicturesSeparatorBorderAndStatusBox) {
    open();
    auto bar = control<navigator::qvRecordBar>("qvRecordBar1");
    ASSERT_TRUE(bar);
    for (bool pending : {false, true}) {
        SCOPED_TRACE(pending ? "pending" : "browse");
        if (pending) bar->clickButton(navigator::qvRecordBar::EditRecord);
        Shot shot(*session->form());
        for (std::int16_t i = 0; i < navigator::qvRecordBar::ButtonCount; ++i) {
            const host::CommandButton& button = bar->Buttonbar(i);
            const auto colours = shot.colours(button.hWnd());
            const bool picture = std::any_of(colours.begin(), colours.end(),
                                             [](COLORREF c) { return !isFrameColour(c); });
            // An enabled button shows its coloured picture, a disabled one
            // only the shadow and highlight of its greyed shape.
            EXPECT_EQ(picture, button.Enabled()) << i;
            // The face shows through the picture's background, greyed or not:
            // never a plain grey square.
            const auto square = shot.colours(button.hWnd(), true);
            EXPECT_TRUE(square.count(GetSysColor(COLOR_BTNFACE))) << i;
            if (!button.Enabled()) {
                EXPECT_TRUE(square.count(GetSysColor(COLOR_BTNSHADOW))) << i;
            }
        }
        // The engraved separator: a grey column with a white one just right of it.
        HWND frame = bar->fraButtonbar().hWnd();
        int grey = -1, white = -1;
        for (int x = 0; x < 250; ++x) {
            if (grey < 0 && shot.at(frame, x, 10) == RGB(128, 128, 128)) grey = x;
            if (grey >= 0 && x > grey && shot.at(frame, x, 10) == RGB(255, 255, 255)) {
                white = x;
                break;
            }
        }
        ASSERT_GE(grey, 0);
        EXPECT_LE(white - grey, 2);
        // The raised border on the left and the status box's top left corner.
        EXPECT_EQ(shot.at(bar->hWnd(), 0, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
        const int boxLeft = (bar->lblStatus().Left() - 2) / 15;
        EXPECT_EQ(shot.at(bar->hWnd(), boxLeft, 0), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(shot.at(bar->hWnd(), boxLeft, 10), GetSysColor(COLOR_BTNSHADOW));
    }
}

}  // namespace
}  // namespace qv::qvform::test
