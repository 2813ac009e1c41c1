// SPDX-License-Identifier: MIT
// The picture interface that PaintEffects draws from: the kind of picture, its
// platform handle and its size. The drawing code needs nothing else of a picture.
#pragma once

#include <vector>

#include "platform/win32.h"

namespace qv::effects {

// Kinds of picture the drawing code accepts; every other kind is refused.
inline constexpr short kPictureTypeBitmap = 1;
inline constexpr short kPictureTypeIcon = 3;

class PictureSource {
  public:
    virtual ~PictureSource() = default;

    // The picture kind: kPictureTypeBitmap, kPictureTypeIcon, or any other
    // value for kinds that cannot be drawn (0 empty, 2 metafile, ...).
    virtual short type() const = 0;
    // The HBITMAP of a bitmap or the HICON of an icon. The picture keeps
    // ownership: callers select or draw it, never delete it.
    virtual HANDLE handle() const = 0;
    // The picture's size in HiMetric units (0.01 mm).
    virtual LONG width() const = 0;
    virtual LONG height() const = 0;
    // For an icon picture, its opaque pixels and their colours as
    // readIconOpaqueColors gives them, read on the first call and kept with the
    // picture, whose icon never changes. nullptr from a source that keeps
    // none: the drawing code then reads the icon at each call.
    virtual const std::vector<COLORREF>* iconOpaqueColors() const { return nullptr; }

  protected:
    PictureSource() = default;
    PictureSource(const PictureSource&) = default;
    PictureSource& operator=(const PictureSource&) = default;
};

}  // namespace qv::effects
