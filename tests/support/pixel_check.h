// SPDX-License-Identifier: MIT
// Exact pixel comparisons for small bitmaps. On a mismatch the result names
// the first differing pixel and the actual image is written as a PNG file
// (under $QV_TEST_ARTIFACTS, else the system temporary folder).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "canvas.h"
#include "platform/win32_gdi.h"

namespace qv::test {

using PixelGrid = std::vector<std::vector<COLORREF>>;

// The image of a `width` x `height` area given pixel by pixel.
PixelGrid gridOf(int width, int height, const std::function<COLORREF(int, int)>& pixel);

// Compares the whole canvas with the image `pixel` describes.
::testing::AssertionResult imageMatches(const Canvas& canvas,
                                        const std::function<COLORREF(int, int)>& pixel,
                                        const std::string& name);

// GetPixel of every pixel of [0,width) x [0,height), rows top first.
PixelGrid readPixels(HDC dc, int width, int height);

// Compares the DC's pixels with `expected` (its size gives the area). `name`
// names the dump file.
::testing::AssertionResult pixelsMatch(HDC dc, const PixelGrid& expected, const std::string& name);

// Compares two grids; on a mismatch dumps `actual`.
::testing::AssertionResult gridsMatch(const PixelGrid& actual, const PixelGrid& expected,
                                      const std::string& name);

// Writes a grid as a PNG under the artifact folder; returns the path, or an
// empty string when writing failed.
std::string dumpPixels(const PixelGrid& grid, const std::string& name);

}  // namespace qv::test
