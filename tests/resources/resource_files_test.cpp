// SPDX-License-Identifier: MIT
// The committed resource files are exactly what the generator writes from
// their sources, and malformed sources are refused with their place.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "resources/tool/picture_encoder.h"
#include "resources/tool/pixel_grid.h"
#include "resources/tool/resource_manifest.h"
#include "resources/tool/version_block.h"

namespace qv::resources::test {
namespace {

const std::filesystem::path kDir = std::filesystem::path(QV_REPO_ROOT) / "src" / "resources";

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ResourceFiles, CommittedFilesEqualWhatTheGeneratorWrites) {
    const auto files = generateResources(kDir);
    ASSERT_EQ(files.size(), 13u);
    for (const auto& file : files) {
        EXPECT_EQ(readFile(kDir / file.name), file.bytes)
            << file.name << " is stale: run qv_make_resources src/resources";
    }
}

TEST(ResourceFiles, MalformedSourcesAreRefusedWithTheirLine) {
    struct Case {
        const char* text;
        const char* where;
    };
    const Case cases[] = {
        {"# no size\n", "g:1"}, {"2 1\n0\n", "g:2"},  // short row
        {"2 1\n0G\n", "g:2"},                         // not a pixel
        {"2 2\n00\n", "g:2"},                         // missing row
        {"1 1\n0\n0\n", "g:3"},                       // extra row
        {"0 4\n", "g:1"},                             // empty size
    };
    for (const Case& c : cases) {
        try {
            parsePixelGrid(c.text, "g");
            ADD_FAILURE() << c.text;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.where, 0), 0u) << e.what();
        }
    }
    EXPECT_THROW(parseVersionSource("file-version 1.2.3\n", "v"), std::runtime_error);
    EXPECT_THROW(parseVersionSource("colour blue\n", "v"), std::runtime_error);
    EXPECT_THROW(encodeBitmapFile(parsePixelGrid("1 1\n.\n", "g")), std::invalid_argument);
}

TEST(ResourceFiles, PixelsLandInTheirRowsAndNibbles) {
    // Three by two: rows are stored bottom first, two pixels to a byte, each
    // row padded to four bytes; the icon's mask marks the transparent pixel.
    const PixelGrid grid = parsePixelGrid("3 2\n12.\nF0A\n", "g");
    const auto icon = encodeIconFile(std::span(&grid, 1));
    const std::size_t image = 6 + 16, colours = image + 40 + 64;
    EXPECT_EQ(icon[image + 8], 4);  // stored height counts the mask rows
    const std::vector<std::uint8_t> rows(icon.begin() + colours, icon.begin() + colours + 8);
    EXPECT_EQ(rows, (std::vector<std::uint8_t>{0xF0, 0xA0, 0, 0, 0x12, 0x00, 0, 0}));
    const std::vector<std::uint8_t> mask(icon.begin() + colours + 8, icon.end());
    EXPECT_EQ(mask, (std::vector<std::uint8_t>{0, 0, 0, 0, 0x20, 0, 0, 0}));
}

}  // namespace
}  // namespace qv::resources::test
