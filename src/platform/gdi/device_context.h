// SPDX-License-Identifier: MIT
// The DC record behind an HDC: the selected objects, colours, modes, origins,
// clip rectangle and the surface it draws on. The text module and the window
// layer draw through this record; the public API functions keep it consistent.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/surface.h"
#include "platform/win32_gdi.h"

namespace qv::gdi {

class Palette;
class Brush;
class Pen;
class LogicalFont;

enum class DcKind : std::uint8_t {
    Memory,  // CreateCompatibleDC: draws on the selected bitmap
    Screen,  // GetDC(NULL): the headless screen, nothing is stored
    Window,  // GetDC(hwnd): a window's surface, given by the window layer
};

// The part of a DC that SaveDC/RestoreDC save and restore.
struct DcState {
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ pen = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ palette = nullptr;
    COLORREF bkColor = 0x00FFFFFF;
    COLORREF textColor = 0x00000000;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int mapMode = MM_TEXT;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    int graphicsMode = GM_COMPATIBLE;
    // Kept for callers that read it back; drawing maps with the viewport origin only.
    POINT windowOrg{0, 0};
    POINT brushOrg{0, 0};
    POINT viewportOrg{0, 0};
    POINT currentPos{0, 0};
    // In device coordinates; nullopt means no clip region.
    std::optional<RECT> clip;
};

class DeviceContext : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Dc;

    explicit DeviceContext(DcKind dcKind) : GdiObject(kKind), m_dcKind(dcKind) {}

    DcKind dcKind() const { return m_dcKind; }
    HWND window() const { return m_window; }
    void setWindow(HWND window) { m_window = window; }

    DcState& state() { return m_state; }
    const DcState& state() const { return m_state; }
    std::vector<DcState>& savedStates() { return m_saved; }

    // The surface drawn on, or nullptr (screen DC).
    Surface* surface() const { return m_surface; }
    // A surface the DC owns a share of (a window's, which the window layer may
    // replace while the DC is out).
    void setSurface(std::shared_ptr<Surface> surface) {
        m_ownedSurface = std::move(surface);
        m_surface = m_ownedSurface.get();
    }
    // The surface of the bitmap selected into a memory DC. A selected bitmap
    // cannot be deleted, so it keeps its surface alive and the DC takes no
    // share: selecting stays free of reference counting.
    void borrowSurface(Surface* surface) {
        m_ownedSurface.reset();
        m_surface = surface;
    }

    // Where the DC's device (0,0) lies on its surface, and the part of the
    // surface it may touch (for window DCs sharing a surface); both in surface
    // pixels. Defaults: (0,0) and the whole surface.
    POINT deviceOrigin() const { return m_deviceOrigin; }
    void setDeviceOrigin(POINT origin) { m_deviceOrigin = origin; }
    void setVisibleRect(std::optional<RECT> rect) { m_visible = rect; }

    // Logical -> device coordinates (MM_TEXT: the viewport origin shifts).
    // Results beyond the 32-bit range are clamped to it.
    POINT toDevice(int x, int y) const {
        return POINT{clampAdd(x, m_state.viewportOrg.x), clampAdd(y, m_state.viewportOrg.y)};
    }
    static LONG clampAdd(LONG a, LONG b) {
        const long long sum = static_cast<long long>(a) + b;
        return static_cast<LONG>(sum < INT32_MIN ? INT32_MIN : sum > INT32_MAX ? INT32_MAX : sum);
    }

    // The rectangle drawing may touch, in surface pixels: the surface, the
    // visible rect and the clip region intersected. Empty without a surface.
    RECT drawableRect() const;

    // The colour a COLORREF stands for in this DC: PALETTEINDEX resolved
    // through the selected palette (out of range gives black), PALETTERGB
    // stripped, other flag bytes give black.
    COLORREF resolveColor(COLORREF color) const;

    // Selected objects (never nullptr while the DC lives: stock defaults).
    Palette* palette() const;
    Brush* brush() const;
    Pen* pen() const;
    LogicalFont* font() const;

  private:
    DcKind m_dcKind;
    HWND m_window = nullptr;
    DcState m_state;
    std::vector<DcState> m_saved;
    Surface* m_surface = nullptr;
    std::shared_ptr<Surface> m_ownedSurface;
    POINT m_deviceOrigin{0, 0};
    std::optional<RECT> m_visible;
};

// The DC behind a handle, or nullptr. Inline: every drawing call starts here.
inline DeviceContext* dcFromHandle(HDC dc) {
    return HandleTable::instance().lookupAs<DeviceContext>(dc);
}

}  // namespace qv::gdi
