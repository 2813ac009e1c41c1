// SPDX-License-Identifier: MIT
// The case table of the cross-check harness: every PaintEffects operation over
// bitmaps of several depths and sizes, icons, colour forms and placements,
// each drawn into a 32-bit DIB section. harness_main.cpp runs the table on one
// platform; the effects benchmark times the same cases on the stand-in.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "crosscheck/dib32.h"
#include "effects/paint_effects.h"
#include "platform/win32.h"

namespace qv::crosscheck {

using qv::effects::PaintEffects;

inline constexpr int kDestW = 64;
inline constexpr int kDestH = 56;

// Sets the system colours the operations use to fixed values, so that both
// platforms draw from one colour table.
void useFixedSysColors();

// The colour of destination pixel (x, y) before drawing, as 0x00RRGGBB.
inline DWORD backgroundPixel(int x, int y) {
    return ((30u + 3u * x) << 16) | (((200u - 3u * y) & 0xFFu) << 8) | (90u + ((x + y) & 1) * 40u);
}

// The destination: a 32-bit DIB section in its own DC, filled with a coloured
// pattern in which the key and the greys do not occur.
class Destination {
  public:
    Destination() {
        m_bitmap = createDib32(kDestW, kDestH, m_bits);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Destination() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;

    void reset(bool customColors) {
        GdiFlush();
        for (int y = 0; y < kDestH; ++y) {
            for (int x = 0; x < kDestW; ++x) {
                m_bits[y * kDestW + x] = backgroundPixel(x, y);
            }
        }
        SelectClipRgn(m_dc, nullptr);
        SetTextColor(m_dc, customColors ? 0x123456 : 0x000000);
        SetBkColor(m_dc, customColors ? 0x654321 : 0xFFFFFF);
    }

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    const DWORD* bits() const {
        GdiFlush();
        return m_bits;
    }

  private:
    HBITMAP m_bitmap = nullptr;
    DWORD* m_bits = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

struct Call {
    HDC dest;
    int x, y, w, h;
};

struct Case {
    std::string name;
    int w, h;  // the block
    // Draws with the PaintEffects object at the call's place; src is the DC
    // of a DC operation's source (nullptr for picture operations).
    std::function<void(const PaintEffects&, const Call&)> draw;
    HDC src = nullptr;
    // Why the stand-in's result may differ from the platform's here.
    std::string knownDifference;
};

// Every case, with the bitmaps, icons and DCs they draw from.
class CaseTable {
  public:
    CaseTable();
    ~CaseTable();
    CaseTable(const CaseTable&) = delete;
    CaseTable& operator=(const CaseTable&) = delete;

    const std::vector<Case>& cases() const;
    // The case each operation is timed on (its first over the 32-bit bitmap),
    // named by the operation.
    std::vector<std::pair<std::string, const Case*>> timedCases() const;

    // The cases and the objects they draw from (defined with the table).
    struct Holders;

  private:
    std::unique_ptr<Holders> m_holders;
};

// Draws case number index on a fresh destination and writes its record: the
// result, the DCs' state afterwards, the objects left and every pixel.
void runCase(const PaintEffects& fx, Destination& dest, const Case& c, size_t index, FILE* out);

}  // namespace qv::crosscheck
