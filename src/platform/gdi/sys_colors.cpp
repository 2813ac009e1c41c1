// SPDX-License-Identifier: MIT
// The system colour table and the calls that read and change it.
#include "platform/gdi/sys_colors.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/gdi/brush.h"
#include "platform/gdi/handle_table.h"

namespace qv::gdi {
namespace {

constexpr SysColorTable kDefaults = {
    0x00FFFFFF, 0x00956F25, 0x00FA9632, 0x00808080, 0x00FFFFFF, 0x00FFFFFF, 0x009E9E9E, 0x00000000,
    0x00000000, 0x00000000, 0x00FFFFFF, 0x00FFFFFF, 0x00808080, 0x00FA9630, 0x00FFFFFF, 0x00F5F5F5,
    0x00A6A6A6, 0x00A6A6A6, 0x00000000, 0x00C8C8C8, 0x00FFFFFF, 0x006A6A6A, 0x00E3E3E3, 0x00000000,
    0x00FFFFFF, 0x00FFFFFF, 0x00E0E0E0, 0x00FA9632, 0x00808080, 0x00FA9630, 0x00FFFFFF,
};

// Each entry is read and written whole, so readers on other threads never
// see a torn colour.
struct Table {
    Table() {
        for (std::size_t i = 0; i < kDefaults.size(); ++i) colors[i] = kDefaults[i];
    }
    std::array<std::atomic<COLORREF>, kSysColorCount> colors;
};

std::array<std::atomic<COLORREF>, kSysColorCount>& table() {
    static Table instance;
    return instance.colors;
}

// The brushes of GetSysColorBrush: stock entries of the handle table (never
// deleted, not counted as live), one per index for the life of the process.
// Each reads its colour from the table when used, so a handle taken before
// SetSysColors paints the new colour, as the system brushes do.
// A handle, once made, never changes: reads skip the lock that guards making one.
struct SysBrushes {
    std::mutex lock;
    std::array<std::atomic<HBRUSH>, kSysColorCount> handles{};
};

SysBrushes& sysBrushes() {
    static SysBrushes instance;
    return instance;
}

}  // namespace

const SysColorTable& defaultSysColors() {
    return kDefaults;
}

SysColorTable currentSysColors() {
    SysColorTable out{};
    for (int i = 0; i < kSysColorCount; ++i) {
        out[static_cast<std::size_t>(i)] = table()[static_cast<std::size_t>(i)].load();
    }
    return out;
}

SysColorsRestorer::~SysColorsRestorer() {
    INT indices[kSysColorCount];
    for (int i = 0; i < kSysColorCount; ++i) indices[i] = i;
    SetSysColors(kSysColorCount, indices, m_saved.data());
}

}  // namespace qv::gdi

DWORD GetSysColor(int nIndex) {
    if (!qv::gdi::isSysColorIndex(nIndex)) return 0;
    return qv::gdi::table()[static_cast<std::size_t>(nIndex)].load();
}

HBRUSH GetSysColorBrush(int nIndex) {
    if (!qv::gdi::isSysColorIndex(nIndex)) return nullptr;
    auto& brushes = qv::gdi::sysBrushes();
    std::atomic<HBRUSH>& slot = brushes.handles[static_cast<std::size_t>(nIndex)];
    if (HBRUSH made = slot.load(std::memory_order_acquire)) return made;
    std::lock_guard<std::mutex> guard(brushes.lock);
    HBRUSH handle = slot.load(std::memory_order_relaxed);
    if (handle == nullptr) {
        handle = static_cast<HBRUSH>(
            qv::gdi::HandleTable::instance().insert(qv::gdi::Brush::system(nIndex), true));
        slot.store(handle, std::memory_order_release);
    }
    return handle;
}

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues) {
    if (cElements < 0) return FALSE;
    if (cElements > 0 && (lpaElements == nullptr || lpaRgbValues == nullptr)) return FALSE;
    for (int i = 0; i < cElements; ++i) {
        // Entries with an unknown index are skipped; the others still apply.
        if (!qv::gdi::isSysColorIndex(lpaElements[i])) continue;
        qv::gdi::table()[static_cast<std::size_t>(lpaElements[i])] = lpaRgbValues[i] & 0x00FFFFFFu;
    }
    return TRUE;
}
