// SPDX-License-Identifier: MIT
// Painting: update areas and the order of WM_ERASEBKGND and WM_PAINT, window
// DCs clipped to their window, and screenshots of windows and the screen.
#include "platform/user/message_loop.h"
#include "platform/user/screen.h"

#include "window_test_fixture.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

class PaintTest : public WindowTest {};

// Reads pixels of a bitmap made by the screenshot functions, then frees it.
class Shot {
  public:
    explicit Shot(HBITMAP bmp) : m_bmp(bmp), m_dc(CreateCompatibleDC(nullptr)) {
        m_old = SelectObject(m_dc, m_bmp);
    }
    ~Shot() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bmp);
    }
    Shot(const Shot&) = delete;
    Shot& operator=(const Shot&) = delete;
    bool valid() const { return m_bmp != nullptr; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }

  private:
    HBITMAP m_bmp;
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// Paints its client area in the colour kept in its user data.
LRESULT CALLBACK solidProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        recordingProc(hwnd, msg, wParam, lParam);  // logs; its BeginPaint validates nothing yet
        return 0;
    }
    if (msg == WM_ERASEBKGND) {
        recordingProc(hwnd, msg, wParam, lParam);
        HBRUSH brush =
            CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        RECT far{-1000, -1000, 1000, 1000};  // the DC keeps it inside the window
        FillRect(reinterpret_cast<HDC>(wParam), &far, brush);
        DeleteObject(brush);
        return 1;
    }
    return recordingProc(hwnd, msg, wParam, lParam);
}

HWND solid(HWND w, COLORREF color) {
    SetWindowLongPtrA(w, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(solidProc));
    InvalidateRect(w, nullptr, TRUE);
    return w;
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST_F(PaintTest, ShowingPaintsParentsBeforeChildrenWithTheClassBackground) {
    HWND top = make("top", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
    make("child", WS_CHILD | WS_VISIBLE, 10, 10, 10, 10, top);
    user::pumpMessages();
    EXPECT_EQ(
        log().lines({WM_ERASEBKGND, WM_PAINT}),
        (Lines{"top:WM_PAINT", "top:WM_ERASEBKGND", "child:WM_PAINT", "child:WM_ERASEBKGND"}));
    Shot shot(user::captureWindow(top));
    ASSERT_TRUE(shot.valid());
    EXPECT_EQ(shot.at(0, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(shot.at(39, 29), GetSysColor(COLOR_WINDOW));
    log().clear();
    user::pumpMessages();
    EXPECT_TRUE(log().lines({WM_PAINT}).empty()) << "painted windows are valid";
}

TEST_F(PaintTest, AChildDrawsOnlyInsideItselfAndItsParent) {
    HWND top = solid(make("top", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30), kRed);
    // The child sticks out of its parent on the right.
    HWND child = solid(make("child", WS_CHILD | WS_VISIBLE, 30, 10, 20, 10, top), kGreen);
    Shot shot(user::captureWindow(top));
    ASSERT_TRUE(shot.valid());
    struct Probe {
        int x;
        int y;
        COLORREF expected;
    };
    const Probe probes[] = {{29, 10, kRed}, {30, 10, kGreen}, {39, 19, kGreen},
                            {39, 20, kRed}, {30, 9, kRed},    {0, 0, kRed}};
    for (const Probe& p : probes) {
        EXPECT_EQ(shot.at(p.x, p.y), p.expected) << p.x << "," << p.y;
    }
    Shot childShot(user::captureWindow(child));
    EXPECT_EQ(childShot.at(0, 0), kGreen);
    EXPECT_EQ(childShot.at(9, 9), kGreen);
}

TEST_F(PaintTest, InvalidatingTheParentRepaintsTheChildrenItCovers) {
    HWND top = solid(make("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100), kRed);
    solid(make("left", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top), kGreen);
    solid(make("right", WS_CHILD | WS_VISIBLE, 80, 80, 10, 10, top), kBlue);
    user::pumpMessages();
    log().clear();
    RECT corner{0, 0, 20, 20};
    InvalidateRect(top, &corner, TRUE);
    UpdateWindow(top);
    EXPECT_EQ(log().lines({WM_PAINT}), (Lines{"top:WM_PAINT", "left:WM_PAINT"}));
    log().clear();
    ShowWindow(GetWindow(top, GW_CHILD), SW_HIDE);  // the topmost child: "right"
    UpdateWindow(top);
    EXPECT_EQ(log().lines({WM_PAINT}), (Lines{"top:WM_PAINT"}));
    Shot shot(user::captureWindow(top));
    EXPECT_EQ(shot.at(85, 85), kRed) << "the hidden child's area is the parent's again";
    EXPECT_EQ(shot.at(5, 5), kGreen);
}

TEST_F(PaintTest, TheScreenComposesTopLevelWindowsInZOrderTopmostLast) {
    solid(make("pinned", WS_POPUP | WS_VISIBLE, 40, 40, 20, 20, nullptr, WS_EX_TOPMOST), kBlue);
    HWND low = solid(make("low", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50), kRed);
    solid(make("high", WS_POPUP | WS_VISIBLE, 30, 30, 50, 50), kGreen);
    solid(make("hidden", WS_POPUP, 0, 0, 5, 5), kBlue);
    {
        Shot screen(user::captureScreen());
        ASSERT_TRUE(screen.valid());
        EXPECT_EQ(screen.at(10, 10), kRed);
        EXPECT_EQ(screen.at(35, 35), kGreen);
        EXPECT_EQ(screen.at(45, 45), kBlue);
        EXPECT_EQ(screen.at(2, 2), kRed) << "hidden windows are not shown";
        EXPECT_EQ(screen.at(200, 200), GetSysColor(COLOR_BACKGROUND));
    }
    SetWindowPos(low, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Shot screen(user::captureScreen());
    EXPECT_EQ(screen.at(35, 35), kRed);
    EXPECT_EQ(screen.at(45, 45), kBlue);
}

TEST_F(PaintTest, BeginPaintClipsToTheUpdateAreaAndSaysWhetherToErase) {
    HWND top = solid(make("top", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20), kRed);
    user::pumpMessages();
    RECT part{0, 0, 5, 5};
    InvalidateRect(top, &part, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(top, &ps);
    ASSERT_NE(dc, nullptr);
    EXPECT_FALSE(ps.fErase);
    EXPECT_TRUE(EqualRect(&ps.rcPaint, &part));
    EXPECT_EQ(WindowFromDC(dc), top);
    HBRUSH brush = CreateSolidBrush(kGreen);
    RECT all{0, 0, 20, 20};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    EndPaint(top, &ps);
    Shot shot(user::captureWindow(top));
    EXPECT_EQ(shot.at(4, 4), kGreen);
    EXPECT_EQ(shot.at(5, 5), kRed);
    EXPECT_EQ(user::captureWindow(reinterpret_cast<HWND>(0x99)), nullptr);
}

TEST_F(PaintTest, TheUpdateAreaGrowsWithInvalidationAndEmptiesWhenValidatedOrPainted) {
    HWND top = solid(make("top", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20), kRed);
    user::pumpMessages();
    RECT area{};
    EXPECT_FALSE(GetUpdateRect(top, &area, FALSE));
    const RECT a{1, 1, 4, 4};
    const RECT b{10, 2, 12, 8};
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, FALSE);
    EXPECT_TRUE(GetUpdateRect(top, &area, FALSE));
    const RECT both{1, 1, 12, 8};
    EXPECT_TRUE(EqualRect(&area, &both));
    ValidateRect(top, nullptr);
    EXPECT_FALSE(GetUpdateRect(top, &area, FALSE));
    // RedrawWindow with RDW_UPDATENOW paints before it returns.
    log().clear();
    EXPECT_TRUE(RedrawWindow(top, &a, nullptr, RDW_INVALIDATE | RDW_UPDATENOW));
    EXPECT_EQ(log().lines({WM_PAINT}).size(), 1U);
    EXPECT_FALSE(GetUpdateRect(top, &area, FALSE));
    const HWND gone = reinterpret_cast<HWND>(0x99);
    EXPECT_FALSE(GetUpdateRect(gone, &area, FALSE));
    EXPECT_FALSE(ValidateRect(gone, nullptr));
    EXPECT_FALSE(RedrawWindow(gone, nullptr, nullptr, RDW_INVALIDATE));
}

TEST_F(PaintTest, WindowsTooLargeForASurfaceFailToPaintWithoutHarm) {
    HWND huge = make("huge", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    MoveWindow(huge, -5, -5, 40000, 40000, TRUE);
    EXPECT_TRUE(UpdateWindow(huge));
    EXPECT_EQ(GetDC(huge), nullptr);
    EXPECT_EQ(user::captureWindow(huge), nullptr);
    MoveWindow(huge, 0, 0, 0, 0, TRUE);
    Shot empty(user::captureWindow(huge));
    EXPECT_FALSE(empty.valid()) << "an empty window has no pixels to show";
}

}  // namespace
}  // namespace qv::test
