// SPDX-License-Identifier: MIT
// The zeroed DWORD storage behind a surface. Large blocks are recycled through
// a small process-wide cache, so that drawing code which makes and frees
// same-sized work bitmaps call after call does not fault fresh pages in each
// time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv::gdi {

class PixelBuffer {
  public:
    PixelBuffer() = default;
    // `words` DWORDs, zeroed when `zeroed` (else left as they are); throws
    // std::bad_alloc when memory runs out.
    explicit PixelBuffer(std::size_t words, bool zeroed = true);
    // A copy of the contents; throws std::bad_alloc when memory runs out.
    PixelBuffer(const PixelBuffer& other);
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;
    ~PixelBuffer();

    std::uint32_t* data() { return m_data; }
    const std::uint32_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }

  private:
    void release() noexcept;

    std::uint32_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

}  // namespace qv::gdi
