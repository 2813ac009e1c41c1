// SPDX-License-Identifier: MIT
// The record bar's status line as a person sees it: a screenshot of the bar
// shows the status text in the label's colour, and nothing once it is empty.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "host/label.h"
#include "navigator/qvRecordBar.h"
#include "platform/user/screen.h"
#include "platform/win32.h"
#include "runner_fixture.h"

namespace qv::qvform::test {
namespace {

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};

// Whether a pixel is mostly ink: text is drawn smoothed, so a stroke's
// pixels lie between the ink and the background.
bool mostlyInk(COLORREF pixel, COLORREF ink) {
    const auto channel = [](COLORREF c, int shift) {
        return static_cast<int>((c >> shift) & 0xFF);
    };
    int distance = 0;
    for (int shift : {0, 8, 16}) distance += std::abs(channel(pixel, shift) - channel(ink, shift));
    return distance < 3 * 0x60;
}

// Pixels that are mostly `color` inside the label's place on a screenshot of
// the bar.
int pixelsOfColorInLabel(const navigator::qvRecordBar& bar, const host::Label& label,
                         COLORREF color) {
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> shot(
        user::captureWindow(bar.hWnd()));
    if (!shot) return -1;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, shot.get());
    const host::Bounds& b = label.bounds();
    int count = 0;
    for (int y = b.top / host::TwipsPerPixel; y < (b.top + b.height) / host::TwipsPerPixel; ++y) {
        for (int x = b.left / host::TwipsPerPixel; x < (b.left + b.width) / host::TwipsPerPixel;
             ++x) {
            if (mostlyInk(GetPixel(dc, x, y), color)) ++count;
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return count;
}

TEST_F(RunnerTest, TheStatusTextAppearsOnTheBarAndGoesWithTheStatus) {
    open();
    auto bar = control<navigator::qvRecordBar>("qvRecordBar1");
    ASSERT_TRUE(bar);
    host::Label& label = bar->lblStatus();
    COLORREF ink = 0;
    ASSERT_EQ(OleTranslateColor(static_cast<OLE_COLOR>(label.ForeColor()), nullptr, &ink), S_OK);

    run("click qvRecordBar1.Buttonbar(0)");
    ASSERT_FALSE(label.Caption().empty());
    EXPECT_GT(pixelsOfColorInLabel(*bar, label, ink), 10) << label.Caption();

    label.setCaption("");
    EXPECT_EQ(pixelsOfColorInLabel(*bar, label, ink), 0);
}

}  // namespace
}  // namespace qv::qvform::test
