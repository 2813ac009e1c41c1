// SPDX-License-Identifier: MIT
// Recycled memory blocks for the GDI's small records (DCs, bitmaps, brushes,
// pens, surfaces and small pixel buffers). Drawing code makes and frees these
// by the dozen on every paint; reusing freed blocks of the same size keeps the
// general-purpose allocator out of that loop.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

namespace qv::gdi {

// Requests up to this many bytes are recycled; larger ones go to the
// general-purpose allocator.
inline constexpr std::size_t kMaxPooledBlock = 4096;

// Returns a block of at least `bytes` bytes, aligned to a cache line (64 bytes);
// throws std::bad_alloc when memory runs out. Like the handle table, the pool
// belongs to the user-interface thread: calls must not run concurrently.
void* takeBlock(std::size_t bytes);
// Gives back a block from takeBlock(bytes), with the same `bytes`.
void giveBlock(void* block, std::size_t bytes) noexcept;

// An allocator over takeBlock/giveBlock, for std::allocate_shared.
template <class T>
struct BlockAllocator {
    using value_type = T;
    BlockAllocator() = default;
    template <class U>
    BlockAllocator(const BlockAllocator<U>&) noexcept {}
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "blocks have the new alignment");
    T* allocate(std::size_t n) { return static_cast<T*>(takeBlock(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { giveBlock(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const BlockAllocator<U>&) const noexcept {
        return true;
    }
};

// std::make_shared with the object and its count in one recycled block.
template <class T, class... Args>
std::shared_ptr<T> makePooled(Args&&... args) {
    return std::allocate_shared<T>(BlockAllocator<T>{}, std::forward<Args>(args)...);
}

}  // namespace qv::gdi
