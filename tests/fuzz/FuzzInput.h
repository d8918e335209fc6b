// One fuzzing input read from the front as numbers and choices, the rest as
// text. Past its end every number is the lowest allowed, so short inputs stay
// meaningful.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace BreloFuzz {

class FuzzInput {
 public:
  FuzzInput(std::uint8_t const* data, std::size_t size) : m_data(data), m_size(size) {}

  std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  bool flag() { return byte() & 1; }

  // lo..hi inclusive, from as few bytes as the range needs.
  std::int64_t integer(std::int64_t lo, std::int64_t hi) {
    const std::uint64_t span = std::uint64_t(hi) - std::uint64_t(lo);
    std::uint64_t v = 0;
    for (std::uint64_t left = span; left; left >>= 8) v = (v << 8) | byte();
    return std::int64_t(std::uint64_t(lo) + (span == UINT64_MAX ? v : v % (span + 1)));
  }
  int integer(int lo, int hi) { return int(integer(std::int64_t(lo), std::int64_t(hi))); }

  // lo..hi, with the ends, the middle and whole numbers more likely than
  // chance would make them.
  double real(double lo, double hi) {
    switch (byte() % 8) {
      case 0: return lo;
      case 1: return hi;
      case 2: return lo + (hi - lo) / 2;
      case 3: {
        const double whole = lo + double(integer(std::int64_t(0), std::int64_t(1) << 20)) * (hi - lo) / double(1 << 20);
        return whole < lo ? lo : whole > hi ? hi : whole;
      }
      default: {
        const double f = double(integer(std::int64_t(0), (std::int64_t(1) << 32) - 1)) / 4294967295.0;
        const double v = lo + f * (hi - lo);
        return v < lo ? lo : v > hi ? hi : v;
      }
    }
  }

  // Up to `max` bytes of text, ended early by a zero byte.
  std::string text(std::size_t max) {
    std::string s;
    while (m_at < m_size && s.size() < max) {
      const char ch = char(m_data[m_at++]);
      if (ch == '\0') break;
      s += ch;
    }
    return s;
  }
  std::string rest() {
    std::string s(reinterpret_cast<char const*>(m_data + m_at), m_size - m_at);
    m_at = m_size;
    return s;
  }

 private:
  std::uint8_t const* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};

}  // namespace BreloFuzz
