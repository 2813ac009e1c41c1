// SPDX-License-Identifier: MIT
// DrawStateA. The image is reduced to a monochrome shape mask, which is then
// blitted with the "PSDPxax" raster operation: where the mask is black the
// brush is painted, where it is white the destination stays.
#include "platform/gdi/draw_state.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/handles.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/png_file.h"

namespace qv::gdi {
namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr DWORD kRopBrushWhereBlack = 0x00B8074A;  // PSDPxax

// Screen-compatible memory DC holding `bitmap`; restores and frees itself.
struct MemoryDc {
    explicit MemoryDc(HBITMAP bitmap)
        : owner(OwnedDc::compatibleWith(nullptr)), select(owner.get(), bitmap) {}
    bool ok() const { return owner && select.ok(); }
    HDC dc() const { return owner.get(); }

    OwnedDc owner;
    SelectGuard select;
};

// A monochrome bitmap of `cx` x `cy` whose bits are 0 (black) on the shape and
// 1 elsewhere; the shape is cut or padded to that size.
HBITMAP makeShapeMask(const ImageShape& shape, int cx, int cy) {
    const int stride = ((cx + 15) / 16) * 2;  // WORD-aligned rows
    std::vector<BYTE> bits(static_cast<std::size_t>(stride) * static_cast<std::size_t>(cy), 0xFF);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            if (shape.at(x, y)) {
                bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) +
                     static_cast<std::size_t>(x / 8)] &= static_cast<BYTE>(~(0x80u >> (x % 8)));
            }
        }
    }
    return CreateBitmap(cx, cy, 1, 1, bits.data());
}

// Paints `brush` on the destination where the mask is black.
bool paintThroughMask(HDC dest, int x, int y, int cx, int cy, HDC mask, HBRUSH brush) {
    COLORREF oldText = SetTextColor(dest, 0x00000000);
    COLORREF oldBk = SetBkColor(dest, kWhite);
    HGDIOBJ oldBrush = SelectObject(dest, brush);
    bool ok = oldBrush != nullptr && BitBlt(dest, x, y, cx, cy, mask, 0, 0, kRopBrushWhereBlack);
    if (oldBrush != nullptr) SelectObject(dest, oldBrush);
    SetTextColor(dest, oldText);
    SetBkColor(dest, oldBk);
    return ok;
}

bool paintWithSysColor(HDC dest, int x, int y, int cx, int cy, HDC mask, int index) {
    // The system's own brush of the colour: nothing is made per call.
    HBRUSH brush = GetSysColorBrush(index);
    return brush != nullptr && paintThroughMask(dest, x, y, cx, cy, mask, brush);
}

// Draws the image behind a DST_COMPLEX output procedure on a white bitmap, so
// that it can be treated like a bitmap. Empty when the procedure fails.
OwnedBitmap renderProcedure(DRAWSTATEPROC proc, LPARAM lData, WPARAM wData, int cx, int cy) {
    ScreenDc screen;
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), cx, cy));
    if (!bitmap) return bitmap;
    MemoryDc work(bitmap.get());
    if (!work.ok() || !PatBlt(work.dc(), 0, 0, cx, cy, WHITENESS) ||
        !proc(work.dc(), lData, wData, cx, cy)) {
        return OwnedBitmap();  // `work` lets go of the bitmap before it is deleted
    }
    return bitmap;
}

bool drawNormal(HDC dest, int x, int y, int cx, int cy, HBITMAP bitmap, HICON icon) {
    if (icon != nullptr) return DrawIconEx(dest, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL) != FALSE;
    MemoryDc src(bitmap);
    return src.ok() && BitBlt(dest, x, y, cx, cy, src.dc(), 0, 0, SRCCOPY) != FALSE;
}

// The mono, dithered and disabled looks: the shape is painted through a mask.
bool drawShape(HDC dest, HBRUSH brush, const ImageShape& shape, int x, int y, int cx, int cy,
               UINT flags) {
    // Beyond the image the mask paints nothing, so it need not be larger.
    cx = std::min(cx, shape.width);
    cy = std::min(cy, shape.height);
    if (cx <= 0 || cy <= 0) return true;
    OwnedBitmap mask(makeShapeMask(shape, cx, cy));
    if (!mask) return false;
    MemoryDc maskDc(mask.get());
    if (!maskDc.ok()) return false;
    if (flags & DSS_DISABLED) {
        // Embossed: highlight one pixel down and right, shadow on top.
        // At the end of the coordinate range the highlight has nowhere to go.
        const bool roomForHighlight = x < INT_MAX && y < INT_MAX;
        return (!roomForHighlight ||
                paintWithSysColor(dest, x + 1, y + 1, cx, cy, maskDc.dc(), COLOR_BTNHIGHLIGHT)) &&
               paintWithSysColor(dest, x, y, cx, cy, maskDc.dc(), COLOR_BTNSHADOW);
    }
    if (brush != nullptr) return paintThroughMask(dest, x, y, cx, cy, maskDc.dc(), brush);
    return paintWithSysColor(dest, x, y, cx, cy, maskDc.dc(), COLOR_WINDOWTEXT);
}

}  // namespace

// Weighted brightness of a colour, for ordering colours from dark to light.
int luminance(COLORREF c) {
    return GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11;
}

bool bitmapShape(HBITMAP bitmap, ImageShape& shape) {
    if (const Bitmap* record = HandleTable::instance().lookupAs<Bitmap>(bitmap);
        record != nullptr && record->surface().format() == PixelFormat::Rgb32) {
        // A colour bitmap is read straight from its rows: every pixel but white.
        const Surface& surface = record->surface();
        shape.width = surface.width();
        shape.height = surface.height();
        shape.inside.assign(
            static_cast<std::size_t>(shape.width) * static_cast<std::size_t>(shape.height), false);
        std::size_t i = 0;
        for (int y = 0; y < shape.height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(surface.row(y));
            for (int x = 0; x < shape.width; ++x, ++i) {
                shape.inside[i] = (row[x] & 0x00FFFFFFu) != 0x00FFFFFFu;
            }
        }
        return true;
    }
    std::vector<COLORREF> pixels;
    int width = 0;
    int height = 0;
    if (!readBitmapPixels(bitmap, width, height, pixels)) return false;
    shape.width = width;
    shape.height = height;
    shape.inside.assign(pixels.size(), false);
    const Bitmap* record = HandleTable::instance().lookupAs<Bitmap>(bitmap);
    if (record != nullptr && record->surface().isMono()) {
        // A two-colour image keeps its two levels whatever its colours: the
        // pixels of the darker table entry (the first one on a tie) are the shape.
        const auto table = record->surface().colorTable();
        const COLORREF dark = luminance(table[0]) <= luminance(table[1]) ? table[0] : table[1];
        for (std::size_t i = 0; i < pixels.size(); ++i) shape.inside[i] = pixels[i] == dark;
        return true;
    }
    for (std::size_t i = 0; i < pixels.size(); ++i) shape.inside[i] = pixels[i] != kWhite;
    return true;
}

bool iconShape(HICON icon, ImageShape& shape) {
    const IconObject* object = findIcon(icon);
    if (object == nullptr) return false;
    std::vector<COLORREF> pixels;
    int width = 0;
    int height = 0;
    if (!readBitmapPixels(object->mask(), width, height, pixels)) return false;
    shape.width = object->width();
    shape.height = object->height();
    shape.inside.assign(
        static_cast<std::size_t>(shape.width) * static_cast<std::size_t>(shape.height), false);
    for (int y = 0; y < shape.height && y < height; ++y) {
        for (int x = 0; x < shape.width && x < width; ++x) {
            shape.inside[static_cast<std::size_t>(y * shape.width + x)] =
                pixels[static_cast<std::size_t>(y * width + x)] == 0;
        }
    }
    // Pixels the mask leaves to the colour image belong to the shape too unless
    // they are black, that is unless they leave the background as it was.
    std::vector<COLORREF> colors;
    if (object->color() != nullptr && readBitmapPixels(object->color(), width, height, colors)) {
        for (int y = 0; y < shape.height && y < height; ++y) {
            for (int x = 0; x < shape.width && x < width; ++x) {
                if (colors[static_cast<std::size_t>(y * width + x)] != 0) {
                    shape.inside[static_cast<std::size_t>(y * shape.width + x)] = true;
                }
            }
        }
    }
    return true;
}

void ditherShape(ImageShape& shape) {
    for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < shape.width; ++x) {
            if ((x + y) % 2 != 0) {
                shape.inside[static_cast<std::size_t>(y * shape.width + x)] = false;
            }
        }
    }
}

}  // namespace qv::gdi

BOOL DrawStateA(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData,
                int x, int y, int cx, int cy, UINT uFlags) {
    using namespace qv::gdi;
    if (hdc == nullptr) return FALSE;
    const UINT type = uFlags & 0x000F;
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
    OwnedBitmap rendered;  // the output procedure's drawing
    int imageWidth = 0;
    int imageHeight = 0;
    if (type == DST_BITMAP && qfnCallBack == nullptr) {
        bitmap = reinterpret_cast<HBITMAP>(lData);
        BITMAP bm{};
        if (GetObjectType(bitmap) != OBJ_BITMAP || GetObjectA(bitmap, sizeof(bm), &bm) == 0) {
            return FALSE;
        }
        // The image is drawn by selecting it into a DC of the call's own, which
        // a bitmap held by another DC refuses: the call then draws nothing.
        const Bitmap* record = HandleTable::instance().lookupAs<Bitmap>(bitmap);
        if (record == nullptr || record->ownerDc() != nullptr) return FALSE;
        imageWidth = bm.bmWidth;
        imageHeight = bm.bmHeight;
    } else if (type == DST_ICON && qfnCallBack == nullptr) {
        icon = reinterpret_cast<HICON>(lData);
        if (!iconSize(icon, imageWidth, imageHeight)) return FALSE;
    } else if (qfnCallBack != nullptr && type != DST_TEXT && type != DST_PREFIXTEXT) {
        // A procedure has no size of its own; its drawing surface must be sane.
        if (cx <= 0 || cy <= 0 || std::int64_t{cx} * cy > kMaxDecodedPixels) return FALSE;
        rendered = renderProcedure(qfnCallBack, lData, wData, cx, cy);
        if (!rendered) return FALSE;
        bitmap = rendered.get();
        imageWidth = cx;
        imageHeight = cy;
    } else {
        return FALSE;  // text is not drawn through DrawStateA here
    }
    if (cx == 0) cx = imageWidth;
    if (cy == 0) cy = imageHeight;
    if (cx < 0 || cy < 0) return FALSE;

    if ((uFlags & (DSS_UNION | DSS_DISABLED | DSS_MONO)) == 0) {
        return drawNormal(hdc, x, y, cx, cy, bitmap, icon) ? TRUE : FALSE;
    }
    ImageShape shape;
    if (!(icon != nullptr ? iconShape(icon, shape) : bitmapShape(bitmap, shape))) return FALSE;
    if (uFlags & DSS_UNION) ditherShape(shape);
    return drawShape(hdc, hbrFore, shape, x, y, cx, cy, uFlags) ? TRUE : FALSE;
}
