// SPDX-License-Identifier: MIT
// The value of one database column or parameter, independent of the engine:
// null, 64-bit integer, double, text (UTF-8) or bytes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qv::data {

using DbBlob = std::vector<std::uint8_t>;

class DbValue {
  public:
    DbValue() = default;
    DbValue(std::int64_t v) : m_v(v) {}
    DbValue(int v) : m_v(std::int64_t{v}) {}
    DbValue(double v) : m_v(v) {}
    DbValue(std::string v) : m_v(std::move(v)) {}
    DbValue(const char* v) : m_v(std::string(v)) {}
    DbValue(DbBlob v) : m_v(std::move(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(m_v); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(m_v); }
    bool isReal() const { return std::holds_alternative<double>(m_v); }
    bool isText() const { return std::holds_alternative<std::string>(m_v); }
    bool isBlob() const { return std::holds_alternative<DbBlob>(m_v); }

    // Each accessor requires the matching is...() to be true.
    std::int64_t integer() const { return std::get<std::int64_t>(m_v); }
    double real() const { return std::get<double>(m_v); }
    const std::string& text() const { return std::get<std::string>(m_v); }
    const DbBlob& blob() const { return std::get<DbBlob>(m_v); }

    friend bool operator==(const DbValue&, const DbValue&) = default;

  private:
    std::variant<std::monostate, std::int64_t, double, std::string, DbBlob> m_v;
};

}  // namespace qv::data
