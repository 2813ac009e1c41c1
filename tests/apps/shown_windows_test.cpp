// SPDX-License-Identifier: MIT
#include "shown_windows.h"

#include "host/form.h"
#include "host/form_runner.h"
#include "platform/user/screen.h"
#include "platform/win32.h"
#include "runner_fixture.h"

namespace qv::qvform::test {
namespace {

class ShownWindowsTest : public RunnerTest {};

// What a real window would show of the form is exactly its client window:
// the same rectangle and, pixel for pixel, the runner's own shot of it.
TEST_F(ShownWindowsTest, TheFormShowsAsItsClientWindow) {
    open();
    run("click qvRecordBar1.Buttonbar(2)");
    const auto shown = shownWindows();
    ASSERT_EQ(shown.size(), 1u);
    const ShownWindow& form = shown.front();
    EXPECT_EQ(form.hwnd, host::FormRunner::frameOf(*session->form()));
    EXPECT_EQ(form.caption, session->form()->Caption());
    EXPECT_TRUE(form.framed);
    EXPECT_TRUE(form.enabled);

    HWND client = host::FormRunner::windowOf(*session->form());
    RECT expected{};
    GetWindowRect(client, &expected);
    EXPECT_TRUE(EqualRect(&form.client, &expected));

    const auto pixels = clientPixels(form);
    HBITMAP shot = user::captureWindow(client);
    ASSERT_NE(shot, nullptr);
    const int width = expected.right - expected.left;
    const int height = expected.bottom - expected.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> reference(static_cast<std::size_t>(width * height));
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, shot, 0, static_cast<UINT>(height), reference.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(shot);
    EXPECT_EQ(pixels, reference);

    // Points of the client area reach the form; a point outside every
    // window reaches nothing.
    POINT at{};
    EXPECT_TRUE(reachesWindow(form, 5, 5, &at));
    EXPECT_EQ(at.x, form.client.left + 5);
    ShownWindow nowhere = form;
    OffsetRect(&nowhere.client, -5000, -5000);
    EXPECT_FALSE(reachesWindow(nowhere, 5, 5, &at));
}

}  // namespace
}  // namespace qv::qvform::test
