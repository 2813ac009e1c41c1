// SPDX-License-Identifier: MIT
// Icon creation, queries and drawing. Drawing is the classic two-pass
// composition: the destination is ANDed with the mask, then XORed with the
// colour image, so opaque pixels replace the destination and transparent
// non-black pixels invert it.
#include "platform/gdi/icon.h"

#include <algorithm>
#include <climits>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/handles.h"
#include "platform/gdi/paint_ops.h"
#include "platform/gdi/rop3.h"

namespace qv::gdi {
namespace {

constexpr DWORD kRopSrcCopy = SRCCOPY;
constexpr DWORD kRopSrcAnd = SRCAND;
constexpr DWORD kRopSrcInvert = SRCINVERT;

// A memory DC of the screen with `bitmap` selected; restores and frees itself.
struct SelectedBitmap {
    explicit SelectedBitmap(HBITMAP bitmap)
        : owner(OwnedDc::compatibleWith(nullptr)), select(owner.get(), bitmap) {}
    bool ok() const { return owner && select.ok(); }
    HDC dc() const { return owner.get(); }

    OwnedDc owner;
    SelectGuard select;
};

// A new bitmap holding rows [top, top + height) of `source`: monochrome when
// `mono`, else a screen-compatible colour bitmap. NULL on failure.
HBITMAP copyBitmap(HBITMAP source, int width, int top, int height, bool mono) {
    SelectedBitmap src(source);
    if (!src.ok()) return nullptr;
    HBITMAP copy = nullptr;
    if (mono) {
        copy = CreateBitmap(width, height, 1, 1, nullptr);
    } else {
        ScreenDc screen;
        copy = CreateCompatibleBitmap(screen.get(), width, height);
    }
    if (copy == nullptr) return nullptr;
    bool ok = false;
    {
        SelectedBitmap dst(copy);
        ok = dst.ok() && BitBlt(dst.dc(), 0, 0, width, height, src.dc(), 0, top, kRopSrcCopy);
    }
    if (!ok) {
        DeleteObject(copy);
        return nullptr;
    }
    return copy;
}

// Keeps the destination's text and background colours at black and white
// while masks are blitted, so that mask bits map to black and white.
class MaskColors {
  public:
    explicit MaskColors(HDC dc)
        : m_dc(dc), m_text(SetTextColor(dc, 0x00000000)), m_bk(SetBkColor(dc, 0x00FFFFFF)) {}
    ~MaskColors() {
        SetTextColor(m_dc, m_text);
        SetBkColor(m_dc, m_bk);
    }
    MaskColors(const MaskColors&) = delete;
    MaskColors& operator=(const MaskColors&) = delete;

  private:
    HDC m_dc;
    COLORREF m_text;
    COLORREF m_bk;
};

// One of the icon's bitmaps, as a blit source from row `top` on. The
// background colour only matters for a colour source into a monochrome
// destination, where the icon's pixels are read as a fresh DC would read them.
BlitSource iconSource(HBITMAP bitmap, int top) {
    Bitmap* record = HandleTable::instance().lookupAs<Bitmap>(bitmap);
    return BlitSource{record != nullptr ? &record->surface() : nullptr, 0, top, 0x00FFFFFF};
}

// Blits (part of) one of the icon's bitmaps to the destination: straight from
// its surface at its own size, through a DC of its own when stretched.
bool blitPart(HDC dest, DeviceContext& destDc, int x, int y, int cx, int cy, HBITMAP part, int sy,
              int w, int h, DWORD rop) {
    if (cx == w && cy == h) {
        const BlitSource source = iconSource(part, sy);
        return source.surface != nullptr && blitFrom(destDc, x, y, cx, cy, &source, rop3Index(rop));
    }
    SelectedBitmap src(part);
    return src.ok() && StretchBlt(dest, x, y, cx, cy, src.dc(), 0, sy, w, h, rop) != FALSE;
}

bool drawIconParts(HDC dest, int x, int y, const IconObject& icon, int cx, int cy, UINT flags) {
    DeviceContext* destDc = dcFromHandle(dest);
    if (destDc == nullptr) return false;
    const int w = icon.width();
    const int h = icon.height();
    MaskColors colors(dest);
    const bool both = (flags & DI_NORMAL) == DI_NORMAL;
    bool ok = true;
    if (flags & DI_MASK) {
        ok = blitPart(dest, *destDc, x, y, cx, cy, icon.mask(), 0, w, h,
                      both ? kRopSrcAnd : kRopSrcCopy);
    }
    if (ok && (flags & DI_IMAGE)) {
        const DWORD rop = both ? kRopSrcInvert : kRopSrcCopy;
        if (icon.color() != nullptr) {
            ok = blitPart(dest, *destDc, x, y, cx, cy, icon.color(), 0, w, h, rop);
        } else {
            ok = blitPart(dest, *destDc, x, y, cx, cy, icon.mask(), h, w, h, rop);
        }
    }
    return ok;
}

}  // namespace

const IconObject* findIcon(HICON icon) {
    return HandleTable::instance().lookupAs<IconObject>(icon);
}

bool iconSize(HICON icon, int& width, int& height) {
    const IconObject* object = findIcon(icon);
    if (object == nullptr) return false;
    width = object->width();
    height = object->height();
    return true;
}

}  // namespace qv::gdi

using qv::gdi::IconObject;

HICON CreateIconIndirect(PICONINFO piconinfo) {
    if (piconinfo == nullptr || piconinfo->hbmMask == nullptr) return nullptr;
    BITMAP maskInfo{};
    if (GetObjectA(piconinfo->hbmMask, sizeof(maskInfo), &maskInfo) == 0) return nullptr;
    int width = maskInfo.bmWidth;
    int height = maskInfo.bmHeight;
    HBITMAP color = nullptr;
    if (piconinfo->hbmColor != nullptr) {
        BITMAP colorInfo{};
        if (GetObjectA(piconinfo->hbmColor, sizeof(colorInfo), &colorInfo) == 0) return nullptr;
        width = colorInfo.bmWidth;
        height = colorInfo.bmHeight;
        color = qv::gdi::copyBitmap(piconinfo->hbmColor, width, 0, height, false);
        if (color == nullptr) return nullptr;
    } else {
        height /= 2;  // AND mask above the XOR mask
    }
    if (width <= 0 || height <= 0) {
        if (color != nullptr) DeleteObject(color);
        return nullptr;
    }
    const int maskRows = color != nullptr ? height : height * 2;
    HBITMAP mask = qv::gdi::copyBitmap(piconinfo->hbmMask, width, 0, maskRows, true);
    if (mask == nullptr) {
        if (color != nullptr) DeleteObject(color);
        return nullptr;
    }
    POINT hotspot{static_cast<LONG>(piconinfo->xHotspot), static_cast<LONG>(piconinfo->yHotspot)};
    if (piconinfo->fIcon) hotspot = {width / 2, height / 2};
    auto object = std::make_shared<IconObject>(mask, color, width, height,
                                               piconinfo->fIcon != FALSE, hotspot);
    return static_cast<HICON>(qv::gdi::HandleTable::instance().insert(std::move(object)));
}

BOOL DestroyIcon(HICON hIcon) {
    auto& table = qv::gdi::HandleTable::instance();
    const IconObject* icon = table.lookupAs<IconObject>(hIcon);
    if (icon == nullptr) return FALSE;
    HBITMAP mask = icon->mask();
    HBITMAP color = icon->color();
    if (table.remove(hIcon) != qv::gdi::HandleTable::RemoveResult::Removed) return FALSE;
    DeleteObject(mask);
    if (color != nullptr) DeleteObject(color);
    return TRUE;
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    const IconObject* icon = qv::gdi::findIcon(hIcon);
    if (icon == nullptr || piconinfo == nullptr) return FALSE;
    const int maskRows = icon->color() != nullptr ? icon->height() : icon->height() * 2;
    HBITMAP mask = qv::gdi::copyBitmap(icon->mask(), icon->width(), 0, maskRows, true);
    if (mask == nullptr) return FALSE;
    HBITMAP color = nullptr;
    if (icon->color() != nullptr) {
        color = qv::gdi::copyBitmap(icon->color(), icon->width(), 0, icon->height(), false);
        if (color == nullptr) {
            DeleteObject(mask);
            return FALSE;
        }
    }
    piconinfo->fIcon = icon->isIcon() ? TRUE : FALSE;
    piconinfo->xHotspot = static_cast<DWORD>(icon->hotspot().x);
    piconinfo->yHotspot = static_cast<DWORD>(icon->hotspot().y);
    piconinfo->hbmMask = mask;
    piconinfo->hbmColor = color;
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0,
                      nullptr, DI_NORMAL);
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                UINT /*istepIfAniCur*/, HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    const IconObject* found = qv::gdi::findIcon(hIcon);
    if (found == nullptr || hdc == nullptr) return FALSE;
    if ((diFlags & DI_NORMAL) == 0) return FALSE;
    // Keep the icon alive even if a callee deletes its handle.
    auto keep = qv::gdi::HandleTable::instance().share(hIcon);
    const IconObject& icon = *found;
    if (cxWidth == 0) {
        cxWidth = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : icon.width();
    }
    if (cyWidth == 0) {
        cyWidth = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : icon.height();
    }
    if (cxWidth < 0 || cyWidth < 0) return FALSE;
    if (hbrFlickerFreeDraw == nullptr) {
        return qv::gdi::drawIconParts(hdc, xLeft, yTop, icon, cxWidth, cyWidth, diFlags);
    }
    // Flicker-free: compose on a brush-filled bitmap, then copy it in one blit.
    // The bitmap covers only the part of the icon inside the clip box, so a
    // huge size costs no more than the visible area.
    RECT box{};
    if (GetClipBox(hdc, &box) == ERROR) return FALSE;
    const long long left = std::max<long long>(xLeft, box.left);
    const long long top = std::max<long long>(yTop, box.top);
    const long long right = std::min<long long>(static_cast<long long>(xLeft) + cxWidth, box.right);
    const long long bottom =
        std::min<long long>(static_cast<long long>(yTop) + cyWidth, box.bottom);
    if (left >= right || top >= bottom) return TRUE;
    const int w = static_cast<int>(right - left);
    const int h = static_cast<int>(bottom - top);
    // Offsets of the visible part within the whole icon rectangle.
    const long long offX = left - xLeft;
    const long long offY = top - yTop;
    if (offX > INT_MAX || offY > INT_MAX) return TRUE;
    qv::gdi::ScreenDc screen;
    qv::gdi::OwnedBitmap buffer(CreateCompatibleBitmap(screen.get(), w, h));
    if (!buffer) return FALSE;
    qv::gdi::SelectedBitmap work(buffer.get());
    if (!work.ok()) return FALSE;
    // The brush pattern keeps the phase it has over the whole icon rectangle.
    SetBrushOrgEx(work.dc(), static_cast<int>(-offX), static_cast<int>(-offY), nullptr);
    RECT all{0, 0, w, h};
    FillRect(work.dc(), &all, hbrFlickerFreeDraw);
    return qv::gdi::drawIconParts(work.dc(), static_cast<int>(-offX), static_cast<int>(-offY), icon,
                                  cxWidth, cyWidth, diFlags) &&
           BitBlt(hdc, static_cast<int>(left), static_cast<int>(top), w, h, work.dc(), 0, 0,
                  SRCCOPY);
}
