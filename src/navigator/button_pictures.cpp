#include "navigator/button_pictures.h"

#include <array>
#include <cstdlib>

#include "platform/ole/picture.h"
#include "platform/win32.h"

namespace qv::navigator {

namespace {

constexpr int Size = 16;
// Colours as 32-bpp pixels (0x00RRGGBB), from the 16-colour palette.
constexpr std::uint32_t Face = 0x00C0C0C0;
constexpr std::uint32_t Ink = 0x00000000;
constexpr std::uint32_t Blue = 0x00000080;
constexpr std::uint32_t Red = 0x00800000;
constexpr std::uint32_t White = 0x00FFFFFF;

class Glyph {
  public:
    Glyph() { m_pixels.fill(Face); }

    void dot(int x, int y, std::uint32_t c) {
        if (x >= 0 && x < Size && y >= 0 && y < Size) m_pixels[y * Size + x] = c;
    }
    void fill(int x1, int y1, int x2, int y2, std::uint32_t c) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) dot(x, y, c);
    }
    // A solid triangle pointing left (dir -1) or right (dir 1) with its tip at
    // column `tip`, five rows either side of row 7.
    void triangle(int tip, int dir, std::uint32_t c) {
        for (int d = 0; d <= 5; ++d) fill(tip - dir * d, 7 - d, tip - dir * d, 7 + d, c);
    }
    void diagonal(int x1, int y1, int x2, int y2, std::uint32_t c) {
        int steps = std::abs(x2 - x1);
        int sy = y2 > y1 ? 1 : -1, sx = x2 > x1 ? 1 : -1;
        for (int i = 0; i <= steps; ++i) {
            dot(x1 + sx * i, y1 + sy * i, c);
            dot(x1 + sx * i + 1, y1 + sy * i, c);
        }
    }
    const std::uint32_t* data() const { return m_pixels.data(); }

  private:
    std::array<std::uint32_t, Size * Size> m_pixels{};
};

void drawGlyph(Glyph& g, int index) {
    switch (index) {
        case 0:  // bar and left-pointing triangle
            g.fill(3, 2, 4, 12, Ink);
            g.triangle(6, -1, Ink);
            break;
        case 1:  // left-pointing triangle
            g.triangle(5, -1, Ink);
            break;
        case 2:  // right-pointing triangle
            g.triangle(10, 1, Ink);
            break;
        case 3:  // right-pointing triangle and bar
            g.triangle(9, 1, Ink);
            g.fill(11, 2, 12, 12, Ink);
            break;
        case 4:  // binoculars: two lenses and a bridge
            g.fill(2, 5, 6, 11, Ink);
            g.fill(9, 5, 13, 11, Ink);
            g.fill(6, 6, 9, 8, Ink);
            g.fill(3, 7, 5, 9, Blue);
            g.fill(10, 7, 12, 9, Blue);
            break;
        case 5:  // plus sign
            g.fill(7, 3, 8, 12, Ink);
            g.fill(3, 7, 12, 8, Ink);
            break;
        case 6:  // minus sign
            g.fill(3, 7, 12, 8, Ink);
            break;
        case 7:  // sheet with pencil
            g.fill(2, 2, 10, 13, Ink);
            g.fill(3, 3, 9, 12, White);
            g.diagonal(8, 13, 13, 8, Red);
            break;
        case 8:  // disk with pencil
            g.fill(2, 2, 11, 13, Blue);
            g.fill(4, 2, 9, 6, White);
            g.diagonal(9, 14, 14, 9, Red);
            break;
        case 9:  // cross with pencil
            g.diagonal(2, 2, 10, 10, Red);
            g.diagonal(10, 2, 2, 10, Red);
            g.diagonal(9, 14, 14, 9, Ink);
            break;
        default:
            break;
    }
}

}  // namespace

std::shared_ptr<ole::Picture> buttonPicture(std::int16_t index) {
    if (index < 0 || index > 9) return nullptr;
    Glyph glyph;
    drawGlyph(glyph, index);
    HBITMAP bitmap = CreateBitmap(Size, Size, 1, 32, glyph.data());
    if (!bitmap) return nullptr;
    return ole::Picture::fromBitmap(bitmap, true);
}

}  // namespace qv::navigator
