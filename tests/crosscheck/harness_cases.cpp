// SPDX-License-Identifier: MIT
// The cross-check harness's case table and the record each case writes. It
// uses nothing but the platform API, so that it builds against the platform's
// own headers as well as against the stand-in.
#include "crosscheck/harness_cases.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "crosscheck/button_cases.h"
#include "crosscheck/harness_platform.h"
#include "effects/effects_error.h"
#include "effects/handle_picture.h"
#include "effects/paint_effects.h"
#include "effects/picture_source.h"
#include "platform/win32.h"

namespace qv::crosscheck {
namespace {

using qv::effects::EffectsError;
using qv::effects::HandlePicture;
using qv::effects::PaintEffects;
using qv::effects::PictureSource;

constexpr COLORREF kKey = 0xFF00FF;
constexpr COLORREF kAbsent = 0x010203;  // occurs in no source

// The system colours the operations use, set on both platforms before any
// drawing so that the two runs share one colour table.
constexpr std::array<int, 5> kSysIndexes{COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT,
                                         COLOR_3DDKSHADOW, COLOR_HIGHLIGHTTEXT};
constexpr std::array<COLORREF, 5> kSysValues{0xC0C0C0, 0x808080, 0xFFFFFF, 0x404040, 0xFFFFFF};
constexpr OLE_COLOR kSysFace = 0x8000000F;
constexpr OLE_COLOR kSysHighlight = 0x80000014;
constexpr OLE_COLOR kSysShadow = 0x80000010;

// Source colours: the key first (so pixel (0, 0) has it), then the colours
// whose treatment differs: black, white, the greys either side of the middle.
constexpr std::array<COLORREF, 12> kColors{kKey,     0x000000, 0xFFFFFF, 0x808080,
                                           0xC0C0C0, 0x404040, 0x0000FF, 0xFF0000,
                                           0x00FF00, 0x7F7F7F, 0x0080FF, 0x204060};

int colorIndexAt(int x, int y, int count) {
    return (x * 3 + y * 5 + ((x ^ y) & 3)) % count;
}

// Every colour form is written as 0x00RRGGBB in a 32-bit DIB.
DWORD dibPixel(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

struct Bitmap {
    HBITMAP handle = nullptr;
    int w = 0;
    int h = 0;
};

// A top-down DIB section of the given depth holding the colour pattern; depths
// up to 8 bits go through a colour table.
Bitmap makeDib(int bpp, int w, int h) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = w;
    info.header.biHeight = -h;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bpp);
    info.header.biCompression = BI_RGB;
    const int tableSize = bpp == 1 ? 2 : static_cast<int>(kColors.size());
    for (int i = 0; i < tableSize; ++i) {
        info.colors[i] =
            RGBQUAD{GetBValue(kColors[i]), GetGValue(kColors[i]), GetRValue(kColors[i]), 0};
    }
    void* bits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   &bits, nullptr, 0);
    if (hbm == nullptr) return Bitmap{nullptr, w, h};
    const int stride = ((w * bpp + 31) / 32) * 4;
    auto* rows = static_cast<BYTE*>(bits);
    for (int y = 0; y < h; ++y) {
        BYTE* row = rows + y * stride;
        for (int x = 0; x < w; ++x) {
            const int index = colorIndexAt(x, y, tableSize);
            const COLORREF c = kColors[index];
            switch (bpp) {
                case 1:
                    if (index) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
                    break;
                case 4:
                    row[x / 2] |= static_cast<BYTE>(x % 2 ? index : index << 4);
                    break;
                case 8:
                    row[x] = static_cast<BYTE>(index);
                    break;
                case 24:
                    row[x * 3] = GetBValue(c);
                    row[x * 3 + 1] = GetGValue(c);
                    row[x * 3 + 2] = GetRValue(c);
                    break;
                default:
                    reinterpret_cast<DWORD*>(row)[x] = dibPixel(c);
            }
        }
    }
    GdiFlush();
    return Bitmap{hbm, w, h};
}

// A monochrome DDB: a checker of set and clear bits with a set corner.
Bitmap makeMono(int w, int h) {
    const int stride = ((w + 15) / 16) * 2;
    std::vector<BYTE> bits(static_cast<size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((x / 2 + y) % 3 != 1)
                bits[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    return Bitmap{CreateBitmap(w, h, 1, 1, bits.data()), w, h};
}

// An icon of the given size: a ring of transparent pixels, opaque black,
// white, key-coloured and coloured pixels inside, and a screen-inverting spot.
// Without black, its opaque black pixels turn dark grey, which leaves black
// free as the key colour of the corner looks.
// An icon with a transparent edge and two inverting pixels in its middle row;
// without black, its opaque black turns dark grey. Leaving out the edge or the
// inverting pixels gives the icons whose disabled look is made straight from
// their parts.
struct IconParts {
    bool withBlack = true;
    bool edge = true;
    bool inverting = true;
};

HICON makeIcon(int size, IconParts parts = {}) {
    HDC hdcScreen = GetDC(nullptr);
    HBITMAP hbmColor = CreateCompatibleBitmap(hdcScreen, size, size);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HGDIOBJ old = SelectObject(hdc, hbmColor);
    const int stride = ((size + 15) / 16) * 2;
    std::vector<BYTE> mask(static_cast<size_t>(stride * size), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool edge = parts.edge && (x < 2 || y < 2 || x >= size - 2 || y >= size - 2);
            const bool invert =
                parts.inverting && x >= size / 2 - 1 && x <= size / 2 && y == size / 2;
            COLORREF c = kColors[colorIndexAt(x, y, static_cast<int>(kColors.size()))];
            if (!parts.withBlack && c == 0) c = 0x202020;
            if (edge) c = 0;
            if (invert) c = 0xFFFFFF;
            if (edge || invert) mask[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            SetPixel(hdc, x, y, c);
        }
    }
    SelectObject(hdc, old);
    DeleteDC(hdc);
    ReleaseDC(nullptr, hdcScreen);
    HBITMAP hbmMask = CreateBitmap(size, size, 1, 1, mask.data());
    ICONINFO info{TRUE, 0, 0, hbmMask, hbmColor};
    HICON hIcon = CreateIconIndirect(&info);
    DeleteObject(hbmMask);
    DeleteObject(hbmColor);
    return hIcon;
}

// The sources every case may draw from, made once.
struct Sources {
    // Pictures and DC sources each get their own bitmaps: a bitmap held by a
    // source DC could not be selected anywhere else.
    std::vector<std::pair<std::string, Bitmap>> bitmaps;    // name, bitmap
    std::vector<std::pair<std::string, Bitmap>> dcBitmaps;  // the same, for source DCs
    std::vector<std::pair<std::string, HICON>> icons;       // name, icon at its size
    Bitmap mono;

    Sources() {
        const std::array<int, 5> depths{1, 4, 8, 24, 32};
        for (size_t i = 0; i < depths.size(); ++i) {
            // Odd and even sizes in turn.
            const int w = i % 2 ? 16 : 13;
            const int h = i % 2 ? 12 : 9;
            const std::string name =
                std::to_string(depths[i]) + "bpp" + std::to_string(w) + "x" + std::to_string(h);
            bitmaps.emplace_back(name, makeDib(depths[i], w, h));
            dcBitmaps.emplace_back(name, makeDib(depths[i], w, h));
        }
        for (int size : {32, 16, 48}) {
            icons.emplace_back("icon" + std::to_string(size), makeIcon(size));
        }
        icons.emplace_back("icon32-noblack", makeIcon(32, {.withBlack = false}));
        icons.emplace_back("icon32-noinvert", makeIcon(32, {.inverting = false}));
        icons.emplace_back("icon32-noedge", makeIcon(32, {.withBlack = false, .edge = false}));
        mono = makeMono(11, 7);
    }
    ~Sources() {
        for (auto& b : bitmaps) DeleteObject(b.second.handle);
        for (auto& b : dcBitmaps) DeleteObject(b.second.handle);
        for (auto& i : icons) DestroyIcon(i.second);
        DeleteObject(mono.handle);
    }
    Sources(const Sources&) = delete;
    Sources& operator=(const Sources&) = delete;
};

// What a DC holds; a drawing call must leave all of it as it found it.
struct DcState {
    HGDIOBJ bitmap, brush, pen, palette, font;
    COLORREF text, background;
    int mapMode;

    static DcState of(HDC hdc) {
        return DcState{GetCurrentObject(hdc, OBJ_BITMAP),
                       GetCurrentObject(hdc, OBJ_BRUSH),
                       GetCurrentObject(hdc, OBJ_PEN),
                       GetCurrentObject(hdc, OBJ_PAL),
                       GetCurrentObject(hdc, OBJ_FONT),
                       GetTextColor(hdc),
                       GetBkColor(hdc),
                       GetMapMode(hdc)};
    }
    // The names of what differs from before, or "ok".
    std::string changesSince(const DcState& before) const {
        std::string out;
        auto note = [&out](bool changed, const char* what) {
            if (changed) out += std::string(out.empty() ? "" : ",") + what;
        };
        note(bitmap != before.bitmap, "bitmap");
        note(brush != before.brush, "brush");
        note(pen != before.pen, "pen");
        note(palette != before.palette, "palette");
        note(font != before.font, "font");
        note(text != before.text, "text-colour");
        note(background != before.background, "background-colour");
        note(mapMode != before.mapMode, "map-mode");
        return out.empty() ? "ok" : out;
    }
};

// A source selected into a DC of its own for the DC operations, with chosen
// text and background colours (they colour a monochrome source).
class SourceDc {
  public:
    SourceDc(HBITMAP hbm, COLORREF text, COLORREF background) : m_dc(CreateCompatibleDC(nullptr)) {
        m_old = SelectObject(m_dc, hbm);
        SetTextColor(m_dc, text);
        SetBkColor(m_dc, background);
    }
    ~SourceDc() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    SourceDc(const SourceDc&) = delete;
    SourceDc& operator=(const SourceDc&) = delete;
    HDC dc() const { return m_dc; }

  private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Where a block lands: inside, across each edge of the destination, or across
// every edge of a clip rectangle.
struct Placement {
    const char* name;
    int x, y;
    bool clipped;
};

Placement placementFor(size_t i, int w, int h) {
    const std::array<Placement, 6> all{{{"inside", 5, 4, false},
                                        {"left", -3, 6, false},
                                        {"top", 6, -3, false},
                                        {"right", kDestW - w + 3, 6, false},
                                        {"bottom", 6, kDestH - h + 3, false},
                                        {"clip", 4, 4, true}}};
    // Shifted every round of six, so that no operation keeps one placement.
    return all[(i + i / all.size()) % all.size()];
}

// The reason a case cannot be drawn on this side: its source bitmap could not
// be made. Empty when it can (every depth the table uses is made on both sides).
const std::string kNoSource = "no DIB section of this depth on this side";
// The stand-in refuses bitmaps of a negative size or with a side above 32768
// pixels, where the platform makes them; the operation then draws nothing.
const std::string kNoWorkBitmap =
    "the stand-in makes no bitmap of a negative size or with a side above 32768 pixels";
std::string unavailable(const Bitmap& b) {
    return b.handle ? std::string() : kNoSource;
}

struct ColorSet {
    const char* name;
    OLE_COLOR mask, highlight, shadow;
};

std::string hex(DWORD v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(v));
    return text;
}

}  // namespace

void runCase(const PaintEffects& fx, Destination& dest, const Case& c, size_t index, FILE* out) {
    const Placement p = placementFor(index, c.w, c.h);
    dest.reset(index % 2 == 1);
    if (p.clipped) IntersectClipRect(dest.dc(), 8, 7, 8 + c.w - 6, 7 + c.h - 5);
    const DcState destBefore = DcState::of(dest.dc());
    const DcState srcBefore = c.src ? DcState::of(c.src) : DcState{};
    const long liveBefore = qv::crosscheck::liveGdiObjects();
    std::string result = c.knownDifference == kNoSource ? "unavailable" : "ok";
    try {
        if (result == "ok") c.draw(fx, Call{dest.dc(), p.x, p.y, c.w, c.h});
    } catch (const EffectsError& e) {
        result = "error " + std::to_string(e.number());
    }
    const long liveAfter = qv::crosscheck::liveGdiObjects();
    std::string state = "dest:" + DcState::of(dest.dc()).changesSince(destBefore);
    if (c.src) state += " src:" + DcState::of(c.src).changesSince(srcBefore);

    std::fprintf(out, "case %s/%s\n", c.name.c_str(), p.name);
    if (!c.knownDifference.empty()) std::fprintf(out, "known %s\n", c.knownDifference.c_str());
    std::fprintf(out, "result %s\nstate %s\n", result.c_str(), state.c_str());
    if (liveBefore < 0 || liveAfter < 0) {
        std::fprintf(out, "objects unknown\n");
    } else {
        std::fprintf(out, "objects %ld\n", liveAfter - liveBefore);
    }
    std::fprintf(out, "pixels %d %d\n", kDestW, kDestH);
    const DWORD* bits = dest.bits();
    for (int y = 0; y < kDestH; ++y) {
        for (int x = 0; x < kDestW; ++x) {
            std::fprintf(out, "%s%c", hex(bits[y * kDestW + x] & 0xFFFFFF).c_str(),
                         x + 1 == kDestW ? '\n' : ' ');
        }
    }
}

namespace {

using DcOp = void (PaintEffects::*)(HDC, LONG, LONG, LONG, LONG, HDC, LONG, LONG) const;
using PicOp = void (PaintEffects::*)(HDC, LONG, LONG, LONG, LONG, const PictureSource*, LONG, LONG,
                                     HPALETTE) const;

}  // namespace

struct CaseTable::Holders {
    Sources sources;
    std::vector<Case> cases;
    std::vector<std::unique_ptr<SourceDc>> dcs;
    std::vector<std::unique_ptr<HandlePicture>> pictures;
    ButtonCases buttons;
};

namespace {

// Fills the table's cases from its sources.
void buildTable(CaseTable::Holders& t) {
    const Sources& s = t.sources;
    // DC sources: every depth, and the monochrome bitmap coloured by its DC.
    std::vector<std::pair<std::string, const Bitmap*>> dcSources;
    for (const auto& b : s.dcBitmaps) dcSources.emplace_back(b.first, &b.second);
    dcSources.emplace_back("mono11x7", &s.mono);
    auto dcFor = [&t](const Bitmap& b) {
        t.dcs.push_back(std::make_unique<SourceDc>(b.handle, 0x00FF00, kKey));
        return t.dcs.back()->dc();
    };

    const std::array<std::pair<const char*, OLE_COLOR>, 5> masks{
        {{"key", kKey},
         {"absent", kAbsent},
         {"sysface", kSysFace},
         {"palrgb", PALETTERGB(255, 0, 255)},
         {"palindex0", PALETTEINDEX(0)}}};
    const std::array<ColorSet, 5> disabledSets{{{"sys", kKey, kSysHighlight, kSysShadow},
                                                {"whitemask", 0xFFFFFF, kSysHighlight, kSysShadow},
                                                {"blackred", kKey, 0x000000, 0x0000FF},
                                                {"blueblack", kKey, 0xFF0000, 0x000000},
                                                {"palindex0", kKey, PALETTEINDEX(0), kSysShadow}}};

    for (const auto& [name, bm] : dcSources) {
        HDC src = dcFor(*bm);
        for (const auto& [maskName, mask] : masks) {
            const OLE_COLOR m = mask;
            t.cases.push_back({"TransparentDC/" + name + "/" + maskName, bm->w, bm->h,
                               [src, m](const PaintEffects& fx, const Call& c) {
                                   fx.PaintTransparentDC(c.dest, c.x, c.y, c.w, c.h, src, 0, 0, m);
                               },
                               src, unavailable(*bm)});
        }
        for (const ColorSet& set : disabledSets) {
            t.cases.push_back({"DisabledDC/" + name + "/" + set.name, bm->w, bm->h,
                               [src, set](const PaintEffects& fx, const Call& c) {
                                   fx.PaintDisabledDC(c.dest, c.x, c.y, c.w, c.h, src, 0, 0,
                                                      set.mask, set.highlight, set.shadow);
                               },
                               src, unavailable(*bm)});
        }
        const std::array<std::pair<const char*, DcOp>, 2> cornerOps{
            {{"TransCornerDC", &PaintEffects::PaintTransCornerDC},
             {"DisabledCornerDC", &PaintEffects::PaintDisabledCornerDC}}};
        for (const auto& [opName, op] : cornerOps) {
            const DcOp f = op;
            // A block from inside the source: the corner still comes from (0, 0).
            t.cases.push_back({std::string(opName) + "/" + name + "/offset", bm->w - 3, bm->h - 2,
                               [src, f](const PaintEffects& fx, const Call& c) {
                                   (fx.*f)(c.dest, c.x, c.y, c.w, c.h, src, 2, 1);
                               },
                               src, unavailable(*bm)});
        }
    }

    // Picture operations over every bitmap depth and every icon size.
    std::vector<std::tuple<std::string, const HandlePicture*, int, int, std::string>> pictures;
    for (const auto& [name, bm] : s.bitmaps) {
        t.pictures.push_back(std::make_unique<HandlePicture>(qv::effects::kPictureTypeBitmap,
                                                             static_cast<HANDLE>(bm.handle)));
        pictures.emplace_back(name, t.pictures.back().get(), bm.w, bm.h, unavailable(bm));
    }
    const int iconSize = GetSystemMetrics(SM_CXICON);
    for (const auto& [name, icon] : s.icons) {
        t.pictures.push_back(std::make_unique<HandlePicture>(qv::effects::kPictureTypeIcon,
                                                             static_cast<HANDLE>(icon)));
        pictures.emplace_back(name, t.pictures.back().get(), iconSize, iconSize, std::string());
    }
    const std::array<std::pair<const char*, PicOp>, 4> picOps{
        {{"NormalStdPic", &PaintEffects::PaintNormalStdPic},
         {"TransCornerStdPic", &PaintEffects::PaintTransCornerStdPic},
         {"DisabledCornerStdPic", &PaintEffects::PaintDisabledCornerStdPic},
         {"GreyScaleCornerStdPic", &PaintEffects::PaintGreyScaleCornerStdPic}}};
    for (const auto& [name, pic, w, h, missing] : pictures) {
        const HandlePicture* p = pic;
        for (const auto& [opName, op] : picOps) {
            const PicOp f = op;
            t.cases.push_back({std::string(opName) + "/" + name, w, h,
                               [p, f](const PaintEffects& fx, const Call& c) {
                                   (fx.*f)(c.dest, c.x, c.y, c.w, c.h, p, 0, 0, nullptr);
                               },
                               nullptr, missing});
        }
        t.cases.push_back({"TransparentStdPic/" + name, w, h,
                           [p](const PaintEffects& fx, const Call& c) {
                               fx.PaintTransparentStdPic(c.dest, c.x, c.y, c.w, c.h, p, 0, 0, kKey);
                           },
                           nullptr, missing});
        t.cases.push_back({"DisabledStdPic/" + name, w, h,
                           [p](const PaintEffects& fx, const Call& c) {
                               fx.PaintDisabledStdPic(c.dest, c.x, c.y, c.w, c.h, p, 0, 0, kKey,
                                                      kSysHighlight, kSysShadow);
                           },
                           nullptr, missing});
    }
    // An icon stretched to a size other than its own.
    const HandlePicture* icon32 = std::get<1>(pictures[s.bitmaps.size()]);
    for (int size : {16, 48, 21}) {
        t.cases.push_back({"NormalStdPic/icon32-at-" + std::to_string(size), size, size,
                           [icon32](const PaintEffects& fx, const Call& c) {
                               fx.PaintNormalStdPic(c.dest, c.x, c.y, c.w, c.h, icon32, 0, 0);
                           }});
    }
    // Blocks no work bitmap can be made for: nothing may be drawn.
    // The DCs follow dcSources: the 32-bit bitmap's comes just before the monochrome one's.
    HDC src32 = t.dcs[s.dcBitmaps.size() - 1]->dc();
    // A 1-bpp DIB section of negative width cannot be made on either side, so
    // the disabled look of a negative block is nothing on both.
    for (auto [w, h] : {std::pair{-2, 3}, std::pair{40000, 2}}) {
        t.cases.push_back({"TransparentDC/block" + std::to_string(w) + "x" + std::to_string(h), w,
                           h,
                           [src32](const PaintEffects& fx, const Call& c) {
                               fx.PaintTransparentDC(c.dest, 5, 5, c.w, c.h, src32, 0, 0, kKey);
                           },
                           src32, kNoWorkBitmap});
        t.cases.push_back({"DisabledDC/block" + std::to_string(w) + "x" + std::to_string(h), w, h,
                           [src32](const PaintEffects& fx, const Call& c) {
                               fx.PaintDisabledDC(c.dest, 5, 5, c.w, c.h, src32, 0, 0, kKey,
                                                  kSysHighlight, kSysShadow);
                           },
                           src32, w < 0 ? std::string() : kNoWorkBitmap});
    }
    // A source whose viewport origin is moved, so that the block reaches past
    // its bitmap: the pixels with no source keep the destination. The 24-bpp
    // source takes the general path, the 32-bpp one composes in place.
    for (size_t i : {s.dcBitmaps.size() - 2, s.dcBitmaps.size() - 1}) {
        HDC src = t.dcs[i]->dc();
        t.cases.push_back({"TransparentDC/" + s.dcBitmaps[i].first + "/viewport-moved", 13, 9,
                           [src](const PaintEffects& fx, const Call& c) {
                               POINT old{};
                               SetViewportOrgEx(src, 5, 4, &old);
                               fx.PaintTransparentDC(c.dest, c.x, c.y, c.w, c.h, src, 0, 0, kKey);
                               SetViewportOrgEx(src, old.x, old.y, nullptr);
                           },
                           src});
    }
    // A picture of a kind that cannot be drawn.
    t.pictures.push_back(std::make_unique<HandlePicture>(2, nullptr));
    const HandlePicture* metafile = t.pictures.back().get();
    t.cases.push_back(
        {"NormalStdPic/metafile", 8, 8, [metafile](const PaintEffects& fx, const Call& c) {
             fx.PaintNormalStdPic(c.dest, c.x, c.y, c.w, c.h, metafile, 0, 0);
         }});
    t.buttons.addTo(t.cases);
}

}  // namespace

void useFixedSysColors() {
    SetSysColors(static_cast<int>(kSysIndexes.size()), kSysIndexes.data(), kSysValues.data());
}

CaseTable::CaseTable() : m_holders(std::make_unique<Holders>()) {
    buildTable(*m_holders);
}

CaseTable::~CaseTable() = default;

const std::vector<Case>& CaseTable::cases() const {
    return m_holders->cases;
}

std::vector<std::pair<std::string, const Case*>> CaseTable::timedCases() const {
    std::vector<std::pair<std::string, const Case*>> timed;
    for (const Case& c : m_holders->cases) {
        const std::string op = c.name.substr(0, c.name.find('/'));
        const bool seen =
            std::any_of(timed.begin(), timed.end(), [&op](const auto& t) { return t.first == op; });
        if (!seen && c.name.find("/32bpp") != std::string::npos) timed.emplace_back(op, &c);
    }
    return timed;
}

}  // namespace qv::crosscheck
