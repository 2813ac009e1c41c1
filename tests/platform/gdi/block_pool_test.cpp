// SPDX-License-Identifier: MIT
// The recycled blocks behind the GDI's records: a freed block serves the next
// request of its size class, live blocks never share memory, and records made
// from the pool are destroyed like any other.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "platform/gdi/block_pool.h"

namespace {

using namespace qv::gdi;

TEST(BlockPool, AFreedBlockServesTheNextRequestOfItsClass) {
    struct Case {
        std::size_t freed;
        std::size_t next;
        bool reused;
    };
    // Sizes are rounded up to classes of 64 bytes; the largest class is the limit.
    const Case cases[] = {{1, 64, true},    {64, 1, true},
                          {65, 128, true},  {1000, 1020, true},
                          {64, 65, false},  {kMaxPooledBlock, kMaxPooledBlock, true},
                          {200, 100, false}};
    for (const Case& c : cases) {
        void* first = takeBlock(c.freed);
        std::memset(first, 0x5A, c.freed);
        giveBlock(first, c.freed);
        void* second = takeBlock(c.next);
        EXPECT_EQ(second == first, c.reused) << c.freed << " then " << c.next;
        std::memset(second, 0xA5, c.next);
        giveBlock(second, c.next);
    }
}

TEST(BlockPool, LiveBlocksKeepTheirContentsWhileOthersComeAndGo) {
    struct Live {
        std::uint8_t* data;
        std::size_t size;
        std::uint8_t mark;
    };
    std::mt19937 rng(7);
    std::vector<Live> live;
    auto check = [](const Live& block) {
        for (std::size_t i = 0; i < block.size; ++i) {
            if (block.data[i] != block.mark) return false;
        }
        return true;
    };
    for (int round = 0; round < 2000; ++round) {
        if (!live.empty() && rng() % 3 == 0) {
            const std::size_t i = rng() % live.size();
            ASSERT_TRUE(check(live[i])) << "round " << round;
            giveBlock(live[i].data, live[i].size);
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        // Now and then a size past the pool, which goes to the allocator.
        const std::size_t size = 1 + rng() % (kMaxPooledBlock + 600);
        const auto mark = static_cast<std::uint8_t>(round);
        auto* data = static_cast<std::uint8_t*>(takeBlock(size));
        std::memset(data, mark, size);
        live.push_back(Live{data, size, mark});
    }
    for (const Live& block : live) {
        EXPECT_TRUE(check(block));
        giveBlock(block.data, block.size);
    }
}

TEST(BlockPool, PooledRecordsAreDestroyedWithTheirLastOwner) {
    struct Record {
        explicit Record(int& live) : m_live(live) { ++m_live; }
        ~Record() { --m_live; }
        int& m_live;
        char payload[300] = {};
    };
    int count = 0;
    {
        auto a = makePooled<Record>(count);
        auto b = makePooled<Record>(count);
        EXPECT_EQ(count, 2);
        std::shared_ptr<Record> keep = a;
        a.reset();
        EXPECT_EQ(count, 2);
    }
    EXPECT_EQ(count, 0);
}

}  // namespace
