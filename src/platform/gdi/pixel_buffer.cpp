// SPDX-License-Identifier: MIT
// Blocks of at least kMinPooledBytes go back to a bounded free list when a
// buffer dies; a new buffer takes the smallest cached block that fits without
// wasting more than its own size.
#include "platform/gdi/pixel_buffer.h"

#include <cstring>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

#include "platform/gdi/block_pool.h"

namespace qv::gdi {
namespace {

constexpr std::size_t kMinPooledBytes = std::size_t{64} << 10;
constexpr std::size_t kMaxPooledBytes = std::size_t{32} << 20;
constexpr std::size_t kMaxPooledBlocks = 8;

struct Block {
    std::uint32_t* data;
    std::size_t capacity;  // in DWORDs
};

class BlockCache {
  public:
    // A cached block of at least `words` (and at most twice that), or one
    // with a null `data`.
    Block take(std::size_t words) {
        std::lock_guard<std::mutex> guard(m_lock);
        std::size_t best = m_blocks.size();
        for (std::size_t i = 0; i < m_blocks.size(); ++i) {
            const std::size_t c = m_blocks[i].capacity;
            if (c >= words && c / 2 <= words &&
                (best == m_blocks.size() || c < m_blocks[best].capacity)) {
                best = i;
            }
        }
        if (best == m_blocks.size()) return Block{nullptr, 0};
        const Block block = m_blocks[best];
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(best));
        m_bytes -= block.capacity * 4;
        return block;
    }

    // Keeps `block` for reuse, or frees it when it is small or the cache is full.
    void give(Block block) noexcept {
        const std::size_t bytes = block.capacity * 4;
        if (bytes <= kMaxPooledBlock) {
            giveBlock(block.data, bytes);
            return;
        }
        if (bytes >= kMinPooledBytes) {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_blocks.size() < kMaxPooledBlocks && m_bytes + bytes <= kMaxPooledBytes) {
                try {
                    m_blocks.push_back(block);
                    m_bytes += bytes;
                    return;
                } catch (const std::bad_alloc&) {
                    // fall through and free it
                }
            }
        }
        delete[] block.data;
    }

  private:
    std::mutex m_lock;
    std::vector<Block> m_blocks;
    std::size_t m_bytes = 0;
};

// Never destroyed: surfaces owned by other statics may die after it would.
BlockCache& cache() {
    static BlockCache* const instance = new BlockCache();
    return *instance;
}

Block acquire(std::size_t words) {
    // Small blocks are recycled by the GDI's block pool; the cache holds no
    // block that a buffer below half its threshold may take (see take), so
    // those skip its lock.
    if (words * 4 <= kMaxPooledBlock) {
        return Block{static_cast<std::uint32_t*>(takeBlock(words * 4)), words};
    }
    if (words * 4 * 2 < kMinPooledBytes) return Block{new std::uint32_t[words], words};
    Block block = cache().take(words);
    if (block.data == nullptr) block = Block{new std::uint32_t[words], words};
    return block;
}

}  // namespace

PixelBuffer::PixelBuffer(std::size_t words, bool zeroed) {
    if (words == 0) return;
    const Block block = acquire(words);
    m_data = block.data;
    m_capacity = block.capacity;
    m_size = words;
    if (zeroed) std::memset(m_data, 0, words * 4);
}

PixelBuffer::PixelBuffer(const PixelBuffer& other) {
    if (other.m_size == 0) return;
    const Block block = acquire(other.m_size);
    m_data = block.data;
    m_capacity = block.capacity;
    m_size = other.m_size;
    std::memcpy(m_data, other.m_data, m_size * 4);
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

PixelBuffer::~PixelBuffer() {
    release();
}

void PixelBuffer::release() noexcept {
    if (m_data != nullptr) cache().give(Block{m_data, m_capacity});
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
}

}  // namespace qv::gdi
