// SPDX-License-Identifier: MIT
// The picture button's cases of the cross-check. Each draws at the call's
// place by moving the destination's viewport origin there, since the button
// paints from its own origin; the brush origin stays with the device, as it
// does for the button's window.
#include "crosscheck/button_cases.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "crosscheck/dib32.h"
#include "effects/paint_effects.h"
#include "effects/picture_source.h"
#include "platform/win32.h"
#include "softbutton/button_drawing.h"
#include "softbutton/button_face.h"

namespace qv::crosscheck {
namespace {

using namespace qv::softbutton;
namespace style = qv::softbutton::button_style;

// A bitmap or icon picture whose size is known, as a picture object's is.
class SizedPicture : public effects::PictureSource {
  public:
    SizedPicture(short type, HANDLE handle, int w, int h)
        : m_type(type), m_handle(handle), m_w(toHiMetric(w)), m_h(toHiMetric(h)) {}
    short type() const override { return m_type; }
    HANDLE handle() const override { return m_handle; }
    LONG width() const override { return m_w; }
    LONG height() const override { return m_h; }

  private:
    static LONG toHiMetric(int pixels) { return (pixels * 2540 + 48) / 96; }
    short m_type;
    HANDLE m_handle;
    LONG m_w, m_h;
};

// A 32-bit DIB section with a magenta corner (the transparent colour of the
// corner operations) and stripes of black, white, greys and colours; `seed`
// varies the stripes so that the button's pictures differ.
HBITMAP makePicture(int w, int h, int seed) {
    constexpr std::array<DWORD, 6> stripes{0x000000, 0xFFFFFF, 0x808080,
                                           0x0000FF, 0xFF8000, 0xC0C0C0};
    DWORD* pixels = nullptr;
    HBITMAP bitmap = createDib32(w, h, pixels);
    if (bitmap == nullptr) return nullptr;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool key = (x + y) % 5 == 0 || x == 0;
            pixels[y * w + x] = key ? 0xFF00FF : stripes[(x / 2 + y + seed) % stripes.size()];
        }
    }
    GdiFlush();
    return bitmap;
}

// A 16 x 16 icon over a picture: a transparent ring two pixels wide and a
// screen-inverting spot in the middle.
HICON makeIcon(int seed) {
    constexpr int kSize = 16;
    HBITMAP color = makePicture(kSize, kSize, seed);
    std::array<BYTE, kSize * 2> mask{};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool edge = x < 2 || y < 2 || x >= kSize - 2 || y >= kSize - 2;
            const bool invert = (x == 7 || x == 8) && y == 8;
            if (edge || invert) mask[y * 2 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    HBITMAP maskBitmap = CreateBitmap(kSize, kSize, 1, 1, mask.data());
    ICONINFO info{TRUE, 0, 0, maskBitmap, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(maskBitmap);
    DeleteObject(color);
    return icon;
}

// Draws with the destination's origin moved to the call's place.
template <typename Paint>
void atCall(const Call& c, Paint&& paint) {
    POINT old{};
    SetViewportOrgEx(c.dest, c.x, c.y, &old);
    paint();
    SetViewportOrgEx(c.dest, old.x, old.y, nullptr);
}

struct Size {
    int w, h;
};
// Even and odd leftovers around the pictures.
constexpr std::array<Size, 2> kSizes{{{24, 22}, {23, 19}}};

std::string sizeName(Size s) {
    return std::to_string(s.w) + "x" + std::to_string(s.h);
}

// A state of the button as a mouse move leaves it: what paintFace reads. The
// mouse code then frames a hot button, or erases the frame of any other.
struct ButtonState {
    const char* name;
    bool hot, mouseDown, mouseOver, value, enabled;
};

constexpr std::array<ButtonState, 7> kStates{{{"up", false, false, false, false, true},
                                              {"hot", true, false, true, false, true},
                                              {"pressed", true, true, true, false, true},
                                              {"pressed-outside", true, true, false, false, true},
                                              {"checked", false, false, false, true, true},
                                              {"checked-hot", true, false, true, true, true},
                                              {"disabled", false, false, false, false, false}}};

constexpr std::array<std::pair<const char*, std::int16_t>, 4> kTrackingStyles{
    {{"flat", style::Flat},
     {"flatthick", style::FlatThick},
     {"raised", style::Raised},
     {"toggle", style::Toggle}}};

constexpr OLE_COLOR kBack = 0x00306090;
// A system colour index past the table's end: it translates to nothing, and
// the fills in it are left out.
constexpr OLE_COLOR kBadColor = 0x80000040;

}  // namespace

struct ButtonCases::Sources {
    HBITMAP normal = makePicture(16, 16, 0);
    HBITMAP odd = makePicture(13, 9, 1);
    HBITMAP alternate = makePicture(14, 11, 3);
    // Larger than the button on both sizes: centring leaves it hanging over.
    HBITMAP big = makePicture(28, 25, 4);
    HICON icon = makeIcon(5);
    SizedPicture normalPicture{effects::kPictureTypeBitmap, normal, 16, 16};
    SizedPicture oddPicture{effects::kPictureTypeBitmap, odd, 13, 9};
    SizedPicture alternatePicture{effects::kPictureTypeBitmap, alternate, 14, 11};
    SizedPicture bigPicture{effects::kPictureTypeBitmap, big, 28, 25};
    SizedPicture iconPicture{effects::kPictureTypeIcon, icon, 16, 16};
    HBRUSH checker = MakeCheckerBrush();
    effects::PaintEffects fx;

    ~Sources() {
        DeleteObject(checker);
        DeleteObject(normal);
        DeleteObject(odd);
        DeleteObject(alternate);
        DeleteObject(big);
        DestroyIcon(icon);
    }
};

ButtonCases::ButtonCases() : m_sources(std::make_unique<Sources>()) {}
ButtonCases::~ButtonCases() = default;

void ButtonCases::addTo(std::vector<Case>& cases) const {
    const Sources* s = m_sources.get();
    const auto add = [&cases](std::string name, Size size, auto paint) {
        cases.push_back(
            {"Button/" + std::move(name), size.w, size.h,
             [paint](const PaintEffects&, const Call& c) { atCall(c, [&] { paint(c); }); }});
    };

    // The drawing routines on their own.
    for (Size size : kSizes) {
        const std::string sz = sizeName(size);
        for (bool down : {false, true}) {
            for (bool thick : {false, true}) {
                add(std::string("box/") + (thick ? "thick" : "thin") + (down ? "-down/" : "-up/") +
                        sz,
                    size, [down, thick](const Call& c) {
                        Draw3DBox(c.dest, 0, 0, static_cast<float>(c.w), static_cast<float>(c.h),
                                  down, thick);
                    });
            }
        }
        add("etched/" + sz, size,
            [](const Call& c) { DrawEtchedLine(c.dest, 3, 0, 2, static_cast<float>(c.h)); });
        add("grip/" + sz, size,
            [](const Call& c) { DrawGripBar(c.dest, 3, 0, 3, static_cast<float>(c.h)); });
        add("checker/" + sz, size, [s](const Call& c) {
            FillPattern(c.dest, s->checker, 1, 1, static_cast<float>(c.w - 2),
                        static_cast<float>(c.h - 2));
        });
        add("line/" + sz, size, [](const Call& c) {
            drawLine(c.dest, 0, 0, static_cast<float>(c.w), static_cast<float>(c.h) / 2,
                     kButtonShadow);
            outlineBox(c.dest, 2, 2, static_cast<float>(c.w - 3), static_cast<float>(c.h - 3),
                       kDarkShadow);
        });
    }

    // The separator and the gripper on odd and even widths.
    for (Size size : kSizes) {
        for (auto [name, st] :
             {std::pair{"separator", style::Separator}, std::pair{"gripper", style::Gripper}}) {
            const std::int16_t face = st;
            const bool bad = size.w % 2 == 1;
            add(std::string(name) + (bad ? "/badcolour/" : "/") + sizeName(size), size,
                [s, face, bad](const Call& c) {
                    FaceState state;
                    state.style = face;
                    state.paintBackColor = bad ? kBadColor : kBack;
                    paintFace(c.dest, static_cast<float>(c.w), static_cast<float>(c.h), state, {},
                              s->fx, s->checker, true);
                });
        }
    }

    // The faces of the tracking styles: every state, without a picture, with
    // one, and with the others a state may choose instead, on both sizes.
    const std::array<std::pair<const char*, FacePictures>, 6> pictureSets{
        {{"nopicture", {}},
         {"picture", {&s->normalPicture, nullptr, nullptr, nullptr}},
         {"oddpicture", {&s->oddPicture, nullptr, nullptr, nullptr}},
         {"bigpicture", {&s->bigPicture, nullptr, nullptr, nullptr}},
         {"icon", {&s->iconPicture, nullptr, nullptr, nullptr}},
         {"allpictures",
          {&s->normalPicture, &s->alternatePicture, &s->oddPicture, &s->alternatePicture}}}};
    size_t turn = 0;
    for (const auto& [styleName, st] : kTrackingStyles) {
        for (const ButtonState& b : kStates) {
            if (b.value && st != style::Toggle) continue;
            for (const auto& [picName, pics] : pictureSets) {
                // Shifted every round, so that each picture meets both sizes.
                const Size size = kSizes[(turn + turn / pictureSets.size()) % kSizes.size()];
                ++turn;
                const std::int16_t face = st;
                const FacePictures p = pics;
                add(std::string(styleName) + "/" + b.name + "/" + picName + "/" + sizeName(size),
                    size, [s, face, b, p](const Call& c) {
                        const FaceState state{face,    b.hot,     b.mouseDown, b.mouseOver,
                                              b.value, b.enabled, kBack};
                        const auto w = static_cast<float>(c.w), h = static_cast<float>(c.h);
                        paintFace(c.dest, w, h, state, p, s->fx, s->checker, true);
                        const bool checked = face == style::Toggle && b.value;
                        if (b.hot) {
                            // Held down outside, the frame is drawn up.
                            const bool down = b.mouseOver && (checked || b.mouseDown);
                            Draw3DBox(c.dest, 0, 0, w, h, down, thickFrame(face));
                        } else if (!checked && face != style::Raised) {
                            outlineBox(c.dest, 0, 0, w, h, kBack);
                            outlineBox(c.dest, 1, 1, w - 1, h - 1, kBack);
                        }
                    });
            }
        }
    }
}

}  // namespace qv::crosscheck
