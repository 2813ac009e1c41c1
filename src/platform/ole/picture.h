// SPDX-License-Identifier: MIT
// Picture objects: a bitmap, icon or (drawing-less) metafile with its size in
// HiMetric, shared by reference (std::shared_ptr) and owning its GDI handle.
// A picture loaded from a file keeps the file's bytes, so that saving it
// writes exactly what was read.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/win32_ole.h"

namespace qv::ole {

// The file format a picture's bytes are in.
enum class PictureFormat { None, Bmp, Ico, Png };

// HiMetric (0.01 mm) length of `pixels` screen pixels at 96 dpi, rounded to
// the nearest unit.
LONG pixelsToHiMetric(LONG pixels);

class Picture {
  public:
    struct Private;  // restricts construction to the factories below

    // A picture with nothing in it: Type 0, Handle 0, size 0.
    static std::shared_ptr<Picture> empty();
    // Wraps a bitmap. With `takeOwnership` the picture deletes it when the
    // last reference goes; otherwise the caller keeps it alive for as long as
    // the picture. NULL or a non-bitmap gives nullptr.
    static std::shared_ptr<Picture> fromBitmap(HBITMAP bitmap, bool takeOwnership);
    // Wraps an icon, as above (DestroyIcon when owned).
    static std::shared_ptr<Picture> fromIcon(HICON icon, bool takeOwnership);
    // A metafile picture of the given HiMetric size. It draws nothing; it
    // exists so that callers can be tried against Type 2. Like a real
    // metafile picture its Handle is not 0, but it is a token that no GDI
    // call accepts.
    static std::shared_ptr<Picture> metafile(LONG widthHiMetric, LONG heightHiMetric);

    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // PICTYPE_NONE, PICTYPE_BITMAP, PICTYPE_METAFILE or PICTYPE_ICON.
    short Type() const { return m_type; }
    // The HBITMAP or HICON (a token for a metafile); NULL for an empty
    // picture. Handles are
    // pointer-sized on this platform, so this is a HANDLE, not an OLE_HANDLE.
    HANDLE Handle() const { return m_handle; }
    OLE_XSIZE_HIMETRIC Width() const { return m_widthHiMetric; }
    OLE_YSIZE_HIMETRIC Height() const { return m_heightHiMetric; }

    int widthPixels() const { return m_widthPixels; }
    int heightPixels() const { return m_heightPixels; }

    // The bytes the picture was loaded from and their format (None and empty
    // for pictures made from handles).
    PictureFormat format() const { return m_format; }
    const std::vector<std::uint8_t>& sourceBytes() const { return m_bytes; }

    // Colours the drawing code derives from an icon picture's icon and keeps
    // with the picture (a picture's icon never changes, so they never go
    // stale): `derive` runs with Handle() on the first call only, and every
    // call returns that first result.
    const std::vector<COLORREF>& derivedColors(std::vector<COLORREF> (*derive)(HICON)) const;

    Picture(const Private&, short type, HANDLE handle, bool owned, int widthPixels,
            int heightPixels);

  private:
    friend std::shared_ptr<Picture> loadPicture(std::span<const std::uint8_t> bytes);

    short m_type;
    HANDLE m_handle;
    bool m_owned;
    int m_widthPixels;
    int m_heightPixels;
    LONG m_widthHiMetric;
    LONG m_heightHiMetric;
    PictureFormat m_format = PictureFormat::None;
    std::vector<std::uint8_t> m_bytes;
    mutable std::once_flag m_derivedOnce;
    mutable std::vector<COLORREF> m_derivedColors;
};

// Loads a BMP, ICO or PNG picture from its bytes (the format is told by the
// content, not by a name). BMP and PNG give a bitmap picture, ICO an icon.
// Throws PictureError 481 for anything that is not a valid picture; never
// reads outside `bytes`.
std::shared_ptr<Picture> loadPicture(std::span<const std::uint8_t> bytes);

// Loads a picture file. Throws PictureError 53 when the file cannot be read,
// 481 when it is not a valid picture.
std::shared_ptr<Picture> loadPictureFile(const std::string& path);

// The bytes that store the picture: the loaded file's bytes when it has them,
// else a 24-bpp BMP for a bitmap and an ICO for an icon. Throws PictureError
// 481 for an empty or metafile picture.
std::vector<std::uint8_t> pictureBytes(const Picture& picture);

// The format of pictureBytes(picture).
PictureFormat pictureBytesFormat(const Picture& picture);

// Writes pictureBytes(picture) to a file. Throws PictureError 481 as above,
// 75 when the file cannot be written.
void savePicture(const Picture& picture, const std::string& path);

}  // namespace qv::ole
