// SPDX-License-Identifier: MIT
// Blocks are grouped in size classes of kGranule bytes; each class keeps a
// short stack of freed blocks. The stacks live outside the blocks, so under
// AddressSanitizer a cached block stays wholly poisoned (a use after free is
// still reported) and the leak checker still finds it reachable. Blocks
// above kMaxPooledBlock, and any beyond a full stack or the byte budget, go
// straight back to the allocator.
#include "platform/gdi/block_pool.h"

#include <array>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define QV_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define QV_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define QV_POISON(p, n) ((void)(p), (void)(n))
#define QV_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace qv::gdi {
namespace {

// Blocks are whole cache lines, aligned to a line: pixel rows then start on
// the same boundary in every surface, so copies between surfaces run alike.
constexpr std::size_t kGranule = 64;
constexpr std::align_val_t kAlignment{64};
constexpr std::size_t kClasses = kMaxPooledBlock / kGranule;
constexpr std::size_t kBlocksPerClass = 32;
constexpr std::size_t kMaxCachedBytes = std::size_t{1} << 20;

struct SizeClass {
    std::array<void*, kBlocksPerClass> blocks{};
    std::size_t count = 0;
};

struct Pool {
    std::array<SizeClass, kClasses> classes{};
    std::size_t cachedBytes = 0;
};

// Never destroyed: objects owned by other statics may be freed after it
// would be.
Pool& pool() {
    static Pool* const instance = new Pool();
    return *instance;
}

// The size class of a pooled request (1 ... kClasses) minus one.
std::size_t classOf(std::size_t bytes) {
    return (bytes + kGranule - 1) / kGranule - 1;
}

}  // namespace

void* takeBlock(std::size_t bytes) {
    if (bytes == 0 || bytes > kMaxPooledBlock) return ::operator new(bytes, kAlignment);
    const std::size_t c = classOf(bytes);
    const std::size_t size = (c + 1) * kGranule;
    Pool& p = pool();
    SizeClass& sizeClass = p.classes[c];
    if (sizeClass.count == 0) return ::operator new(size, kAlignment);
    void* block = sizeClass.blocks[--sizeClass.count];
    p.cachedBytes -= size;
    QV_UNPOISON(block, size);
    return block;
}

void giveBlock(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) return;
    if (bytes == 0 || bytes > kMaxPooledBlock) {
        ::operator delete(block, kAlignment);
        return;
    }
    const std::size_t c = classOf(bytes);
    const std::size_t size = (c + 1) * kGranule;
    Pool& p = pool();
    SizeClass& sizeClass = p.classes[c];
    if (sizeClass.count == kBlocksPerClass || p.cachedBytes + size > kMaxCachedBytes) {
        ::operator delete(block, kAlignment);
        return;
    }
    QV_POISON(block, size);
    sizeClass.blocks[sizeClass.count++] = block;
    p.cachedBytes += size;
}

}  // namespace qv::gdi
