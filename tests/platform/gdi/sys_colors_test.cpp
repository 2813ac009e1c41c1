// SPDX-License-Identifier: MIT
// The system colour table, its brushes and the system metrics.
#include "platform/gdi/sys_colors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/gdi_leak_guard.h"
#include "support/vector_folder.h"

namespace qv::gdi {
namespace {

TEST(SysColors, DefaultsAreTheRecordedScheme) {
    std::ifstream in(test::platformVectorFolder() / "sys-colors.json");
    ASSERT_TRUE(in) << "sys-colors.json not found";
    const auto json = nlohmann::json::parse(in);
    ASSERT_EQ(json["colors"].size(), static_cast<std::size_t>(kSysColorCount));
    for (const auto& entry : json["colors"]) {
        const int index = entry["index"];
        const COLORREF value = std::stoul(entry["value"].get<std::string>(), nullptr, 16);
        EXPECT_EQ(defaultSysColors()[static_cast<std::size_t>(index)], value) << index;
        EXPECT_EQ(GetSysColor(index), value) << index;
    }
}

TEST(SysColors, SetSysColorsAppliesValidEntriesAndTheRestorerUndoesThem) {
    {
        SysColorsRestorer restore;
        const INT indices[] = {COLOR_BTNFACE, 99, -1, COLOR_WINDOW};
        const COLORREF colors[] = {0x00010203, 0x00FFFFFF, 0x00FFFFFF, 0xFF040506};
        EXPECT_TRUE(SetSysColors(4, indices, colors));
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0x00010203u);
        EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x00040506u);  // the flag byte is dropped
        EXPECT_FALSE(SetSysColors(1, nullptr, colors));
    }
    EXPECT_EQ(currentSysColors(), defaultSysColors());
    for (int bad : {-1, kSysColorCount, 0x100}) EXPECT_EQ(GetSysColor(bad), 0u) << bad;
}

TEST(SysColors, BrushesAreStockObjectsThatFollowTheColours) {
    qv::test::GdiLeakGuard leaks;
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_EQ(GetSysColorBrush(kSysColorCount), nullptr);
    EXPECT_EQ(liveObjectCounts(), leaks.before());  // not counted as live
    DeleteObject(face);                             // and never deleted
    LOGBRUSH info{};
    ASSERT_EQ(GetObjectA(face, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.lbColor, GetSysColor(COLOR_BTNFACE));
}

// A handle taken before a colour change keeps working and paints the new
// colour (a brush selected into a DC included); the old colour comes back
// with the scheme.
TEST(SysColors, BrushHandlesPaintTheColourInEffect) {
    qv::test::GdiLeakGuard leaks;
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(4, 1, 1, 32, nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldBrush = SelectObject(dc, face);
    const RECT left{0, 0, 1, 1};
    const RECT right{3, 0, 4, 1};
    FillRect(dc, &left, face);
    {
        SysColorsRestorer restore;
        const INT index = COLOR_BTNFACE;
        const COLORREF color = 0x00112233;
        ASSERT_TRUE(SetSysColors(1, &index, &color));
        EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
        LOGBRUSH info{};
        ASSERT_EQ(GetObjectA(face, sizeof(info), &info), static_cast<int>(sizeof(info)));
        EXPECT_EQ(info.lbColor, 0x00112233u);
        FillRect(dc, &right, face);
        PatBlt(dc, 1, 0, 1, 1, PATCOPY);
        EXPECT_EQ(GetPixel(dc, 0, 0), defaultSysColors()[COLOR_BTNFACE]);
        EXPECT_EQ(GetPixel(dc, 1, 0), 0x00112233u);
        EXPECT_EQ(GetPixel(dc, 3, 0), 0x00112233u);
    }
    PatBlt(dc, 2, 0, 1, 1, PATCOPY);
    EXPECT_EQ(GetPixel(dc, 2, 0), defaultSysColors()[COLOR_BTNFACE]);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
}  // namespace qv::gdi

TEST(SysMetrics, FixedValuesAndZeroForUnknownIndexes) {
    struct Row {
        int index;
        int value;
    };
    constexpr Row kRows[] = {{SM_CXSCREEN, 1024},
                             {SM_CYSCREEN, 768},
                             {SM_CXVSCROLL, 17},
                             {SM_CYHSCROLL, 17},
                             {SM_CYCAPTION, 18},
                             {SM_CXBORDER, 1},
                             {SM_CYBORDER, 1},
                             {SM_CXDLGFRAME, 3},
                             {SM_CYDLGFRAME, 3},
                             {SM_CXICON, 32},
                             {SM_CYICON, 32},
                             {SM_CXCURSOR, 32},
                             {SM_CYCURSOR, 32},
                             {SM_CXDOUBLECLK, 4},
                             {SM_CYDOUBLECLK, 4},
                             {SM_CXEDGE, 2},
                             {SM_CYEDGE, 2},
                             {SM_CXSMICON, 16},
                             {SM_CYSMICON, 16},
                             {SM_CXDRAG, 4},
                             {SM_CYDRAG, 4},
                             {-1, 0},
                             {9999, 0}};
    for (const Row& row : kRows) EXPECT_EQ(GetSystemMetrics(row.index), row.value) << row.index;
}
