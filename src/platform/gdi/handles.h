// SPDX-License-Identifier: MIT
// RAII owners for GDI handles, for code above the platform: an owning memory
// DC, an owning GDI object, a guard that re-selects the previous object on
// scope exit, and a screen-DC guard.
#pragma once

#include <utility>

#include "platform/win32_gdi.h"

namespace qv::gdi {

// Owns a memory DC from CreateCompatibleDC; DeleteDC on destruction.
class OwnedDc {
  public:
    OwnedDc() = default;
    explicit OwnedDc(HDC dc) : m_dc(dc) {}
    ~OwnedDc() { reset(); }
    OwnedDc(OwnedDc&& other) noexcept : m_dc(std::exchange(other.m_dc, nullptr)) {}
    OwnedDc& operator=(OwnedDc&& other) noexcept {
        if (this != &other) {
            reset();
            m_dc = std::exchange(other.m_dc, nullptr);
        }
        return *this;
    }
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;

    // A new memory DC compatible with `reference` (the screen when NULL).
    static OwnedDc compatibleWith(HDC reference) { return OwnedDc(CreateCompatibleDC(reference)); }

    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }
    HDC release() { return std::exchange(m_dc, nullptr); }
    void reset(HDC dc = nullptr) {
        if (m_dc != nullptr) DeleteDC(m_dc);
        m_dc = dc;
    }

  private:
    HDC m_dc = nullptr;
};

// Owns a GDI object (HBITMAP, HBRUSH, HPEN, HPALETTE, HFONT, HRGN);
// DeleteObject on destruction. The caller must deselect it first, as with the
// raw API: declare the owner before the SelectGuard that selects it.
template <class Handle>
class OwnedObject {
  public:
    OwnedObject() = default;
    explicit OwnedObject(Handle handle) : m_handle(handle) {}
    ~OwnedObject() { reset(); }
    OwnedObject(OwnedObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    OwnedObject& operator=(OwnedObject&& other) noexcept {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }
    OwnedObject(const OwnedObject&) = delete;
    OwnedObject& operator=(const OwnedObject&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    Handle release() { return std::exchange(m_handle, nullptr); }
    void reset(Handle handle = nullptr) {
        if (m_handle != nullptr) DeleteObject(m_handle);
        m_handle = handle;
    }

  private:
    Handle m_handle = nullptr;
};

using OwnedBitmap = OwnedObject<HBITMAP>;
using OwnedBrush = OwnedObject<HBRUSH>;
using OwnedPen = OwnedObject<HPEN>;
using OwnedPalette = OwnedObject<HPALETTE>;
using OwnedFont = OwnedObject<HFONT>;
using OwnedRegion = OwnedObject<HRGN>;

// Selects an object into a DC and puts the previous one back on scope exit.
// ok() is false when the selection failed (nothing is restored then).
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (m_previous != nullptr) SelectObject(m_dc, m_previous);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

    bool ok() const { return m_previous != nullptr; }
    HGDIOBJ previous() const { return m_previous; }

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// GetDC(NULL) for the duration of a scope.
class ScreenDc {
  public:
    ScreenDc() : m_dc(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (m_dc != nullptr) ReleaseDC(nullptr, m_dc);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    HDC get() const { return m_dc; }

  private:
    HDC m_dc;
};

}  // namespace qv::gdi
