// SPDX-License-Identifier: MIT
#include "pixel_check.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/gdi/png_file.h"

namespace qv::test {

PixelGrid gridOf(int width, int height, const std::function<COLORREF(int, int)>& pixel) {
    PixelGrid grid(static_cast<std::size_t>(height),
                   std::vector<COLORREF>(static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = pixel(x, y);
    return grid;
}

::testing::AssertionResult imageMatches(const Canvas& canvas,
                                        const std::function<COLORREF(int, int)>& pixel,
                                        const std::string& name) {
    return pixelsMatch(canvas.dc(), gridOf(canvas.width(), canvas.height(), pixel), name);
}

namespace {

std::string hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(c));
    return text;
}

std::string safeName(const std::string& name) {
    std::string out;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        out += ok ? c : '_';
    }
    return out.empty() ? std::string("pixels") : out;
}

}  // namespace

PixelGrid readPixels(HDC dc, int width, int height) {
    PixelGrid grid(static_cast<std::size_t>(height),
                   std::vector<COLORREF>(static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) grid[y][x] = GetPixel(dc, x, y);
    }
    return grid;
}

std::string dumpPixels(const PixelGrid& grid, const std::string& name) {
    namespace fs = std::filesystem;
    const char* env = std::getenv("QV_TEST_ARTIFACTS");
    std::error_code error;
    const fs::path folder =
        env != nullptr ? fs::path(env) : fs::temp_directory_path(error) / "qv-test-artifacts";
    fs::create_directories(folder, error);
    if (grid.empty() || grid[0].empty()) return {};
    const int height = static_cast<int>(grid.size());
    const int width = static_cast<int>(grid[0].size());
    std::vector<COLORREF> flat;
    flat.reserve(static_cast<std::size_t>(width) * height);
    for (const auto& row : grid) {
        for (int x = 0; x < width; ++x) {
            flat.push_back(x < static_cast<int>(row.size()) ? row[x] & 0x00FFFFFFu : 0u);
        }
    }
    const fs::path path = folder / (safeName(name) + ".png");
    return gdi::writePngPixels(width, height, flat, path.string()) ? path.string() : std::string();
}

::testing::AssertionResult gridsMatch(const PixelGrid& actual, const PixelGrid& expected,
                                      const std::string& name) {
    for (std::size_t y = 0; y < expected.size(); ++y) {
        for (std::size_t x = 0; x < expected[y].size(); ++x) {
            const bool inside = y < actual.size() && x < actual[y].size();
            if (inside && actual[y][x] == expected[y][x]) continue;
            std::ostringstream message;
            message << name << ": first differing pixel (" << x << ", " << y << "): expected "
                    << hex(expected[y][x]) << ", actual "
                    << (inside ? hex(actual[y][x]) : std::string("(none)"));
            const std::string path = dumpPixels(actual, name);
            if (!path.empty()) message << "; actual image written to " << path;
            return ::testing::AssertionFailure() << message.str();
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult pixelsMatch(HDC dc, const PixelGrid& expected, const std::string& name) {
    const int height = static_cast<int>(expected.size());
    const int width = height > 0 ? static_cast<int>(expected[0].size()) : 0;
    return gridsMatch(readPixels(dc, width, height), expected, name);
}

}  // namespace qv::test
