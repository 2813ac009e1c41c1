// SPDX-License-Identifier: MIT
// Picture objects and their loading and saving. Loaded pictures become
// screen-compatible 32-bpp bitmaps, or icons made with CreateIconIndirect.
#include "platform/ole/picture.h"

#include <atomic>
#include <fstream>
#include <iterator>

#include "platform/gdi/dib_header.h"
#include "platform/gdi/icon.h"
#include "platform/gdi/whole_file.h"
#include "platform/ole/dib_codec.h"
#include "platform/ole/ico_codec.h"
#include "platform/ole/picture_error.h"

namespace qv::ole {

struct Picture::Private {};

namespace {

using qv::gdi::DecodedImage;

// A screen-compatible bitmap with the image's pixels (alpha dropped).
HBITMAP makeBitmap(const DecodedImage& image) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, image.width, image.height);
    if (bitmap != nullptr) {
        std::vector<std::uint32_t> pixels(image.pixels.size());
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = image.pixels[i] & 0x00FFFFFFu;
        const BITMAPINFO info{qv::gdi::topDownDibHeader(image.width, image.height, 32), {}};
        if (SetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height), pixels.data(), &info,
                      DIB_RGB_COLORS) != image.height) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// A monochrome bitmap whose bits are set where `bits` is true.
HBITMAP makeMask(int width, int height, const std::vector<bool>& bits) {
    const std::size_t stride = static_cast<std::size_t>((width + 15) / 16) * 2;
    std::vector<BYTE> data(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (bits[static_cast<std::size_t>(y) * width + x]) {
                data[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] |=
                    static_cast<BYTE>(0x80u >> (x % 8));
            }
        }
    }
    return CreateBitmap(width, height, 1, 1, data.data());
}

HICON makeIcon(const DecodedIcon& decoded) {
    HBITMAP color = makeBitmap(decoded.color);
    HBITMAP mask = makeMask(decoded.color.width, decoded.color.height, decoded.transparent);
    HICON icon = nullptr;
    if (color != nullptr && mask != nullptr) {
        ICONINFO info{TRUE, 0, 0, mask, color};
        icon = CreateIconIndirect(&info);
    }
    if (color != nullptr) DeleteObject(color);
    if (mask != nullptr) DeleteObject(mask);
    return icon;
}

// PNG transparency is flattened onto white: a bitmap picture has no alpha.
void flattenOnWhite(DecodedImage& image) {
    for (std::uint32_t& p : image.pixels) {
        const std::uint32_t a = p >> 24;
        std::uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const std::uint32_t c = (p >> shift) & 0xFFu;
            out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
        }
        p = out;
    }
}

bool readPixels(HBITMAP bitmap, DecodedImage& image) {
    std::vector<COLORREF> pixels;
    if (!qv::gdi::readBitmapPixels(bitmap, image.width, image.height, pixels)) return false;
    image.pixels.resize(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const COLORREF c = pixels[i];
        image.pixels[i] = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }
    return true;
}

// The icon as pixels and transparency, through GetIconInfo's copies.
bool readIcon(HICON icon, DecodedIcon& out) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    DecodedImage mask;
    bool ok = readPixels(info.hbmMask, mask);
    DecodedIcon decoded;
    if (ok && info.hbmColor != nullptr) {
        ok = readPixels(info.hbmColor, decoded.color);
    } else if (ok) {
        // Monochrome icon: the XOR mask is the lower half of the mask bitmap.
        const int h = mask.height / 2;
        decoded.color.width = mask.width;
        decoded.color.height = h;
        decoded.color.pixels.assign(
            mask.pixels.begin() + static_cast<std::ptrdiff_t>(h) * mask.width, mask.pixels.end());
        mask.height = h;
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (!ok) return false;
    const std::size_t count = decoded.color.pixels.size();
    decoded.transparent.resize(count);
    for (std::size_t i = 0; i < count && i < mask.pixels.size(); ++i) {
        decoded.transparent[i] = (mask.pixels[i] & 0x00FFFFFFu) != 0;
    }
    out = std::move(decoded);
    return true;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PictureError(kErrFileNotFound, "File not found: " + path);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

}  // namespace

LONG pixelsToHiMetric(LONG pixels) {
    const std::int64_t scaled = std::int64_t{pixels} * 2540;
    const std::int64_t rounded = scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96);
    return static_cast<LONG>(rounded);
}

Picture::Picture(const Private&, short type, HANDLE handle, bool owned, int widthPixels,
                 int heightPixels)
    : m_type(type),
      m_handle(handle),
      m_owned(owned),
      m_widthPixels(widthPixels),
      m_heightPixels(heightPixels),
      m_widthHiMetric(pixelsToHiMetric(widthPixels)),
      m_heightHiMetric(pixelsToHiMetric(heightPixels)) {}

const std::vector<COLORREF>& Picture::derivedColors(std::vector<COLORREF> (*derive)(HICON)) const {
    std::call_once(m_derivedOnce, [&] { m_derivedColors = derive(static_cast<HICON>(m_handle)); });
    return m_derivedColors;
}

Picture::~Picture() {
    if (!m_owned || m_handle == nullptr) return;
    if (m_type == PICTYPE_BITMAP) DeleteObject(m_handle);
    if (m_type == PICTYPE_ICON) DestroyIcon(static_cast<HICON>(m_handle));
}

std::shared_ptr<Picture> Picture::empty() {
    return std::make_shared<Picture>(Private{}, PICTYPE_NONE, nullptr, false, 0, 0);
}

std::shared_ptr<Picture> Picture::fromBitmap(HBITMAP bitmap, bool takeOwnership) {
    BITMAP bm{};
    if (bitmap == nullptr || GetObjectType(bitmap) != OBJ_BITMAP ||
        GetObjectA(bitmap, sizeof(bm), &bm) == 0) {
        return nullptr;
    }
    return std::make_shared<Picture>(Private{}, PICTYPE_BITMAP, bitmap, takeOwnership, bm.bmWidth,
                                     bm.bmHeight);
}

std::shared_ptr<Picture> Picture::fromIcon(HICON icon, bool takeOwnership) {
    int width = 0;
    int height = 0;
    if (!qv::gdi::iconSize(icon, width, height)) return nullptr;
    return std::make_shared<Picture>(Private{}, PICTYPE_ICON, icon, takeOwnership, width, height);
}

std::shared_ptr<Picture> Picture::metafile(LONG widthHiMetric, LONG heightHiMetric) {
    // High bits no handle-table generation reaches: GDI calls refuse the token.
    static std::atomic<std::uint32_t> counter{0};
    const std::uint64_t token = 0xFFFFFFFF00000000ull | ++counter;
    auto picture = std::make_shared<Picture>(Private{}, PICTYPE_METAFILE,
                                             reinterpret_cast<HANDLE>(token), false, 0, 0);
    picture->m_widthHiMetric = widthHiMetric;
    picture->m_heightHiMetric = heightHiMetric;
    return picture;
}

std::shared_ptr<Picture> loadPicture(std::span<const std::uint8_t> bytes) {
    std::string error;
    std::shared_ptr<Picture> picture;
    PictureFormat format = PictureFormat::None;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        DecodedImage image;
        if (!decodeBmp(bytes, image, error)) throw invalidPicture(error);
        picture = Picture::fromBitmap(makeBitmap(image), true);
        format = PictureFormat::Bmp;
    } else if (qv::gdi::isPngSignature(bytes)) {
        DecodedImage image;
        if (!qv::gdi::decodePng(bytes, image, error)) throw invalidPicture(error);
        flattenOnWhite(image);
        picture = Picture::fromBitmap(makeBitmap(image), true);
        format = PictureFormat::Png;
    } else if (looksLikeIco(bytes)) {
        DecodedIcon icon;
        if (!decodeIco(bytes, icon, error)) throw invalidPicture(error);
        picture = Picture::fromIcon(makeIcon(icon), true);
        format = PictureFormat::Ico;
    } else {
        throw invalidPicture("unknown picture format");
    }
    if (picture == nullptr) throw invalidPicture("the picture could not be created");
    picture->m_format = format;
    picture->m_bytes.assign(bytes.begin(), bytes.end());
    return picture;
}

std::shared_ptr<Picture> loadPictureFile(const std::string& path) {
    std::vector<std::uint8_t> bytes = readFile(path);
    return loadPicture(bytes);
}

PictureFormat pictureBytesFormat(const Picture& picture) {
    if (!picture.sourceBytes().empty()) return picture.format();
    if (picture.Type() == PICTYPE_BITMAP) return PictureFormat::Bmp;
    if (picture.Type() == PICTYPE_ICON) return PictureFormat::Ico;
    return PictureFormat::None;
}

std::vector<std::uint8_t> pictureBytes(const Picture& picture) {
    if (!picture.sourceBytes().empty()) return picture.sourceBytes();
    std::vector<std::uint8_t> out;
    if (picture.Type() == PICTYPE_BITMAP) {
        DecodedImage image;
        if (readPixels(static_cast<HBITMAP>(picture.Handle()), image)) out = encodeBmp(image);
    } else if (picture.Type() == PICTYPE_ICON) {
        DecodedIcon icon;
        if (readIcon(static_cast<HICON>(picture.Handle()), icon)) out = encodeIco(icon);
    } else {
        throw invalidPicture("an empty or metafile picture has no bytes to store");
    }
    if (out.empty()) throw invalidPicture("the picture could not be read");
    return out;
}

void savePicture(const Picture& picture, const std::string& path) {
    std::vector<std::uint8_t> bytes = pictureBytes(picture);
    const std::string reason = files::writeWholeFile(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!reason.empty()) {
        throw PictureError(kErrPathFileAccess,
                           "Path/File access error: " + path + " (" + reason + ")");
    }
}

}  // namespace qv::ole
