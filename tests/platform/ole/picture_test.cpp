// SPDX-License-Identifier: MIT
// Picture objects: BMP, ICO and PNG files written here byte by byte, loaded
// and checked pixel by pixel; exact byte round trips; ownership of handles;
// clear errors (and no crash, no leak) on damaged files.
#include "platform/ole/picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "platform/gdi/png_file.h"
#include "platform/ole/picture_error.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"
#include "support/temp_folder.h"

namespace qv::ole {
namespace {

using Bytes = std::vector<std::uint8_t>;
using PixelFn = std::function<COLORREF(int, int)>;

void put(Bytes& out, std::uint32_t value, int n) {
    for (int i = 0; i < n; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A palette of 16 distinct colours, repeated for 8 bpp.
COLORREF paletteColor(int i) {
    return RGB((i * 37) & 0xFF, (i * 91 + 10) & 0xFF, (i * 53 + 200) & 0xFF);
}

// The test image: palette indices that vary over x and y.
int indexAt(int x, int y, int bpp) {
    return (x * 3 + y * 5) % (bpp == 1 ? 2 : 16);
}

COLORREF trueColorAt(int x, int y) {
    return RGB(x * 40, y * 60, 255 - x * 10);
}

COLORREF expectedAt(int x, int y, int bpp) {
    return bpp <= 8 ? paletteColor(indexAt(x, y, bpp)) : trueColorAt(x, y);
}

// The rows of a DIB (bottom-up unless `topDown`) followed by nothing else.
void putRows(Bytes& out, int w, int h, int bpp, bool topDown, const PixelFn& color,
             const std::function<int(int, int)>& index) {
    const int stride = ((w * bpp + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        Bytes line(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < w; ++x) {
            if (bpp <= 8) {
                const int perByte = 8 / bpp;
                line[static_cast<std::size_t>(x / perByte)] |=
                    static_cast<std::uint8_t>(index(x, y) << (8 - bpp * (x % perByte + 1)));
            } else {
                const COLORREF c = color(x, y);
                const std::size_t at = static_cast<std::size_t>(x * (bpp / 8));
                line[at] = GetBValue(c);
                line[at + 1] = GetGValue(c);
                line[at + 2] = GetRValue(c);
                if (bpp == 32) line[at + 3] = 0;
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
}

// A 16-bpp (5-6-5 bit fields) or 32-bpp (bit fields in the order B, R, G,
// unused) BMP; each component of trueColorAt keeps its top bits.
Bytes makeBitfieldsBmp(int w, int h, int bpp) {
    const std::uint32_t masks16[3] = {0xF800, 0x07E0, 0x001F};
    const std::uint32_t masks32[3] = {0x0000FF00, 0x000000FF, 0xFF000000};
    const std::uint32_t* masks = bpp == 16 ? masks16 : masks32;
    Bytes out;
    put(out, 0x4D42, 2);
    put(out, 0, 4);
    put(out, 0, 4);
    put(out, 14 + 40 + 12, 4);
    put(out, 40, 4);
    put(out, static_cast<std::uint32_t>(w), 4);
    put(out, static_cast<std::uint32_t>(h), 4);
    put(out, 1, 2);
    put(out, static_cast<std::uint32_t>(bpp), 2);
    put(out, 3, 4);  // BI_BITFIELDS
    for (int i = 0; i < 5; ++i) put(out, 0, 4);
    for (int i = 0; i < 3; ++i) put(out, masks[i], 4);
    const int stride = ((w * bpp + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {
        const int y = h - 1 - row;
        Bytes line(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < w; ++x) {
            const COLORREF c = trueColorAt(x, y);
            std::uint32_t v = 0;
            if (bpp == 16) {
                v = (GetRValue(c) >> 3u) << 11 | (GetGValue(c) >> 2u) << 5 | GetBValue(c) >> 3u;
            } else {
                v = GetRValue(c) << 8 | GetGValue(c) |
                    static_cast<std::uint32_t>(GetBValue(c)) << 24;
            }
            for (int b = 0; b < bpp / 8; ++b)
                line[static_cast<std::size_t>(x * bpp / 8 + b)] =
                    static_cast<std::uint8_t>(v >> (8 * b));
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

// What a 5- or 6-bit component of `value` reads back as.
BYTE widened(BYTE value, int bits) {
    const int max = (1 << bits) - 1;
    const int v = value >> (8 - bits);
    return static_cast<BYTE>((v * 255 + max / 2) / max);
}

Bytes makeBmp(int w, int h, int bpp, bool topDown, bool coreHeader = false) {
    const int colors = bpp <= 8 ? (1 << bpp) : 0;
    const int entry = coreHeader ? 3 : 4;
    const int header = coreHeader ? 12 : 40;
    Bytes out;
    put(out, 0x4D42, 2);
    put(out, 0, 4);  // file size: readers do not rely on it
    put(out, 0, 4);
    put(out, static_cast<std::uint32_t>(14 + header + colors * entry), 4);
    put(out, static_cast<std::uint32_t>(header), 4);
    if (coreHeader) {
        put(out, static_cast<std::uint32_t>(w), 2);
        put(out, static_cast<std::uint32_t>(h), 2);
        put(out, 1, 2);
        put(out, static_cast<std::uint32_t>(bpp), 2);
    } else {
        put(out, static_cast<std::uint32_t>(w), 4);
        put(out, static_cast<std::uint32_t>(topDown ? -h : h), 4);
        put(out, 1, 2);
        put(out, static_cast<std::uint32_t>(bpp), 2);
        for (int i = 0; i < 6; ++i) put(out, 0, 4);
    }
    for (int i = 0; i < colors; ++i) {
        const COLORREF c = paletteColor(i);
        out.push_back(GetBValue(c));
        out.push_back(GetGValue(c));
        out.push_back(GetRValue(c));
        if (!coreHeader) out.push_back(0);
    }
    putRows(out, w, h, bpp, topDown, trueColorAt,
            [bpp](int x, int y) { return indexAt(x, y, bpp); });
    return out;
}

// Pixels of a bitmap picture, read through a DC.
std::vector<COLORREF> bitmapPixels(const Picture& picture) {
    int w = 0;
    int h = 0;
    std::vector<COLORREF> pixels;
    EXPECT_TRUE(qv::gdi::readBitmapPixels(static_cast<HBITMAP>(picture.Handle()), w, h, pixels));
    return pixels;
}

TEST(Picture, LoadsBmpOfEveryDepthAndRowOrder) {
    qv::test::GdiLeakGuard leaks;
    struct Case {
        int bpp;
        bool topDown;
        bool core;
    };
    const Case cases[] = {{1, false, false},  {4, false, false},  {8, false, false},
                          {24, false, false}, {32, false, false}, {1, true, false},
                          {8, true, false},   {24, true, false},  {32, true, false},
                          {8, false, true},   {24, false, true}};
    for (const Case& c : cases) {
        const std::string name =
            std::to_string(c.bpp) + (c.topDown ? " top-down" : "") + (c.core ? " core header" : "");
        const Bytes file = makeBmp(5, 3, c.bpp, c.topDown, c.core);
        std::shared_ptr<Picture> picture = loadPicture(file);
        ASSERT_EQ(picture->Type(), PICTYPE_BITMAP) << name;
        EXPECT_EQ(picture->widthPixels(), 5) << name;
        EXPECT_EQ(picture->heightPixels(), 3) << name;
        EXPECT_EQ(picture->Width(), pixelsToHiMetric(5));
        const std::vector<COLORREF> pixels = bitmapPixels(*picture);
        ASSERT_EQ(pixels.size(), 15u);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(pixels[static_cast<std::size_t>(y * 5 + x)], expectedAt(x, y, c.bpp))
                    << name << " at " << x << "," << y;
        EXPECT_EQ(pictureBytes(*picture), file) << name;
        EXPECT_EQ(picture->format(), PictureFormat::Bmp);
    }
}

TEST(Picture, LoadsBitFieldBmps) {
    qv::test::GdiLeakGuard leaks;
    for (int bpp : {16, 32}) {
        std::shared_ptr<Picture> picture = loadPicture(makeBitfieldsBmp(5, 3, bpp));
        const std::vector<COLORREF> pixels = bitmapPixels(*picture);
        ASSERT_EQ(pixels.size(), 15u);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const COLORREF c = trueColorAt(x, y);
                const COLORREF expected =
                    bpp == 32 ? c
                              : RGB(widened(GetRValue(c), 5), widened(GetGValue(c), 6),
                                    widened(GetBValue(c), 5));
                ASSERT_EQ(pixels[static_cast<std::size_t>(y * 5 + x)], expected)
                    << bpp << " bpp at " << x << "," << y;
            }
    }
}

TEST(Picture, HiMetricRoundsToTheNearestUnit) {
    const struct {
        LONG pixels, hiMetric;
    } cases[] = {{0, 0}, {1, 26}, {16, 423}, {32, 847}, {96, 2540}, {-32, -847}};
    for (const auto& c : cases) EXPECT_EQ(pixelsToHiMetric(c.pixels), c.hiMetric) << c.pixels;
}

// One ICO image entry for the directory below.
struct IcoImage {
    int size;
    Bytes data;  // DIB (header, table, XOR rows, AND rows) or PNG bytes
};

// The icon image: an opaque disc-like square with a transparent frame.
bool icoTransparent(int x, int y, int size) {
    return x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
}

Bytes icoDib(int size, int bpp, bool alpha) {
    Bytes out;
    const int colors = bpp <= 8 ? (1 << bpp) : 0;
    put(out, 40, 4);
    put(out, static_cast<std::uint32_t>(size), 4);
    put(out, static_cast<std::uint32_t>(size * 2), 4);
    put(out, 1, 2);
    put(out, static_cast<std::uint32_t>(bpp), 2);
    for (int i = 0; i < 6; ++i) put(out, 0, 4);
    for (int i = 0; i < colors; ++i) {
        const COLORREF c = paletteColor(i);
        out.insert(out.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
    }
    const std::size_t rowsAt = out.size();
    putRows(out, size, size, bpp, false, trueColorAt,
            [bpp](int x, int y) { return indexAt(x, y, bpp); });
    if (alpha) {  // alpha 255 on the opaque part, 0 on the frame
        const int stride = size * 4;
        for (int row = 0; row < size; ++row)
            for (int x = 0; x < size; ++x)
                out[rowsAt + static_cast<std::size_t>(row * stride + x * 4 + 3)] =
                    icoTransparent(x, size - 1 - row, size) ? 0 : 255;
    }
    // The AND mask; with alpha it is left clear so that only alpha tells.
    const int maskStride = ((size + 31) / 32) * 4;
    for (int row = 0; row < size; ++row) {
        Bytes line(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size && !alpha; ++x)
            if (icoTransparent(x, size - 1 - row, size))
                line[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

Bytes makeIco(const std::vector<IcoImage>& images) {
    Bytes out;
    put(out, 0, 2);
    put(out, 1, 2);
    put(out, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IcoImage& image : images) {
        out.push_back(static_cast<std::uint8_t>(image.size));
        out.push_back(static_cast<std::uint8_t>(image.size));
        put(out, 0, 2);
        put(out, 1, 2);
        put(out, 0, 2);
        put(out, static_cast<std::uint32_t>(image.data.size()), 4);
        put(out, offset, 4);
        offset += static_cast<std::uint32_t>(image.data.size());
    }
    for (const IcoImage& image : images)
        out.insert(out.end(), image.data.begin(), image.data.end());
    return out;
}

Bytes pngIconData(int size) {
    qv::gdi::DecodedImage image;
    image.width = image.height = size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const COLORREF c = trueColorAt(x, y);
            const std::uint32_t a = icoTransparent(x, y, size) ? 0 : 0xFF;
            image.pixels.push_back((a << 24) | (GetRValue(c) << 16) | (GetGValue(c) << 8) |
                                   GetBValue(c));
        }
    return qv::gdi::encodePng(image, true);
}

// Draws an icon picture on grey and checks every pixel: the inside shows the
// image's colours; the transparent frame shows grey, XORed with the image's
// colour there unless the image had an alpha channel.
void expectIconDraws(const Picture& picture, int size, int bpp, bool alpha,
                     const std::string& name) {
    constexpr COLORREF kGrey = 0x00C0C0C0;
    qv::test::Canvas canvas = qv::test::Canvas::color(size, size, kGrey);
    ASSERT_TRUE(DrawIconEx(canvas.dc(), 0, 0, static_cast<HICON>(picture.Handle()), 0, 0, 0,
                           nullptr, DI_NORMAL))
        << name;
    qv::test::PixelGrid expected(static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            expected[static_cast<std::size_t>(y)].push_back(
                !icoTransparent(x, y, size) ? expectedAt(x, y, bpp)
                : alpha                     ? kGrey
                                            : kGrey ^ expectedAt(x, y, bpp));
    EXPECT_TRUE(qv::test::pixelsMatch(canvas.dc(), expected, name));
}

TEST(Picture, LoadsIcoChoosingThe32PixelImage) {
    qv::test::GdiLeakGuard leaks;
    struct Case {
        const char* name;
        std::vector<IcoImage> images;
        int expectedSize;
        int bpp;  // of the chosen image (32 = true colour)
    };
    const Case cases[] = {
        {"1 bpp only", {{16, icoDib(16, 1, false)}}, 16, 1},
        {"4 bpp then 32", {{16, icoDib(16, 4, false)}, {32, icoDib(32, 4, false)}}, 32, 4},
        {"8 bpp", {{32, icoDib(32, 8, false)}}, 32, 8},
        {"24 bpp after 16", {{16, icoDib(16, 8, false)}, {32, icoDib(32, 24, false)}}, 32, 24},
        {"32 bpp with alpha", {{32, icoDib(32, 32, true)}}, 32, 32},
        {"png entry", {{32, pngIconData(32)}}, 32, 32},
    };
    for (const Case& c : cases) {
        const Bytes file = makeIco(c.images);
        std::shared_ptr<Picture> picture = loadPicture(file);
        ASSERT_EQ(picture->Type(), PICTYPE_ICON) << c.name;
        EXPECT_EQ(picture->widthPixels(), c.expectedSize) << c.name;
        EXPECT_EQ(picture->Height(), pixelsToHiMetric(c.expectedSize)) << c.name;
        expectIconDraws(*picture, c.expectedSize, c.bpp, c.bpp == 32, c.name);
        EXPECT_EQ(pictureBytes(*picture), file) << c.name;
    }
}

TEST(Picture, LoadsPngAsABitmapFlattenedOnWhite) {
    qv::test::GdiLeakGuard leaks;
    qv::gdi::DecodedImage image{2, 1, {0xFF102030u, 0x00000000u}};
    const Bytes file = qv::gdi::encodePng(image, true);
    std::shared_ptr<Picture> picture = loadPicture(file);
    ASSERT_EQ(picture->Type(), PICTYPE_BITMAP);
    EXPECT_EQ(picture->format(), PictureFormat::Png);
    EXPECT_EQ(bitmapPixels(*picture), (std::vector<COLORREF>{RGB(0x10, 0x20, 0x30), 0x00FFFFFF}));
    EXPECT_EQ(pictureBytes(*picture), file);
}

TEST(Picture, HandlesAreOwnedOnlyWhenAskedAndFreedOnce) {
    qv::test::GdiLeakGuard leaks;
    qv::test::Canvas canvas = qv::test::Canvas::color(3, 2, 0x00123456);
    HBITMAP borrowed = CreateBitmap(4, 4, 1, 1, nullptr);
    {
        std::shared_ptr<Picture> picture = Picture::fromBitmap(borrowed, false);
        ASSERT_NE(picture, nullptr);
        std::shared_ptr<Picture> reference = picture;  // a reference, not a copy
        EXPECT_EQ(reference->Handle(), borrowed);
    }
    EXPECT_TRUE(DeleteObject(borrowed));  // still alive: the picture did not own it

    HBITMAP owned = CreateBitmap(4, 4, 1, 1, nullptr);
    {
        std::shared_ptr<Picture> picture = Picture::fromBitmap(owned, true);
        std::shared_ptr<Picture> second = picture;
        picture.reset();
        EXPECT_EQ(GetObjectType(owned), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(owned), 0u);  // freed with the last reference

    EXPECT_EQ(Picture::fromBitmap(nullptr, true), nullptr);
    EXPECT_EQ(Picture::fromIcon(reinterpret_cast<HICON>(canvas.bitmap()), true), nullptr);

    std::shared_ptr<Picture> none = Picture::empty();
    EXPECT_EQ(none->Type(), PICTYPE_NONE);
    EXPECT_EQ(none->Handle(), nullptr);
    std::shared_ptr<Picture> meta = Picture::metafile(1000, 500);
    EXPECT_EQ(meta->Type(), PICTYPE_METAFILE);
    EXPECT_EQ(meta->Width(), 1000);
    EXPECT_NE(meta->Handle(), nullptr);  // set, as a metafile's is, but no GDI object
    EXPECT_EQ(GetObjectType(meta->Handle()), 0u);
    EXPECT_FALSE(DeleteObject(meta->Handle()));
    for (const auto& p : {none, meta}) {
        try {
            pictureBytes(*p);
            ADD_FAILURE() << "an empty or metafile picture has no bytes";
        } catch (const PictureError& e) {
            EXPECT_EQ(e.number(), kErrInvalidPicture);
        }
    }
}

// Colours derived from a picture's icon are worked out once per picture and
// shared by every later caller; another picture of the same icon derives its own.
TEST(Picture, DerivedColorsAreWorkedOutOncePerPicture) {
    static int runs = 0;
    static HICON seen = nullptr;
    const auto derive = [](HICON icon) {
        ++runs;
        seen = icon;
        return std::vector<COLORREF>{0x010203, static_cast<COLORREF>(runs)};
    };
    std::shared_ptr<Picture> icon = loadPicture(makeIco({{32, icoDib(32, 24, false)}}));
    const std::vector<COLORREF>& first = icon->derivedColors(derive);
    const std::vector<COLORREF>& again = icon->derivedColors(derive);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, icon->Handle());
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(again, (std::vector<COLORREF>{0x010203, 1}));

    std::shared_ptr<Picture> other = Picture::fromIcon(static_cast<HICON>(icon->Handle()), false);
    EXPECT_EQ(other->derivedColors(derive), (std::vector<COLORREF>{0x010203, 2}));
    EXPECT_EQ(icon->derivedColors(derive), first);
}

// Pictures made from handles store as BMP or ICO, and load back the same.
TEST(Picture, PicturesFromHandlesSaveAndLoadBack) {
    qv::test::GdiLeakGuard leaks;
    const qv::test::TempFolder folder("qv-picture");
    const std::string dir = folder.path().string();
    std::shared_ptr<Picture> original = loadPicture(makeBmp(5, 3, 24, false));
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, 5, 3);
    ReleaseDC(nullptr, screen);
    {
        qv::test::Canvas src = qv::test::Canvas::color(1, 1);
        HDC a = CreateCompatibleDC(src.dc());
        HDC b = CreateCompatibleDC(src.dc());
        HGDIOBJ oldA = SelectObject(a, original->Handle());
        HGDIOBJ oldB = SelectObject(b, copy);
        BitBlt(b, 0, 0, 5, 3, a, 0, 0, SRCCOPY);
        SelectObject(a, oldA);
        SelectObject(b, oldB);
        DeleteDC(a);
        DeleteDC(b);
    }
    std::shared_ptr<Picture> fromHandle = Picture::fromBitmap(copy, true);
    EXPECT_EQ(pictureBytesFormat(*fromHandle), PictureFormat::Bmp);
    const std::string bmpPath = dir + "/qv_picture_test.bmp";
    savePicture(*fromHandle, bmpPath);
    std::shared_ptr<Picture> reloaded = loadPictureFile(bmpPath);
    EXPECT_EQ(bitmapPixels(*reloaded), bitmapPixels(*original));

    std::shared_ptr<Picture> icon = loadPicture(makeIco({{32, icoDib(32, 24, false)}}));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon->Handle()), &info));
    HICON iconCopy = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    std::shared_ptr<Picture> iconFromHandle = Picture::fromIcon(iconCopy, true);
    const std::string icoPath = dir + "/qv_picture_test.ico";
    savePicture(*iconFromHandle, icoPath);
    std::shared_ptr<Picture> iconReloaded = loadPictureFile(icoPath);
    ASSERT_EQ(iconReloaded->Type(), PICTYPE_ICON);
    expectIconDraws(*iconReloaded, 32, 24, false, "icon saved from a handle");

    try {
        loadPictureFile(dir + "/qv_no_such_picture.bmp");
        ADD_FAILURE() << "a missing file must be refused";
    } catch (const PictureError& e) {
        EXPECT_EQ(e.number(), kErrFileNotFound);
    }
}

// Damaged files: every refusal is error 481 with a reason; nothing crashes
// or leaks, whatever the damage.
TEST(Picture, DamagedFilesAreRefusedWithInvalidPicture) {
    qv::test::GdiLeakGuard leaks;
    Bytes rle = makeBmp(4, 4, 8, false);
    rle[30] = 1;  // BI_RLE8
    Bytes hugeBmp = makeBmp(4, 4, 24, false);
    hugeBmp[18] = 0xFF;
    hugeBmp[19] = 0xFF;
    hugeBmp[20] = 0xFF;  // width 0x00FFFFFF
    Bytes badIcoOffset = makeIco({{32, icoDib(32, 8, false)}});
    badIcoOffset[18] = 0xFF;
    badIcoOffset[19] = 0xFF;
    const struct {
        const char* name;
        Bytes bytes;
        const char* reason;
    } cases[] = {
        {"empty", {}, "unknown picture format"},
        {"text", {'h', 'e', 'l', 'l', 'o'}, "unknown picture format"},
        {"rle", rle, "run-length"},
        {"huge", hugeBmp, "size out of range"},
        {"icon offset", badIcoOffset, "outside the file"},
    };
    for (const auto& c : cases) {
        try {
            loadPicture(c.bytes);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const PictureError& e) {
            EXPECT_EQ(e.number(), kErrInvalidPicture) << c.name;
            EXPECT_NE(e.description().find(c.reason), std::string::npos)
                << c.name << ": " << e.description();
        }
    }

    const Bytes samples[] = {
        makeBmp(7, 5, 4, false), makeBmp(3, 3, 32, true),
        makeIco({{16, icoDib(16, 8, false)}, {32, pngIconData(32)}}),
        makeIco({{32, icoDib(32, 1, false)}}),
        qv::gdi::encodePng({3, 2, std::vector<std::uint32_t>(6, 0xFF00FF00u)}, false)};
    const unsigned seed = 4811;
    std::mt19937 rng(seed);
    int refused = 0;
    for (const Bytes& sample : samples) {
        std::vector<Bytes> variants;
        for (std::size_t n = 0; n < sample.size(); n += 1 + sample.size() / 97) {
            variants.emplace_back(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(n));
        }
        for (int round = 0; round < 300; ++round) {
            Bytes bad = sample;
            for (int k = 0; k < 4; ++k) bad[rng() % bad.size()] = static_cast<std::uint8_t>(rng());
            variants.push_back(std::move(bad));
        }
        for (const Bytes& bytes : variants) {
            try {
                std::shared_ptr<Picture> picture = loadPicture(bytes);
                EXPECT_NE(picture->Handle(), nullptr) << "seed " << seed;
            } catch (const PictureError& e) {
                ++refused;
                ASSERT_EQ(e.number(), kErrInvalidPicture) << "seed " << seed;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace qv::ole
