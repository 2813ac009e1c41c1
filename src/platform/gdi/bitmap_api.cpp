// SPDX-License-Identifier: MIT
// Bitmap creation and bit access: CreateBitmap, CreateCompatibleBitmap,
// CreateDIBSection, DIB colour tables, Get/SetBitmapBits, GetDIBits/SetDIBits,
// and GetObjectA for every object kind.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/block_pool.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/logical_font.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/pen.h"
#include "platform/gdi/stock_objects.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {
namespace {

HBITMAP insertBitmap(std::shared_ptr<Surface> surface, bool dib) {
    if (!surface) return nullptr;
    return static_cast<HBITMAP>(
        HandleTable::instance().insert(makePooled<Bitmap>(std::move(surface), dib)));
}

// Bytes per row of the DDB layout (Get/SetBitmapBits): WORD-aligned.
std::size_t ddbStride(const Surface& s) {
    return (static_cast<std::size_t>(s.width()) * s.bitsPerPixel() + 15) / 16 * 2;
}

// Bytes per row of a DIB of the given depth: DWORD-aligned.
std::size_t dibStride(int width, int bpp) {
    return (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
}

COLORREF fromQuad(const RGBQUAD& q) {
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}
RGBQUAD toQuad(COLORREF c) {
    return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
}

// The table colours of a BITMAPINFO of 8 bits or fewer (biClrUsed of them,
// all the depth allows when it is 0 or too large), reading palette indices
// through the DC's palette for DIB_PAL_COLORS. A 1-bpp table given with a
// single entry keeps white as its second.
// A colour table read from a header, held inline: a DIB section is often
// made per drawing, and a heap copy of its table would cost more than the rest.
struct HeaderTable {
    std::array<COLORREF, 256> entries;  // only the first `size` are set
    std::size_t size = 0;

    std::span<const COLORREF> view() const { return {entries.data(), size}; }
};

HeaderTable readTable(const BITMAPINFO* info, UINT usage, HDC hdc) {
    const std::size_t full = std::size_t{1} << info->bmiHeader.biBitCount;
    HeaderTable table;
    const auto* quads = info->bmiColors;
    const DWORD used = info->bmiHeader.biClrUsed;
    const int count = static_cast<int>(used == 0 || used > full ? full : used);
    table.size = full == 2 ? 2 : static_cast<std::size_t>(count);
    table.entries[0] = 0;
    table.entries[1] = full == 2 ? 0xFFFFFF : 0;
    for (int i = 0; i < count; ++i) {
        if (usage == DIB_PAL_COLORS) {
            WORD index;
            std::memcpy(&index, reinterpret_cast<const BYTE*>(quads) + i * sizeof(WORD),
                        sizeof(WORD));
            DeviceContext* dc = dcFromHandle(hdc);
            table.entries[static_cast<std::size_t>(i)] =
                dc != nullptr ? dc->resolveColor(PALETTEINDEX(index)) : 0;
        } else {
            table.entries[static_cast<std::size_t>(i)] = fromQuad(quads[i]);
        }
    }
    return table;
}

// The DIB-section format of an indexed depth (1, 4 or 8), whose row
// operations also read and write DIB bits passed by callers.
PixelFormat indexedFormat(int bpp) {
    if (bpp == 4) return PixelFormat::Pal4Dib;
    if (bpp == 8) return PixelFormat::Pal8Dib;
    return PixelFormat::Mono1Dib;
}

// Gives an indexed surface the colours of `table` (and its size).
void copyTable(Surface& s, std::span<const COLORREF> table) {
    if (!s.isIndexed() || table.empty()) return;
    s.setColorTableSize(table.size());
    const std::size_t n = std::min(table.size(), s.colorTable().size());
    for (std::size_t i = 0; i < n; ++i) s.setColorTableEntry(static_cast<int>(i), table[i]);
}

bool validDibHeader(const BITMAPINFOHEADER& h) {
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0) return false;
    if (h.biHeight == INT32_MIN) return false;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && h.biBitCount == 32)) {
        return false;
    }
    return h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8 || h.biBitCount == 24 ||
           h.biBitCount == 32;
}

int copyOut(const void* record, int size, int c, LPVOID pv) {
    if (pv == nullptr) return size;
    if (c < size) return 0;
    std::memcpy(pv, record, static_cast<std::size_t>(size));
    return size;
}

Bitmap* bitmapOf(HBITMAP handle) {
    return HandleTable::instance().lookupAs<Bitmap>(handle);
}

// Bitmap pixel as a COLORREF and back, for the DIB conversions.
COLORREF pixelColor(const Surface& s, int x, int y) {
    return s.colorOf(s.raw(x, y));
}

}  // namespace

// GetObjectA for each object kind; exposed for the icon module.
int getObjectRecord(HANDLE h, int c, LPVOID pv) {
    GdiObject* object = HandleTable::instance().lookup(h);
    if (object == nullptr || c < 0) return 0;
    switch (object->kind()) {
        case ObjectKind::Bitmap: {
            auto* bitmap = static_cast<Bitmap*>(object);
            Surface& s = bitmap->surface();
            DIBSECTION ds{};
            ds.dsBm.bmWidth = s.width();
            ds.dsBm.bmHeight = s.height();
            ds.dsBm.bmPlanes = 1;
            ds.dsBm.bmBitsPixel = static_cast<WORD>(s.bitsPerPixel());
            if (bitmap->isDibSection()) {
                ds.dsBm.bmWidthBytes = static_cast<LONG>(s.stride());
                ds.dsBm.bmBits = s.bits();
                ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
                ds.dsBmih.biWidth = s.width();
                ds.dsBmih.biHeight = s.bottomUp() ? s.height() : -s.height();
                ds.dsBmih.biPlanes = 1;
                ds.dsBmih.biBitCount = static_cast<WORD>(s.bitsPerPixel());
                ds.dsBmih.biCompression = BI_RGB;
                ds.dsBmih.biSizeImage = static_cast<DWORD>(s.byteSize());
                ds.dsBmih.biClrUsed = static_cast<DWORD>(s.colorTable().size());
                if (pv == nullptr || c >= static_cast<int>(sizeof(DIBSECTION))) {
                    return copyOut(&ds, sizeof(DIBSECTION), c, pv);
                }
            } else {
                ds.dsBm.bmWidthBytes = static_cast<LONG>(ddbStride(s));
            }
            return copyOut(&ds.dsBm, sizeof(BITMAP), c, pv);
        }
        case ObjectKind::Brush: {
            auto* brush = static_cast<Brush*>(object);
            LOGBRUSH lb{brush->style(), brush->color(),
                        reinterpret_cast<ULONG_PTR>(brush->sourceBitmap())};
            return copyOut(&lb, sizeof(lb), c, pv);
        }
        case ObjectKind::Pen: {
            auto* pen = static_cast<Pen*>(object);
            LOGPEN lp{pen->style(), POINT{pen->width(), 0}, pen->color()};
            return copyOut(&lp, sizeof(lp), c, pv);
        }
        case ObjectKind::Palette: {
            const WORD count = static_cast<WORD>(static_cast<Palette*>(object)->entries().size());
            return copyOut(&count, sizeof(count), c, pv);
        }
        case ObjectKind::Font: {
            const LOGFONTA& lf = static_cast<LogicalFont*>(object)->logFont();
            if (pv == nullptr) return sizeof(LOGFONTA);
            // A short buffer receives the leading part, as callers reading
            // only the metrics expect.
            const int n = std::min<int>(c, sizeof(LOGFONTA));
            std::memcpy(pv, &lf, static_cast<std::size_t>(n));
            return n;
        }
        default:
            return 0;
    }
}

HFONT createLogicalFont(const LOGFONTA& logFont) {
    LOGFONTA copy = logFont;
    copy.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(HandleTable::instance().insert(std::make_shared<LogicalFont>(copy)));
}

}  // namespace qv::gdi

using namespace qv::gdi;

int GetObjectA(HANDLE h, int c, LPVOID pv) {
    return getObjectRecord(h, c, pv);
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
    if (nWidth < 0 || nHeight < 0 || nPlanes != 1 || nBitCount > 32) return nullptr;
    if (nWidth == 0 || nHeight == 0) return defaultBitmap();
    const PixelFormat format = nBitCount == 1 ? PixelFormat::Mono1Ddb : PixelFormat::Rgb32;
    if (nBitCount != 1 && nBitCount != 32) {
        // Other depths are stored as 32 bpp; initial bits would need a
        // conversion nobody here asks for, so only NULL bits are accepted.
        if (lpBits != nullptr) return nullptr;
    }
    HBITMAP handle = insertBitmap(Surface::create(format, nWidth, nHeight), false);
    if (handle != nullptr && lpBits != nullptr) {
        Surface& s = bitmapOf(handle)->surface();
        SetBitmapBits(handle, static_cast<DWORD>(ddbStride(s) * s.height()), lpBits);
    }
    return handle;
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm) {
    if (pbm == nullptr) return nullptr;
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

// A negative size is refused here, where the platform makes a bitmap: drawing
// code must not rely on either.
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    DeviceContext* dc = dcFromHandle(hdc);
    if (dc == nullptr || cx < 0 || cy < 0) return nullptr;
    if (cx == 0 || cy == 0) return defaultBitmap();
    const Surface* current = dc->dcKind() == DcKind::Memory ? dc->surface() : nullptr;
    if (current == nullptr || current->format() == PixelFormat::Rgb32) {
        return insertBitmap(Surface::create(PixelFormat::Rgb32, cx, cy), false);
    }
    if (current->format() == PixelFormat::Mono1Ddb) {
        return insertBitmap(Surface::create(PixelFormat::Mono1Ddb, cx, cy), false);
    }
    // A DIB section in the DC: a DIB section of the same format and colours.
    auto surface = Surface::create(current->format(), cx, cy, current->bottomUp());
    if (surface) copyTable(*surface, current->colorTable());
    return insertBitmap(std::move(surface), true);
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits,
                         HANDLE hSection, DWORD offset) {
    (void)offset;
    if (ppvBits != nullptr) *ppvBits = nullptr;
    if (pbmi == nullptr || hSection != nullptr || !validDibHeader(pbmi->bmiHeader)) return nullptr;
    if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return nullptr;
    const BITMAPINFOHEADER& h = pbmi->bmiHeader;
    const bool bottomUp = h.biHeight > 0;
    const int height = bottomUp ? h.biHeight : -h.biHeight;
    PixelFormat format = PixelFormat::Rgb32;
    if (h.biBitCount <= 8) format = indexedFormat(h.biBitCount);
    if (h.biBitCount == 24) format = PixelFormat::Rgb24Dib;
    auto surface = Surface::create(format, h.biWidth, height, bottomUp);
    if (!surface) return nullptr;
    if (surface->isIndexed()) copyTable(*surface, readTable(pbmi, usage, hdc).view());
    Surface* raw = surface.get();
    HBITMAP handle = insertBitmap(std::move(surface), true);
    if (handle != nullptr && ppvBits != nullptr) *ppvBits = raw->bits();
    return handle;
}

UINT SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq) {
    DeviceContext* dc = dcFromHandle(hdc);
    auto* bitmap = dc != nullptr ? bitmapOf(static_cast<HBITMAP>(dc->state().bitmap)) : nullptr;
    if (bitmap == nullptr || prgbq == nullptr || !bitmap->isDibSection()) return 0;
    Surface& s = bitmap->surface();
    const auto size = static_cast<UINT>(s.colorTable().size());
    if (iStart >= size) return 0;
    const UINT n = std::min<UINT>(cEntries, size - iStart);
    for (UINT i = 0; i < n; ++i)
        s.setColorTableEntry(static_cast<int>(iStart + i), fromQuad(prgbq[i]));
    return n;
}

UINT GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq) {
    DeviceContext* dc = dcFromHandle(hdc);
    auto* bitmap = dc != nullptr ? bitmapOf(static_cast<HBITMAP>(dc->state().bitmap)) : nullptr;
    if (bitmap == nullptr || prgbq == nullptr || !bitmap->isDibSection()) return 0;
    const Surface& s = bitmap->surface();
    const auto size = static_cast<UINT>(s.colorTable().size());
    if (iStart >= size) return 0;
    const UINT n = std::min<UINT>(cEntries, size - iStart);
    for (UINT i = 0; i < n; ++i) prgbq[i] = toQuad(s.colorTable()[iStart + i]);
    return n;
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
    Bitmap* bitmap = bitmapOf(hbit);
    if (bitmap == nullptr || cb < 0) return 0;
    const Surface& s = bitmap->surface();
    const std::size_t stride = ddbStride(s);
    const std::size_t total = stride * static_cast<std::size_t>(s.height());
    if (lpvBits == nullptr) return static_cast<LONG>(total);
    const std::size_t wanted = std::min(total, static_cast<std::size_t>(cb));
    const std::size_t rowBytes = std::min(stride, s.stride());
    auto* out = static_cast<BYTE*>(lpvBits);
    std::size_t done = 0;
    for (int y = 0; y < s.height() && done < wanted; ++y) {
        const std::size_t n = std::min(stride, wanted - done);
        std::memset(out + done, 0, n);
        std::memcpy(out + done, s.row(y), std::min(n, rowBytes));
        done += n;
    }
    return static_cast<LONG>(done);
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits) {
    Bitmap* bitmap = bitmapOf(hbm);
    if (bitmap == nullptr || pvBits == nullptr) return 0;
    Surface& s = bitmap->surface();
    const std::size_t stride = ddbStride(s);
    const std::size_t total =
        std::min<std::size_t>(cb, stride * static_cast<std::size_t>(s.height()));
    const auto* in = static_cast<const BYTE*>(pvBits);
    std::size_t done = 0;
    for (int y = 0; y < s.height() && done < total; ++y) {
        const std::size_t n = std::min(stride, total - done);
        std::memcpy(s.row(y), in + done, std::min(n, s.stride()));
        done += n;
    }
    return static_cast<LONG>(done);
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
              UINT usage) {
    Bitmap* bitmap = bitmapOf(hbm);
    if (bitmap == nullptr || dcFromHandle(hdc) == nullptr || lpbmi == nullptr) return 0;
    if (usage != DIB_RGB_COLORS) return 0;
    const Surface& s = bitmap->surface();
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    if (lpvBits == nullptr && h.biBitCount == 0) {
        // Query: describe the bitmap.
        h.biWidth = s.width();
        h.biHeight = s.height();
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(s.bitsPerPixel());
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(dibStride(s.width(), s.bitsPerPixel()) * s.height());
        h.biClrUsed = 0;
        return 1;
    }
    if (!validDibHeader(h) || h.biWidth != s.width()) return 0;
    const int bpp = h.biBitCount;
    const bool topDown = h.biHeight < 0;
    const int rows = topDown ? -h.biHeight : h.biHeight;
    const std::size_t stride = dibStride(s.width(), bpp);
    h.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(rows));
    std::vector<COLORREF> table;
    if (bpp <= 8) {
        // The bitmap's own table when it has one of this depth; otherwise
        // only 1 bpp has a table to offer (black and white).
        if (s.isIndexed() && s.bitsPerPixel() == bpp) {
            table.assign(s.colorTable().begin(), s.colorTable().end());
        } else if (bpp == 1) {
            table = {0x000000, 0xFFFFFF};
        } else {
            return 0;
        }
        // The table follows the header, whatever its size; bmiColors is
        // declared with one entry and callers pass room for the table.
        auto* quads = reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(lpbmi) + h.biSize);
        for (std::size_t i = 0; i < table.size(); ++i) quads[i] = toQuad(table[i]);
    }
    const PixelFormatOps& indexOps = formatOps(indexedFormat(bpp));
    if (lpvBits == nullptr)
        return static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(rows)));
    // Scan line `line` counts from the bottom of the DIB for bottom-up
    // layouts; it is the DIB's row, not the bitmap's, that `start` selects.
    auto* out = static_cast<BYTE*>(lpvBits);
    int copied = 0;
    for (UINT i = 0; i < cLines; ++i) {
        const long long line = static_cast<long long>(start) + i;
        if (line >= rows || line >= s.height()) break;
        const int y = topDown ? static_cast<int>(line) : s.height() - 1 - static_cast<int>(line);
        BYTE* dst = out + static_cast<std::size_t>(i) * stride;
        if (bpp == 32 && s.format() == PixelFormat::Rgb32) {
            // The stored DWORDs are already the DIB's blue, green, red, alpha bytes.
            std::memcpy(dst, s.row(y), stride);
            ++copied;
            continue;
        }
        std::memset(dst, 0, stride);
        for (int x = 0; x < s.width(); ++x) {
            const COLORREF c = pixelColor(s, x, y);
            if (bpp <= 8) {
                indexOps.set(dst, x, static_cast<std::uint32_t>(nearestIndex(table, c)));
            } else {
                BYTE* p = dst + static_cast<std::size_t>(x) * (bpp / 8);
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
                if (bpp == 32)
                    p[3] = s.bitsPerPixel() == 32 ? static_cast<BYTE>(s.raw(x, y) >> 24) : 0;
            }
        }
        ++copied;
    }
    return copied;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits,
              const BITMAPINFO* lpbmi, UINT ColorUse) {
    Bitmap* bitmap = bitmapOf(hbm);
    if (bitmap == nullptr || lpBits == nullptr || lpbmi == nullptr) return 0;
    if (!validDibHeader(lpbmi->bmiHeader)) return 0;
    if (ColorUse == DIB_PAL_COLORS && dcFromHandle(hdc) == nullptr) return 0;
    Surface& s = bitmap->surface();
    const BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    const int bpp = h.biBitCount;
    const bool topDown = h.biHeight < 0;
    const int rows = topDown ? -h.biHeight : h.biHeight;
    const std::size_t stride = dibStride(h.biWidth, bpp);
    const HeaderTable read = bpp <= 8 ? readTable(lpbmi, ColorUse, hdc) : HeaderTable{};
    const std::span<const COLORREF> table = read.view();
    const PixelFormatOps& indexOps = formatOps(indexedFormat(bpp));
    const auto* in = static_cast<const BYTE*>(lpBits);
    const int width = std::min<int>(h.biWidth, s.width());
    int copied = 0;
    for (UINT i = 0; i < cLines; ++i) {
        const long long line = static_cast<long long>(start) + i;
        if (line >= rows) break;
        const int y = topDown ? static_cast<int>(line) : rows - 1 - static_cast<int>(line);
        ++copied;
        if (y >= s.height()) continue;
        const BYTE* src = in + static_cast<std::size_t>(i) * stride;
        for (int x = 0; x < width; ++x) {
            COLORREF c;
            if (bpp <= 8) {
                // An index past the table reads as black, as on a DIB section.
                const std::uint32_t index = indexOps.get(src, x);
                c = index < table.size() ? table[index] : 0;
            } else {
                const BYTE* p = src + static_cast<std::size_t>(x) * (bpp / 8);
                c = RGB(p[2], p[1], p[0]);
            }
            s.setRaw(x, y, s.rawOf(c));
        }
    }
    return copied;
}
