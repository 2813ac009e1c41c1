// SPDX-License-Identifier: MIT
// OleTranslateColor beyond the recorded cases: palette bounds, validation
// without an output, and the system colours in effect.
#include <gtest/gtest.h>

#include "platform/gdi/sys_colors.h"
#include "platform/win32_ole.h"
#include "support/gdi_leak_guard.h"

namespace {

TEST(OleTranslateColor, PaletteIndexIsCheckedAgainstThePaletteGiven) {
    qv::test::GdiLeakGuard leaks;
    HDC screen = GetDC(nullptr);
    HPALETTE halftone = CreateHalftonePalette(screen);
    ReleaseDC(nullptr, screen);
    const struct {
        OLE_COLOR input;
        HPALETTE palette;
        HRESULT result;
    } cases[] = {
        {PALETTEINDEX(255), halftone, S_OK},   {PALETTEINDEX(256), halftone, E_INVALIDARG},
        {PALETTEINDEX(0xFFFF), nullptr, S_OK}, {0x0000FF, halftone, S_OK},
        {0x80000000, halftone, S_OK},          {0x8000001F, nullptr, E_INVALIDARG},
        {0x04000000, nullptr, E_INVALIDARG},
    };
    for (const auto& c : cases) {
        COLORREF out = 0xCCCCCCCC;
        EXPECT_EQ(OleTranslateColor(c.input, c.palette, &out), c.result) << std::hex << c.input;
        if (c.result != S_OK) {
            EXPECT_EQ(out, 0xCCCCCCCCu) << std::hex << c.input;
        }
        // Without an output the call only validates.
        EXPECT_EQ(OleTranslateColor(c.input, c.palette, nullptr), c.result) << std::hex << c.input;
    }
    DeleteObject(halftone);
}

TEST(OleTranslateColor, SystemColoursFollowTheTableInEffect) {
    qv::gdi::SysColorsRestorer restore;
    const INT index = COLOR_BTNSHADOW;
    const COLORREF color = 0x00445566;
    SetSysColors(1, &index, &color);
    COLORREF out = 0;
    EXPECT_EQ(OleTranslateColor(0x80000010, nullptr, &out), S_OK);
    EXPECT_EQ(out, 0x00445566u);
}

}  // namespace
