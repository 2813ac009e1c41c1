// SPDX-License-Identifier: MIT
// Palettes: the halftone entries, palette-relative colours resolved through
// the selected palette, and the selection rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/gdi/handles.h"
#include "platform/win32_gdi.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/vector_folder.h"

namespace {

using qv::gdi::OwnedPalette;
using qv::test::Canvas;
using qv::test::GdiLeakGuard;

TEST(Palettes, HalftoneEntriesMatchTheRecordedTable) {
    const std::filesystem::path file = qv::test::platformVectorFolder() / "halftone.json";
    ASSERT_TRUE(std::filesystem::exists(file)) << "no recorded table at " << file;
    std::ifstream in(file);
    const nlohmann::json recorded = nlohmann::json::parse(in);
    const auto& expected = recorded.at("entries_as_colorref");
    GdiLeakGuard leaks;
    OwnedPalette palette(CreateHalftonePalette(nullptr));
    ASSERT_EQ(GetPaletteEntries(palette.get(), 0, 0, nullptr), expected.size());
    std::vector<PALETTEENTRY> entries(expected.size());
    ASSERT_EQ(
        GetPaletteEntries(palette.get(), 0, static_cast<UINT>(entries.size()), entries.data()),
        expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const COLORREF want = std::stoul(expected[i].get<std::string>(), nullptr, 16);
        EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue), want)
            << "entry " << i;
        EXPECT_EQ(entries[i].peFlags, 0) << "entry " << i;
    }
    EXPECT_EQ(GetPaletteEntries(palette.get(), 300, 4, entries.data()), 0u);
    EXPECT_EQ(GetPaletteEntries(palette.get(), 254, 10, entries.data()), 2u);
}

// PALETTEINDEX goes through the DC's palette on every kind of surface; the
// surface then maps the colour as it maps any other.
TEST(Palettes, PaletteIndexFollowsTheSelectedPalette) {
    GdiLeakGuard leaks;
    PALETTEENTRY two[2] = {{10, 20, 30, 0}, {250, 250, 250, 0}};
    struct {
        WORD version, count;
        PALETTEENTRY entries[2];
    } logPalette{0x300, 2, {two[0], two[1]}};
    OwnedPalette own(CreatePalette(reinterpret_cast<LOGPALETTE*>(&logPalette)));
    ASSERT_NE(own.get(), nullptr);
    Canvas color = Canvas::color(1, 1);
    Canvas mono = Canvas::mono(1, 1);
    HPALETTE previous = SelectPalette(color.dc(), own.get(), FALSE);
    EXPECT_EQ(previous, GetStockObject(DEFAULT_PALETTE));
    SelectPalette(mono.dc(), own.get(), FALSE);  // one palette, many DCs
    EXPECT_FALSE(DeleteObject(own.get()));       // selected: refused
    EXPECT_EQ(SetPixel(color.dc(), 0, 0, PALETTEINDEX(0)), RGB(10, 20, 30));
    EXPECT_EQ(SetPixel(color.dc(), 0, 0, PALETTEINDEX(2)), 0u);  // out of range: black
    EXPECT_EQ(SetPixel(mono.dc(), 0, 0, PALETTEINDEX(1)), 0xFFFFFFu);
    EXPECT_EQ(GetNearestColor(mono.dc(), RGB(200, 200, 200)), 0xFFFFFFu);
    EXPECT_EQ(GetNearestColor(color.dc(), PALETTERGB(1, 2, 3)), RGB(1, 2, 3));
    SelectPalette(color.dc(), previous, FALSE);
    SelectPalette(mono.dc(), previous, FALSE);
    EXPECT_EQ(RealizePalette(color.dc()), 0u);
}

TEST(Palettes, CreatePaletteChecksItsRecord) {
    GdiLeakGuard leaks;
    struct {
        WORD version, count;
        PALETTEENTRY entries[1];
    } record{0x200, 1, {{1, 2, 3, 0}}};
    EXPECT_EQ(CreatePalette(reinterpret_cast<LOGPALETTE*>(&record)), nullptr);
    record.version = 0x300;
    record.count = 0;
    EXPECT_EQ(CreatePalette(reinterpret_cast<LOGPALETTE*>(&record)), nullptr);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
    EXPECT_EQ(SelectPalette(nullptr, nullptr, FALSE), nullptr);
}

}  // namespace
