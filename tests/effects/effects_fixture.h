// SPDX-License-Identifier: MIT
// Helpers for the PaintEffects tests: pixel grids written as character rows,
// colour and monochrome surfaces, bitmaps and icons to use as pictures, a
// snapshot of a DC's selected objects and colours, and a fake picture.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "effects/picture_source.h"
#include "platform/win32.h"
#include "support/canvas.h"

namespace qv::effects::test {

// A rectangle of COLORREF pixels, row by row.
struct Grid {
    int w = 0;
    int h = 0;
    std::vector<COLORREF> px;

    Grid() = default;
    Grid(int width, int height, COLORREF fill) : w(width), h(height), px(width * height, fill) {}
    COLORREF& at(int x, int y) { return px[y * w + x]; }
    COLORREF at(int x, int y) const { return px[y * w + x]; }
    bool operator==(const Grid&) const = default;
};

using Legend = std::map<char, COLORREF>;

// Builds a grid from equal-length rows; each character is looked up in legend.
Grid gridFromRows(const std::vector<std::string>& rows, const Legend& legend);
// A grid whose pixels all differ, so a misplaced copy shows.
Grid sentinelGrid(int w, int h);
// Pastes src into dst at (x, y), clipped.
void paste(Grid& dst, const Grid& src, int x, int y);

using Canvas = ::qv::test::Canvas;

// A colour canvas holding the grid's pixels.
Canvas canvasOf(const Grid& pixels);
// A monochrome canvas from rows of '0'/'1'; '1' sets a bit.
Canvas monoOf(const std::vector<std::string>& bits);
// Every pixel of the canvas.
Grid readGrid(const Canvas& canvas);

// A colour bitmap not selected anywhere, as a bitmap picture holds it.
class OwnedBitmap {
  public:
    explicit OwnedBitmap(const Grid& pixels);
    ~OwnedBitmap();
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    HBITMAP handle() const { return m_hbm; }

  private:
    HBITMAP m_hbm;
};

// An icon from a colour grid and mask rows ('1' = transparent), both the
// system's standard icon size.
class OwnedIcon {
  public:
    OwnedIcon(const Grid& color, const std::vector<std::string>& maskRows);
    ~OwnedIcon();
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    HICON handle() const { return m_hIcon; }

  private:
    HICON m_hIcon;
};

class FakePicture : public PictureSource {
  public:
    FakePicture(short type, HANDLE handle) : m_type(type), m_handle(handle) {}
    short type() const override { return m_type; }
    HANDLE handle() const override { return m_handle; }
    LONG width() const override { return 847; }
    LONG height() const override { return 847; }

  private:
    short m_type;
    HANDLE m_handle;
};

// What a DC has selected and set; a drawing call must leave it all as it was.
struct DcState {
    HGDIOBJ bitmap;
    HGDIOBJ brush;
    HGDIOBJ pen;
    HGDIOBJ palette;
    COLORREF bk;
    COLORREF text;
    int mapMode;
    bool operator==(const DcState&) const = default;
};
DcState dcState(HDC hdc);

// Expects a grid equal to expected; on a mismatch names the first differing
// pixel and writes the actual grid as a PNG named after the running test.
::testing::AssertionResult gridsEqual(const Grid& actual, const Grid& expected);

// Runs call and expects that it leaves no GDI object behind and that every DC
// in dcs keeps its selected objects, colours and mapping mode.
void runChecked(const std::function<void()>& call, std::initializer_list<HDC> dcs);

}  // namespace qv::effects::test
