// SPDX-License-Identifier: MIT
// The library's count of live objects and of factory locks, which tells a
// host whether the library may be unloaded.
#pragma once

#include <atomic>

namespace qv::frame {

class ModuleCounts {
  public:
    static ModuleCounts& instance();

    void objectCreated() noexcept { ++m_objects; }
    void objectDestroyed() noexcept { --m_objects; }
    void lock() noexcept { ++m_locks; }
    void unlock() noexcept { --m_locks; }

    long objects() const noexcept { return m_objects; }
    long locks() const noexcept { return m_locks; }
    // True when no object of the library is alive and no factory is locked.
    bool canUnload() const noexcept { return m_objects == 0 && m_locks == 0; }

  private:
    std::atomic<long> m_objects{0};
    std::atomic<long> m_locks{0};
};

}  // namespace qv::frame
