// SPDX-License-Identifier: MIT
// Handle encoding: the low 32 bits are the entry index plus a bias that keeps
// handles clear of small integers (such as COLOR_x + 1 passed as a brush); the
// high 32 bits are the entry's generation.
#include "platform/gdi/handle_table.h"

namespace qv::gdi {
namespace {

int& slotOf(LiveObjectCounts& counts, ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Dc:
            return counts.dcs;
        case ObjectKind::Bitmap:
            return counts.bitmaps;
        case ObjectKind::Brush:
            return counts.brushes;
        case ObjectKind::Pen:
            return counts.pens;
        case ObjectKind::Palette:
            return counts.palettes;
        case ObjectKind::Font:
            return counts.fonts;
        case ObjectKind::Region:
            return counts.regions;
        case ObjectKind::Icon:
            return counts.icons;
    }
    return counts.icons;
}

}  // namespace

void* HandleTable::insert(std::shared_ptr<GdiObject> object, bool stock) {
    if (!object) return nullptr;
    std::uint32_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        index = static_cast<std::uint32_t>(m_entries.size());
        m_entries.emplace_back();
    }
    Entry& entry = m_entries[index];
    if (!stock) ++slotOf(m_counts, object->kind());
    entry.object = std::move(object);
    entry.stock = stock;
    const std::uint64_t value =
        (std::uint64_t{entry.generation} << 32) | (std::uint64_t{index} + kIndexBias);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(value));
}

std::shared_ptr<GdiObject> HandleTable::share(const void* handle) const {
    const Entry* entry = find(handle);
    return entry != nullptr ? entry->object : nullptr;
}

HandleTable::RemoveResult HandleTable::remove(const void* handle) {
    const Entry* found = find(handle);
    if (found == nullptr) return RemoveResult::Invalid;
    if (found->stock) return RemoveResult::Stock;
    if (found->object->selectCount() > 0) return RemoveResult::Selected;
    auto& entry = const_cast<Entry&>(*found);
    --slotOf(m_counts, entry.object->kind());
    // Release after the entry is cleared: a payload's destructor may call
    // back into the table (a DC releasing what it has selected).
    std::shared_ptr<GdiObject> object = std::move(entry.object);
    entry.object.reset();
    // Generation 0 is never issued, so wrap-around skips it.
    if (++entry.generation == 0) entry.generation = 1;
    m_free.push_back(static_cast<std::uint32_t>(&entry - m_entries.data()));
    object.reset();
    return RemoveResult::Removed;
}

LiveObjectCounts HandleTable::counts() const {
    return m_counts;
}

std::ostream& operator<<(std::ostream& out, const LiveObjectCounts& c) {
    return out << "{dcs " << c.dcs << ", bitmaps " << c.bitmaps << ", brushes " << c.brushes
               << ", pens " << c.pens << ", palettes " << c.palettes << ", fonts " << c.fonts
               << ", regions " << c.regions << ", icons " << c.icons << "}";
}

LiveObjectCounts liveObjectCounts() {
    return HandleTable::instance().counts();
}

}  // namespace qv::gdi
