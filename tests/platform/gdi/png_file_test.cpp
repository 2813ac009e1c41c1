// SPDX-License-Identifier: MIT
// PNG writing of bitmaps of every kind and decoding, including corrupted and
// truncated input.
#include "platform/gdi/png_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "support/gdi_leak_guard.h"
#include "support/temp_folder.h"

namespace qv::gdi {
namespace {

// A file of the test program's own temporary folder.
std::string tempPath(const std::string& name) {
    static const qv::test::TempFolder folder("qv-png");
    return (folder.path() / name).string();
}

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DecodedImage decodeFile(const std::string& path) {
    DecodedImage image;
    std::string error;
    EXPECT_TRUE(decodePng(readAll(path), image, error)) << error;
    return image;
}

// 0xAARRGGBB of a decoded RGB pixel for a COLORREF.
std::uint32_t opaque(COLORREF c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

TEST(PngFile, WritesColourMonoAndDibBitmapsWithTheirVisibleColours) {
    qv::test::GdiLeakGuard leaks;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);

    HBITMAP color = CreateCompatibleBitmap(screen, 3, 2);
    HGDIOBJ old = SelectObject(dc, color);
    const COLORREF grid[2][3] = {{0x000000FF, 0x0000FF00, 0x00FF0000},
                                 {0x00123456, 0x00FFFFFF, 0x00000000}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) SetPixel(dc, x, y, grid[y][x]);
    // Written through the DC while selected, and through the handle.
    const std::string viaDc = tempPath("dc.png");
    ASSERT_TRUE(writePngFile(dc, viaDc));
    SelectObject(dc, old);
    const std::string viaHandle = tempPath("handle.png");
    ASSERT_TRUE(writePngFile(color, viaHandle));
    for (const std::string& path : {viaDc, viaHandle}) {
        DecodedImage image = decodeFile(path);
        ASSERT_EQ(image.width, 3);
        ASSERT_EQ(image.height, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(image.pixels[static_cast<std::size_t>(y * 3 + x)], opaque(grid[y][x]))
                    << path << " at " << x << "," << y;
    }

    const BYTE monoBits[] = {0xA0, 0x00};  // 1 0 1 in a WORD-aligned row
    HBITMAP mono = CreateBitmap(3, 1, 1, 1, monoBits);
    const std::string monoPath = tempPath("mono.png");
    ASSERT_TRUE(writePngFile(mono, monoPath));
    DecodedImage monoImage = decodeFile(monoPath);
    ASSERT_EQ(monoImage.pixels.size(), 3u);
    EXPECT_EQ(monoImage.pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(monoImage.pixels[1], 0xFF000000u);
    EXPECT_EQ(monoImage.pixels[2], 0xFFFFFFFFu);

    // A 1-bpp DIB section shows its colour table, not black and white.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), 2, -1, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    info.colors[0] = {0x00, 0x00, 0xFF, 0};  // red
    info.colors[1] = {0xFF, 0x00, 0x00, 0};  // blue
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    static_cast<BYTE*>(bits)[0] = 0x40;  // pixel 0 -> index 0, pixel 1 -> index 1
    const std::string dibPath = tempPath("dib.png");
    ASSERT_TRUE(writePngFile(dib, dibPath));
    DecodedImage dibImage = decodeFile(dibPath);
    ASSERT_EQ(dibImage.pixels.size(), 2u);
    EXPECT_EQ(dibImage.pixels[0], opaque(0x000000FF));
    EXPECT_EQ(dibImage.pixels[1], opaque(0x00FF0000));

    DeleteObject(dib);
    DeleteObject(mono);
    DeleteObject(color);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    for (const auto& p : {viaDc, viaHandle, monoPath, dibPath}) std::filesystem::remove(p);
}

TEST(PngFile, RefusesWhatCannotBeWritten) {
    EXPECT_FALSE(writePngFile(static_cast<HBITMAP>(nullptr), tempPath("none.png")));
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_FALSE(writePngFile(reinterpret_cast<HBITMAP>(brush), tempPath("brush.png")));
    DeleteObject(brush);
    const COLORREF one[1] = {0};
    EXPECT_FALSE(writePngPixels(1, 1, one, "/nonexistent-dir/x.png"));
    EXPECT_FALSE(std::filesystem::exists("/nonexistent-dir/x.png"));
    EXPECT_FALSE(writePngPixels(2, 1, one, tempPath("short.png")));
}

TEST(PngFile, EncodeDecodeRoundTripKeepsAlphaWhenAsked) {
    DecodedImage image{2, 2, {0x80112233u, 0xFF445566u, 0x00778899u, 0xFFAABBCCu}};
    DecodedImage back;
    std::string error;
    ASSERT_TRUE(decodePng(encodePng(image, true), back, error)) << error;
    EXPECT_EQ(back.pixels, image.pixels);
    ASSERT_TRUE(decodePng(encodePng(image, false), back, error)) << error;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        EXPECT_EQ(back.pixels[i], image.pixels[i] | 0xFF000000u);
    }
    EXPECT_TRUE(encodePng(DecodedImage{}, true).empty());
}

// Every truncation and a few thousand random corruptions either decode or
// fail with a reason; under the sanitizers any stray read would abort.
TEST(PngFile, DecoderSurvivesTruncatedAndCorruptedFiles) {
    DecodedImage image{5, 4, std::vector<std::uint32_t>(20, 0xFF336699u)};
    image.pixels[7] = 0x10FFFFFFu;
    const std::vector<std::uint8_t> good = encodePng(image, true);
    ASSERT_FALSE(good.empty());
    DecodedImage out;
    std::string error;
    for (std::size_t n = 0; n < good.size(); ++n) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        error.clear();
        if (!decodePng(cut, out, error)) {
            EXPECT_FALSE(error.empty()) << "length " << n;
        }
    }
    const unsigned seed = 20261207;
    std::mt19937 rng(seed);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bad = good;
        for (int k = 0; k < 3; ++k) bad[rng() % bad.size()] = static_cast<std::uint8_t>(rng());
        error.clear();
        if (!decodePng(bad, out, error)) {
            EXPECT_FALSE(error.empty()) << "seed " << seed;
        }
    }
}

}  // namespace
}  // namespace qv::gdi
