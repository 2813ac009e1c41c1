// SPDX-License-Identifier: MIT
// The shape shared by the random-criteria tests: NOT, parentheses, AND and
// OR nested to a bounded depth over tests that a derived maker writes.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace qv::data::test {

class RandomCriteria {
  public:
    RandomCriteria(unsigned seed, int maxDepth) : m_random(seed), m_maxDepth(maxDepth) {}
    virtual ~RandomCriteria() = default;

    std::string expr(int depth = 0) {
        switch (depth > m_maxDepth ? 0 : pick(5)) {
            case 1:
                return "NOT " + expr(depth + 1);
            case 2:
                return "(" + expr(depth + 1) + ")";
            case 3:
                return expr(depth + 1) + " AND " + expr(depth + 1);
            case 4:
                return expr(depth + 1) + " OR " + expr(depth + 1);
            default:
                return test();
        }
    }

    int pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    std::string any(const std::vector<std::string>& from) { return from[m_random() % from.size()]; }

  protected:
    // One comparison, pattern or null test.
    virtual std::string test() = 0;

  private:
    std::mt19937 m_random;
    int m_maxDepth;
};

}  // namespace qv::data::test
