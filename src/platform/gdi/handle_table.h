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
    static HandleTable& instance();

    // Stores `object` and returns its new handle (never NULL, never a small
    // integer). Stock objects are never deleted and are not counted as live.
    void* insert(std::shared_ptr<GdiObject> object, bool stock = false);

    // The object behind `handle`, or nullptr when the handle is NULL, stale or
    // was never issued.
    GdiObject* lookup(const void* handle) const;

    // The object as T when the handle is live and of T's kind, else nullptr.
    template <class T>
    T* lookupAs(const void* handle) const {
        GdiObject* object = lookup(handle);
        return object != nullptr && object->kind() == T::kKind ? static_cast<T*>(object) : nullptr;
    }

    // A shared reference to the object, for callers that must keep it alive
    // across calls that may delete the handle.
    std::shared_ptr<GdiObject> share(const void* handle) const;

    bool isStock(const void* handle) const;

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
    const Entry* find(const void* handle) const;

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_free;
    LiveObjectCounts m_counts;
};

}  // namespace qv::gdi
