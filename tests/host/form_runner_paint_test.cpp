// SPDX-License-Identifier: MIT
// What the standard controls draw: where their frames and edges lie and in
// which system colours, read back pixel by pixel (never glyph shapes).
#include <gtest/gtest.h>

#include "host/command_button.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/line.h"
#include "host/text_box.h"
#include "platform/ole/picture.h"
#include "platform/user/screen.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

class PaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        user::resetThreadState();
        form->setBounds({0, 0, 6000, 4500});
        form->setBackColor(0x8000000F);
    }
    void TearDown() override {
        FormRunner::Unload(form);
        user::resetThreadState();
    }
    // The colour at (x, y) of a window's client area, after pending paints.
    static COLORREF pixel(HWND hwnd, int x, int y) {
        user::updateAllWindows();
        HDC dc = GetDC(hwnd);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd, dc);
        return c;
    }
    static COLORREF sys(int index) { return GetSysColor(index); }

    std::shared_ptr<Form> form = std::make_shared<Form>("frmPaint");
};

TEST_F(PaintTest, FrameDrawsAnEtchedBorderBelowItsCaption) {
    auto plain = std::make_shared<Frame>();
    form->add(plain, "fraPlain", std::nullopt, {150, 150, 1500, 750});  // 100 x 50 pixels
    auto titled = std::make_shared<Frame>();
    form->add(titled, "fraTitled", std::nullopt, {150, 1500, 1500, 750});
    titled->setCaption("Options");
    auto bare = std::make_shared<Frame>();
    form->add(bare, "fraBare", std::nullopt, {150, 3000, 1500, 750});
    bare->setBorderStyle(0);
    FormRunner::Show(form);

    HWND p = plain->hWnd();
    // Etched: a sunken outer ring and a raised inner one.
    EXPECT_EQ(pixel(p, 0, 25), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(p, 1, 25), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(p, 99, 25), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(p, 98, 25), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(p, 50, 0), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(p, 50, 49), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(p, 50, 25), sys(COLOR_BTNFACE));

    HWND t = titled->hWnd();
    HDC dc = GetDC(t);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const RECT border = titled->borderRect(dc);
    SelectObject(dc, old);
    ReleaseDC(t, dc);
    ASSERT_GT(border.top, 0);
    EXPECT_EQ(pixel(t, 0, border.top), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(t, 0, border.top - 1), sys(COLOR_BTNFACE));
    EXPECT_EQ(pixel(t, 95, border.top), sys(COLOR_BTNSHADOW));  // right of the caption
    EXPECT_EQ(pixel(t, 8, border.top), sys(COLOR_BTNFACE));     // the caption breaks the line

    EXPECT_EQ(pixel(bare->hWnd(), 0, 25), sys(COLOR_BTNFACE));
}

TEST_F(PaintTest, TextBoxIsSunkenAndButtonsAreRaised) {
    auto text = std::make_shared<TextBox>();
    form->add(text, "txtA", std::nullopt, {150, 150, 1500, 300});  // 100 x 20
    auto plain = std::make_shared<CommandButton>();
    form->add(plain, "cmdA", std::nullopt, {150, 750, 1500, 375});  // 100 x 25
    auto chosen = std::make_shared<CommandButton>();
    form->add(chosen, "cmdB", std::nullopt, {1800, 750, 1500, 375});
    chosen->setDefault(true);
    text->setTabIndex(0);
    FormRunner::Show(form);  // the text box takes the focus: cmdB shows as default

    HWND t = text->hWnd();
    EXPECT_EQ(pixel(t, 0, 10), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(t, 1, 10), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixel(t, 99, 10), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(t, 98, 10), sys(COLOR_3DLIGHT));
    EXPECT_EQ(pixel(t, 96, 16), sys(COLOR_WINDOW));

    HWND a = plain->hWnd();
    EXPECT_EQ(pixel(a, 0, 12), sys(COLOR_3DLIGHT));
    EXPECT_EQ(pixel(a, 1, 12), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(a, 99, 12), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixel(a, 98, 12), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(a, 50, 3), sys(COLOR_BTNFACE));

    HWND b = chosen->hWnd();
    EXPECT_EQ(pixel(b, 0, 12), sys(COLOR_WINDOWFRAME));  // the default button's dark frame
    EXPECT_EQ(pixel(b, 1, 12), sys(COLOR_3DLIGHT));
    plain->SetFocus();  // focus on another button: it takes the frame
    EXPECT_EQ(pixel(b, 0, 12), sys(COLOR_3DLIGHT));
    EXPECT_EQ(pixel(a, 0, 12), sys(COLOR_WINDOWFRAME));
}

TEST_F(PaintTest, LabelsAndLinesAreDrawnByTheirContainer) {
    auto opaque = std::make_shared<Label>();
    form->add(opaque, "lblOpaque", std::nullopt, {300, 300, 1500, 300});  // (20,20) 100 x 20
    opaque->setBackColor(0x0000FF);
    auto clear = std::make_shared<Label>();
    form->add(clear, "lblClear", std::nullopt, {300, 900, 1500, 300});
    clear->setBackColor(0x0000FF);
    clear->setBackStyle(Label::Transparent);
    auto frame = std::make_shared<Frame>();
    form->add(frame, "fraBar", std::nullopt, {45, 1500, 3750, 350});
    frame->setBorderStyle(0);
    auto grey = std::make_shared<Line>();
    form->add(grey, "Line1", std::nullopt, {}, frame);
    grey->setPoints(1830, 0, 1830, 315);  // x 122, y 0 to 21 in the frame
    grey->setBorderColor(0x808080);
    FormRunner::Show(form);

    HWND client = FormRunner::windowOf(*form);
    EXPECT_EQ(pixel(client, 119, 38), 0x0000FFu);  // bottom right inside the label
    EXPECT_EQ(pixel(client, 120, 39), sys(COLOR_BTNFACE));
    EXPECT_EQ(pixel(client, 119, 78), sys(COLOR_BTNFACE));  // transparent: the form shows
    EXPECT_EQ(pixel(frame->hWnd(), 122, 0), 0x808080u);
    EXPECT_EQ(pixel(frame->hWnd(), 122, 20), 0x808080u);
    EXPECT_EQ(pixel(frame->hWnd(), 122, 21), sys(COLOR_BTNFACE));  // the end point is not drawn
    EXPECT_EQ(pixel(frame->hWnd(), 123, 10), sys(COLOR_BTNFACE));

    opaque->setVisible(false);
    EXPECT_EQ(pixel(client, 119, 38), sys(COLOR_BTNFACE));
}

TEST_F(PaintTest, GraphicalButtonGreysItsPictureWhenDisabled) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 16, 16};
    FillRect(memory, &all, red);
    DeleteObject(red);
    SelectObject(memory, old);
    DeleteDC(memory);

    auto button = std::make_shared<CommandButton>();
    form->add(button, "Buttonbar", std::int16_t{0}, {0, 0, 495, 495});  // 33 x 33
    button->setStyle(CommandButton::StyleGraphical);
    button->setPicture(ole::Picture::fromBitmap(bitmap, true));
    FormRunner::Show(form);
    EXPECT_EQ(pixel(button->hWnd(), 16, 16), RGB(255, 0, 0));
    button->setEnabled(false);
    const COLORREF greyed = pixel(button->hWnd(), 16, 16);
    EXPECT_NE(greyed, RGB(255, 0, 0));
    EXPECT_EQ(GetRValue(greyed), GetGValue(greyed));  // a shade of grey, not red
}

}  // namespace
}  // namespace qv::host
