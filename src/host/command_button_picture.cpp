// SPDX-License-Identifier: MIT
#include "host/command_button_picture.h"

#include "platform/gdi/handles.h"
#include "platform/ole/picture.h"
#include "platform/win32.h"

namespace qv::host {

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kBlack = 0x00000000;

// Blits a monochrome mask onto `dest` with 1 bits white and 0 bits black.
void blitMask(HDC dest, int x, int y, int w, int h, HDC mask, DWORD rop) {
    const COLORREF bk = SetBkColor(dest, kWhite);
    const COLORREF text = SetTextColor(dest, kBlack);
    BitBlt(dest, x, y, w, h, mask, 0, 0, rop);
    SetBkColor(dest, bk);
    SetTextColor(dest, text);
}

// Returns whether `bitmap` holds 32 bits per pixel.
bool is32Bit(HBITMAP bitmap) {
    BITMAP info{};
    return GetObject(bitmap, sizeof info, &info) == sizeof info && info.bmBitsPixel == 32;
}

void drawMasked(HDC dc, HBITMAP bitmap, int x, int y, int w, int h, COLORREF maskColor,
                bool greyed) {
    gdi::OwnedDc source = gdi::OwnedDc::compatibleWith(dc);
    if (!source) return;
    gdi::SelectGuard sourcePick(source.get(), bitmap);
    if (!sourcePick.ok()) return;
    if (!greyed && is32Bit(bitmap)) {
        // A true-colour picture is matched against the mask colour pixel by
        // pixel: one keyed pass, no mask bitmap.
        TransparentBlt(dc, x, y, w, h, source.get(), 0, 0, w, h, maskColor);
        return;
    }
    gdi::OwnedDc maskDc = gdi::OwnedDc::compatibleWith(dc);
    gdi::OwnedBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!maskDc || !mask) return;
    gdi::SelectGuard maskPick(maskDc.get(), mask.get());
    if (!maskPick.ok()) return;
    // Colour to monochrome: the source's background colour becomes 1.
    SetBkColor(source.get(), maskColor);
    BitBlt(maskDc.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);

    if (!greyed) {
        // Keeps the destination where the mask is 1, the picture elsewhere.
        BitBlt(dc, x, y, w, h, source.get(), 0, 0, SRCINVERT);
        blitMask(dc, x, y, w, h, maskDc.get(), SRCAND);
        BitBlt(dc, x, y, w, h, source.get(), 0, 0, SRCINVERT);
        return;
    }
    // The disabled look treats white as background: a copy with the mask
    // colour turned white greys to the picture's shape.
    gdi::OwnedBitmap copy(CreateCompatibleBitmap(dc, w, h));
    if (!copy) return;
    {
        gdi::OwnedDc copyDc = gdi::OwnedDc::compatibleWith(dc);
        if (!copyDc) return;
        gdi::SelectGuard copyPick(copyDc.get(), copy.get());
        if (!copyPick.ok()) return;
        BitBlt(copyDc.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
        blitMask(copyDc.get(), 0, 0, w, h, maskDc.get(), SRCPAINT);
    }
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(copy.get()), 0, x, y, w, h,
               DST_BITMAP | DSS_DISABLED);
}

}  // namespace

void drawButtonPicture(HDC dc, const ole::Picture& picture, int x, int y,
                       std::optional<COLORREF> maskColor, bool greyed) {
    const int w = picture.widthPixels();
    const int h = picture.heightPixels();
    if (picture.Type() == PICTYPE_BITMAP && maskColor) {
        drawMasked(dc, static_cast<HBITMAP>(picture.Handle()), x, y, w, h, *maskColor, greyed);
        return;
    }
    const UINT kind = picture.Type() == PICTYPE_ICON ? DST_ICON : DST_BITMAP;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.Handle()), 0, x, y, w, h,
               kind | (greyed ? DSS_DISABLED : DSS_NORMAL));
}

}  // namespace qv::host
