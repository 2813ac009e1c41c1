// SPDX-License-Identifier: MIT
// The base of every record the GDI handle table holds (bitmaps, DCs, brushes,
// pens, palettes, fonts, regions, icons) and the kinds the table tells apart.
#pragma once

#include <cstdint>

namespace qv::gdi {

// The kinds of objects in the handle table. Icons are not GDI objects for
// GetObjectType, but they live in the same table so that leaks show up in the
// same counts.
enum class ObjectKind : std::uint8_t {
    Dc,
    Bitmap,
    Brush,
    Pen,
    Palette,
    Font,
    Region,
    Icon,
};

inline constexpr int kObjectKindCount = 8;

// A payload stored in the handle table. Subclasses add the object's data and
// declare `static constexpr ObjectKind kKind` so that HandleTable::lookupAs
// can check the type of a handle.
class GdiObject {
  public:
    explicit GdiObject(ObjectKind kind) : m_kind(kind) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    ObjectKind kind() const { return m_kind; }

    // How many DCs (or DC slots) have this object selected; a selected object
    // cannot be deleted.
    int selectCount() const { return m_selectCount; }
    void addSelection() { ++m_selectCount; }
    void removeSelection() {
        if (m_selectCount > 0) --m_selectCount;
    }

  private:
    ObjectKind m_kind;
    int m_selectCount = 0;
};

}  // namespace qv::gdi
