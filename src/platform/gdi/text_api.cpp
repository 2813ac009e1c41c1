// SPDX-License-Identifier: MIT
// Text functions: CreateFontA/CreateFontIndirectA, TextOutA, DrawTextA,
// GetTextExtentPoint32A and GetTextMetricsA over the FreeType faces. Their
// strings are UTF-8; counts are in bytes, as the narrow API's are.
#include <algorithm>
#include <cstring>

#include "platform/gdi/device_context.h"
#include "platform/gdi/font_face.h"
#include "platform/gdi/logical_font.h"
#include "platform/gdi/text_layout.h"

using qv::gdi::DeviceContext;
using qv::gdi::FontFace;

namespace {

// Characters per tab stop with DT_EXPANDTABS.
constexpr int kTabChars = 8;
// Longest run a text call takes; longer counts are refused.
constexpr int kMaxRun = 1 << 20;

COLORREF blend(COLORREF dst, COLORREF src, int coverage) {
    auto mix = [&](int shift) {
        const int d = static_cast<int>((dst >> shift) & 0xFF);
        const int s = static_cast<int>((src >> shift) & 0xFF);
        return static_cast<COLORREF>((d * (255 - coverage) + s * coverage + 127) / 255) << shift;
    };
    return mix(0) | mix(8) | mix(16);
}

// Writes the pixels of a run directly on the DC's surface, clipped to what
// the DC may touch.
class RunPainter {
  public:
    explicit RunPainter(DeviceContext& dc)
        : m_surface(dc.surface()), m_area(dc.drawableRect()), m_origin(dc.deviceOrigin()) {}

    bool active() const { return m_surface != nullptr; }

    // Coverage 0..255 of colour at device (x, y).
    void plot(int x, int y, COLORREF color, int coverage) {
        const long long sx = static_cast<long long>(x) + m_origin.x;
        const long long sy = static_cast<long long>(y) + m_origin.y;
        if (coverage <= 0 || sx < m_area.left || sy < m_area.top || sx >= m_area.right ||
            sy >= m_area.bottom) {
            return;
        }
        const int px = static_cast<int>(sx);
        const int py = static_cast<int>(sy);
        if (m_surface->isMono()) {
            if (coverage >= 128) {
                m_surface->setRaw(px, py, m_surface->rawOf(color));
            }
            return;
        }
        const COLORREF out =
            coverage >= 255 ? color
                            : blend(m_surface->colorOf(m_surface->raw(px, py)), color, coverage);
        m_surface->setRaw(px, py, m_surface->rawOf(out));
    }

    void fill(const RECT& device, COLORREF color) {
        for (int y = device.top; y < device.bottom; ++y) {
            for (int x = device.left; x < device.right; ++x) {
                plot(x, y, color, 255);
            }
        }
    }

  private:
    qv::gdi::Surface* m_surface;
    RECT m_area;
    POINT m_origin;
};

// Draws one run of UTF-8 text at logical (x, y), the top of its cell;
// underlineAt is the byte offset of one character (a '&' prefix) to
// underline, -1 for none.
void drawRun(DeviceContext& dc, int x, int y, std::string_view text, int underlineAt) {
    RunPainter painter(dc);
    if (!painter.active()) {
        return;  // the screen DC keeps no pixels
    }
    FontFace& face = qv::gdi::faceOf(dc);
    const auto& m = face.metrics();
    const LOGFONTA* lf = dc.font() != nullptr ? &dc.font()->logFont() : nullptr;
    const POINT p = dc.toDevice(x, y);
    const int width = face.measure(text);
    const COLORREF textColor = dc.resolveColor(dc.state().textColor);
    if (dc.state().bkMode == OPAQUE) {
        painter.fill(RECT{p.x, p.y, p.x + width, p.y + m.height},
                     dc.resolveColor(dc.state().bkColor));
    }
    const int baseline = p.y + m.ascent;
    int pen = p.x;
    const int underlineRow = std::min(baseline + 1, p.y + m.height - 1);
    for (std::size_t i = 0; i < text.size();) {
        const auto [code, size] = FontFace::characterAt(text, i);
        const qv::gdi::Glyph& g = face.glyph(code);
        for (int gy = 0; gy < g.height; ++gy) {
            for (int gx = 0; gx < g.width; ++gx) {
                const int c = g.coverage[static_cast<std::size_t>(gy * g.width + gx)];
                painter.plot(pen + g.left + gx, baseline - g.top + gy, textColor, c);
            }
        }
        if (static_cast<int>(i) == underlineAt) {
            for (int ux = pen; ux < pen + g.advance; ++ux) {
                painter.plot(ux, underlineRow, textColor, 255);
            }
        }
        pen += g.advance;
        i += size;
    }
    if (lf != nullptr && lf->lfUnderline != 0) {
        for (int ux = p.x; ux < pen; ++ux) {
            painter.plot(ux, underlineRow, textColor, 255);
        }
    }
    if (lf != nullptr && lf->lfStrikeOut != 0) {
        const int row = baseline - std::max(1, m.ascent / 3);
        for (int ux = p.x; ux < pen; ++ux) {
            painter.plot(ux, row, textColor, 255);
        }
    }
}

bool validRun(LPCSTR s, int c) {
    return c >= 0 && c <= kMaxRun && (s != nullptr || c == 0);
}

}  // namespace

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName) {
    LOGFONTA lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic != 0);
    lf.lfUnderline = static_cast<BYTE>(bUnderline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName != nullptr) {
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    }
    return qv::gdi::createLogicalFont(lf);
}

HFONT CreateFontIndirectA(const LOGFONTA* lplf) {
    if (lplf == nullptr) {
        return nullptr;
    }
    LOGFONTA lf = *lplf;
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';  // a caller's name may be unterminated
    return qv::gdi::createLogicalFont(lf);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR s, int c) {
    DeviceContext* dc = qv::gdi::dcFromHandle(hdc);
    if (dc == nullptr || !validRun(s, c)) {
        return FALSE;
    }
    drawRun(*dc, x, y, std::string_view(s, static_cast<std::size_t>(c)), -1);
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR s, int c, LPSIZE size) {
    DeviceContext* dc = qv::gdi::dcFromHandle(hdc);
    if (dc == nullptr || size == nullptr || !validRun(s, c)) {
        return FALSE;
    }
    FontFace& face = qv::gdi::faceOf(*dc);
    size->cx = face.measure(std::string_view(s, static_cast<std::size_t>(c)));
    size->cy = face.metrics().height;
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* tm) {
    DeviceContext* dc = qv::gdi::dcFromHandle(hdc);
    if (dc == nullptr || tm == nullptr) {
        return FALSE;
    }
    FontFace& face = qv::gdi::faceOf(*dc);
    const auto& m = face.metrics();
    const LOGFONTA lf = dc->font() != nullptr ? dc->font()->logFont() : LOGFONTA{};
    *tm = TEXTMETRICA{};
    tm->tmHeight = m.height;
    tm->tmAscent = m.ascent;
    tm->tmDescent = m.descent;
    tm->tmInternalLeading = m.internalLeading;
    tm->tmExternalLeading = m.externalLeading;
    tm->tmAveCharWidth = m.aveCharWidth;
    tm->tmMaxCharWidth = m.maxCharWidth;
    tm->tmWeight = m.weight;
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    // Variable pitch (bit 0 set means variable), vector, TrueType; Swiss.
    tm->tmPitchAndFamily = static_cast<BYTE>(0x01 | 0x02 | 0x04 | FF_SWISS);
    tm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
    DeviceContext* dc = qv::gdi::dcFromHandle(hdc);
    if (dc == nullptr || rect == nullptr || text == nullptr) {
        return 0;
    }
    if (count < 0) {
        count = static_cast<int>(strnlen(text, kMaxRun));
    }
    if (count > kMaxRun) {
        return 0;
    }
    FontFace& face = qv::gdi::faceOf(*dc);
    const auto& m = face.metrics();
    const int boxWidth = std::max(0, static_cast<int>(rect->right - rect->left));
    const auto lines = qv::gdi::layoutText(std::string_view(text, static_cast<std::size_t>(count)),
                                           format, boxWidth, kTabChars * m.aveCharWidth,
                                           [&](std::string_view run) { return face.measure(run); });
    const int lineHeight = m.height;
    const int total = lineHeight * static_cast<int>(lines.size());
    if ((format & DT_CALCRECT) != 0) {
        int widest = 0;
        for (const auto& line : lines) {
            widest = std::max(widest, line.width);
        }
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total;
        return total;
    }
    int top = rect->top;
    const bool single = (format & DT_SINGLELINE) != 0;
    if (single && (format & DT_VCENTER) != 0) {
        top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
    } else if (single && (format & DT_BOTTOM) != 0) {
        top = rect->bottom - lineHeight;
    }
    // Clip to the rectangle for the duration of the call.
    const auto savedClip = dc->state().clip;
    if ((format & DT_NOCLIP) == 0) {
        const POINT a = dc->toDevice(rect->left, rect->top);
        const POINT b = dc->toDevice(rect->right, rect->bottom);
        RECT box{a.x, a.y, std::max(a.x, b.x), std::max(a.y, b.y)};
        if (savedClip) {
            RECT both;
            if (!IntersectRect(&both, &*savedClip, &box)) {
                both = RECT{0, 0, 0, 0};
            }
            box = both;
        }
        dc->state().clip = box;
    }
    int y = top;
    for (const auto& line : lines) {
        int x = rect->left;
        if ((format & DT_CENTER) != 0) {
            x = rect->left + (boxWidth - line.width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = rect->right - line.width;
        }
        if ((format & DT_EXPANDTABS) != 0 && line.text.find('\t') != std::string::npos) {
            // Draw tab-separated pieces at their stops.
            const int stop = std::max(1, kTabChars * m.aveCharWidth);
            int pen = 0;
            std::size_t start = 0;
            for (std::size_t i = 0; i <= line.text.size(); ++i) {
                if (i == line.text.size() || line.text[i] == '\t') {
                    const std::string_view piece(line.text.data() + start, i - start);
                    const int u = line.underline >= static_cast<int>(start) &&
                                          line.underline < static_cast<int>(i)
                                      ? line.underline - static_cast<int>(start)
                                      : -1;
                    drawRun(*dc, x + pen, y, piece, u);
                    pen += face.measure(piece);
                    pen = i < line.text.size() ? (pen / stop + 1) * stop : pen;
                    start = i + 1;
                }
            }
        } else {
            drawRun(*dc, x, y, line.text, line.underline);
        }
        y += lineHeight;
    }
    dc->state().clip = savedClip;
    if (single && (format & (DT_VCENTER | DT_BOTTOM)) != 0) {
        return top - rect->top + lineHeight;
    }
    return total;
}
