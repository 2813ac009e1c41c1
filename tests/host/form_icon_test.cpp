// SPDX-License-Identifier: MIT
// A form's icon and its window: the icon or bitmap drawn at the left of the
// caption bar, kept in form files, refused when it cannot be drawn; the
// frame owned (no task-bar entry) and centred on its owner or the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "host/control_factory.h"
#include "host/error.h"
#include "host/form.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "host/picture_object.h"
#include "platform/ole/picture.h"
#include "platform/user/screen.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"
#include "support/gdi_leak_guard.h"

namespace qv::host {
namespace {

constexpr COLORREF kGreen = RGB(0, 200, 0);

// A bitmap of `width` x `height` pixels, its left half `left` and its right
// half `right`.
HBITMAP twoColourBitmap(int width, int height, COLORREF left, COLORREF right) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (const auto& [from, to, colour] :
         {std::tuple{0, width / 2, left}, {width / 2, width, right}}) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r{from, 0, to, height};
        FillRect(memory, &r, brush);
        DeleteObject(brush);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    return bitmap;
}

// An opaque 32 x 32 icon of one colour.
std::shared_ptr<ole::Picture> solidIcon(COLORREF colour) {
    HBITMAP color = twoColourBitmap(32, 32, colour, colour);
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);  // all 0: opaque
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return ole::Picture::fromIcon(icon, true);
}

class FormIconTest : public ::testing::Test {
  protected:
    void SetUp() override { user::resetThreadState(); }
    void TearDown() override {
        for (auto& f : {form, other}) {
            if (f->loaded()) FormRunner::Unload(f);
        }
        user::resetThreadState();
    }
    static COLORREF pixel(HWND hwnd, int x, int y) {
        user::updateAllWindows();
        HDC dc = GetDC(hwnd);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd, dc);
        return c;
    }
    // The middle row of the caption bar, `x` pixels from the frame's border.
    COLORREF captionPixel(int x) {
        return pixel(FormRunner::frameOf(*form), FormRunner::kBorder + x,
                     FormRunner::kBorder + FormRunner::kCaptionHeight / 2);
    }

    std::shared_ptr<Form> form = std::make_shared<Form>("frmIcon");
    std::shared_ptr<Form> other = std::make_shared<Form>("frmOwner");
};

TEST_F(FormIconTest, CaptionShowsTheIconOrBitmapAtItsLeft) {
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    FormRunner::Show(form);
    EXPECT_EQ(captionPixel(6), caption) << "no icon, no square";
    FormRunner::Unload(form);

    // A 32 x 32 icon is scaled into the square; a 2 x 1 bitmap is stretched,
    // keeping its left half left.
    form->setIcon(solidIcon(kGreen));
    FormRunner::Show(form);
    EXPECT_EQ(captionPixel(6), kGreen);
    EXPECT_EQ(captionPixel(14), kGreen);
    EXPECT_EQ(captionPixel(40), caption);
    FormRunner::Unload(form);

    form->setIcon(
        ole::Picture::fromBitmap(twoColourBitmap(2, 1, RGB(255, 0, 0), RGB(0, 0, 255)), true));
    {
        test::GdiLeakGuard guard;  // the caption's work DC is freed
        FormRunner::Show(form);
        EXPECT_EQ(captionPixel(5), RGB(255, 0, 0));
        EXPECT_EQ(captionPixel(15), RGB(0, 0, 255));
        FormRunner::Unload(form);
    }
}

TEST_F(FormIconTest, IconIsKeptInFormFilesAndOtherKindsAreRefused) {
    form->setIcon(solidIcon(kGreen));
    const std::string text = saveForm(*form);
    auto loaded = loadForm(text, "icon.form", ControlFactory());
    ASSERT_TRUE(loaded->Icon());
    EXPECT_EQ(loaded->Icon()->Type(), PICTYPE_ICON);
    EXPECT_EQ(loaded->Icon()->widthPixels(), 32);
    EXPECT_EQ(saveForm(*loaded), text);
    EXPECT_EQ(saveForm(*other).find("\"Icon\""), std::string::npos) << "no icon, nothing stored";

    // Late-bound: Nothing clears it, a metafile or a number is refused.
    loaded->let("Icon", Variant::nothing());
    EXPECT_FALSE(loaded->Icon());
    try {
        loaded->let("Icon", pictureVariant(ole::Picture::metafile(100, 100)));
        ADD_FAILURE() << "a metafile icon was taken";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::InvalidPropertyValue);
    }
    try {
        loaded->let("Icon", Variant(5));
        ADD_FAILURE() << "a number was taken as icon";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::TypeMismatch);
    }
    EXPECT_FALSE(loaded->Icon());
}

TEST_F(FormIconTest, FrameIsOwnedAndCentredOnItsOwnerOrTheScreen) {
    // Twice the centre of a rectangle, to compare without rounding.
    auto centre2 = [](const RECT& r) { return POINT{r.left + r.right, r.top + r.bottom}; };
    auto expectCentredOn = [&](HWND frame, const RECT& area) {
        RECT r;
        GetWindowRect(frame, &r);
        EXPECT_LE(std::abs(centre2(r).x - centre2(area).x), 1);
        EXPECT_LE(std::abs(centre2(r).y - centre2(area).y), 1);
    };
    form->setBounds({0, 0, 3000, 1500});
    other->setBounds({0, 0, 4500, 3000});
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};

    // Without an owner form: on the screen, owned by a hidden window, so no
    // task-bar entry either way.
    FormRunner::Show(other);
    HWND ownerFrame = FormRunner::frameOf(*other);
    expectCentredOn(ownerFrame, screen);
    HWND hidden = GetWindow(ownerFrame, GW_OWNER);
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));

    SetWindowPos(ownerFrame, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    FormRunner::Show(form, 0, other.get());
    HWND frame = FormRunner::frameOf(*form);
    EXPECT_EQ(GetWindow(frame, GW_OWNER), ownerFrame);
    RECT ownerRect;
    GetWindowRect(ownerFrame, &ownerRect);
    expectCentredOn(frame, ownerRect);

    // A fixed dialog frame: caption and close box, no sizing border.
    const LONG style = GetWindowLongA(frame, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & WS_THICKFRAME, 0);

    // A second form without owner shares the hidden owner.
    FormRunner::Unload(form);
    FormRunner::Show(form);
    EXPECT_EQ(GetWindow(FormRunner::frameOf(*form), GW_OWNER), hidden);
    expectCentredOn(FormRunner::frameOf(*form), screen);
}

}  // namespace
}  // namespace qv::host
