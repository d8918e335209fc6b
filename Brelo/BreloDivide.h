// Exact integer quotients by small divisors without a division instruction,
// for the 8-bit pixel code: a multiplication by a rounded-up reciprocal from a
// table, then a shift. For n below N and a divisor d, the multiplier
// ceil(2^k / d) gives floor(n / d) exactly whenever N * d <= 2^k.
#pragma once

#include <array>
#include <cstdint>

namespace Brelo {
namespace Divide {

__extension__ using Wide = unsigned __int128;  // the 64 x 64 -> 128-bit product of one instruction

// floor(n / d) for d in 1..1023 and n below 2^18: k = 28.
inline constexpr int kSmallShift = 28;
inline constexpr std::uint32_t kSmallLimit = std::uint32_t(1) << 18;
inline constexpr std::array<std::uint32_t, 1024> kSmall = [] {
  std::array<std::uint32_t, 1024> m{};
  for (std::uint64_t d = 1; d < 1024; ++d) m[d] = std::uint32_t(((std::uint64_t(1) << kSmallShift) + d - 1) / d);
  return m;
}();

inline std::uint32_t small(std::uint32_t n, std::uint32_t d) {
  if (n < kSmallLimit && d < 1024) return std::uint32_t((std::uint64_t(n) * kSmall[d]) >> kSmallShift);
  return n / d;
}

// floor(floor(n / a) / 255) = floor(n / (255 a)) for a in 1..255 and n below
// 2^26: the divisor is below 2^16, k = 42.
inline constexpr int k255AShift = 42;
inline constexpr std::uint64_t k255ALimit = std::uint64_t(1) << 26;
inline constexpr std::array<std::uint64_t, 256> k255A = [] {
  std::array<std::uint64_t, 256> m{};
  for (std::uint64_t a = 1; a < 256; ++a) m[a] = ((std::uint64_t(1) << k255AShift) + 255 * a - 1) / (255 * a);
  return m;
}();

inline std::uint64_t by255A(std::uint64_t n, std::uint64_t a) {
  if (n < k255ALimit && a < 256) return std::uint64_t((Wide(n) * k255A[a]) >> k255AShift);
  return n / a / 255;
}

}  // namespace Divide
}  // namespace Brelo
