// SPDX-License-Identifier: MIT
// The GDI handle table: every HDC, HBITMAP, HBRUSH, HPEN, HPALETTE, HFONT,
// HRGN and HICON is a generation-checked index into this table, so a stale or
// forged handle is refused instead of reaching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi/gdi_object.h"
#include "platform/gdi/live_objects.h"
#include "platform/win32_types.h"

namespace qv::gdi {

// The table is process-wide and, like the platform's GDI objects, meant to be
// used from the user-interface thread.
class HandleTable {
  public:
    // Defined here so that the lookups every GDI call makes inline.
    static HandleTable& instance() {
        static HandleTable table;
        return table;
    }

    // Stores `object` and returns its new handle (never NULL, never a small
    // integer). Stock objects are never deleted and are not counted as live.
    void* insert(std::shared_ptr<GdiObject> object, bool stock = false);

    // The object behind `handle`, or nullptr when the handle is NULL, stale or
    // was never issued.
    GdiObject* lookup(const void* handle) const {
        const Entry* entry = find(handle);
        return entry != nullptr ? entry->object.get() : nullptr;
    }

    // lookup, also telling whether the object is a stock object.
    GdiObject* lookup(const void* handle, bool& stock) const {
        const Entry* entry = find(handle);
        if (entry == nullptr) return nullptr;
        stock = entry->stock;
        return entry->object.get();
    }
    // The object as T when the handle is live and of T's kind, else nullptr.
    template <class T>
    T* lookupAs(const void* handle) const {
        GdiObject* object = lookup(handle);
        return object != nullptr && object->kind() == T::kKind ? static_cast<T*>(object) : nullptr;
    }

    // The object when the handle is live and not a stock object, else nullptr.
    GdiObject* lookupDeletable(const void* handle) const {
        const Entry* entry = find(handle);
        return entry != nullptr && !entry->stock ? entry->object.get() : nullptr;
    }

    // lookupAs, also telling whether the object is a stock object.
    template <class T>
    T* lookupAs(const void* handle, bool& stock) const {
        const Entry* entry = find(handle);
        if (entry == nullptr || entry->object->kind() != T::kKind) return nullptr;
        stock = entry->stock;
        return static_cast<T*>(entry->object.get());
    }

    // A shared reference to the object, for callers that must keep it alive
    // across calls that may delete the handle.
    std::shared_ptr<GdiObject> share(const void* handle) const;

    enum class RemoveResult { Removed, Stock, Invalid, Selected };
    // Frees the entry unless the handle is invalid, a stock object or still
    // selected into a DC; the generation is bumped so the handle goes stale.
    RemoveResult remove(const void* handle);

    LiveObjectCounts counts() const;

  private:
    HandleTable() = default;

    struct Entry {
        std::shared_ptr<GdiObject> object;
        std::uint32_t generation = 1;
        bool stock = false;
    };
    static constexpr std::uint64_t kIndexBias = 0x10000;

    const Entry* find(const void* handle) const {
        const auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
        const std::uint64_t low = value & 0xFFFFFFFFu;
        if (low < kIndexBias) return nullptr;
        const std::uint64_t index = low - kIndexBias;
        if (index >= m_entries.size()) return nullptr;
        const Entry& entry = m_entries[static_cast<std::size_t>(index)];
        if (!entry.object || entry.generation != static_cast<std::uint32_t>(value >> 32)) {
            return nullptr;
        }
        return &entry;
    }

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_free;
    LiveObjectCounts m_counts;
};

}  // namespace qv::gdi
