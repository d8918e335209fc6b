// Exact integer quotients by small divisors without a division instruction, for the 8-bit
// pixel code: a multiplication by a rounded-up reciprocal from a table, then a shift. For n
// below N and a divisor d, the multiplier ceil(2^k / d) gives floor(n / d) whenever N d <= 2^k.
#pragma once

#include <array>
#include <cstdint>

namespace Brelo {
namespace Divide {

__extension__ using Wide = unsigned __int128;  // the 64 x 64 -> 128-bit product of one instruction

// ceil(2^shift / (scale d)) for every divisor d from 1 to N - 1.
template <class U, std::size_t N>
constexpr std::array<U, N> reciprocals(int shift, std::uint64_t scale) {
  std::array<U, N> m{};
  for (std::uint64_t d = 1; d < N; ++d) m[d] = U(((std::uint64_t(1) << shift) + scale * d - 1) / (scale * d));
  return m;
}

// floor(n / d) for d in 1..1023 and n below 2^18: k = 28.
inline constexpr int kSmallShift = 28;
inline constexpr std::uint32_t kSmallLimit = std::uint32_t(1) << 18;
inline constexpr std::array<std::uint32_t, 1024> kSmall = reciprocals<std::uint32_t, 1024>(kSmallShift, 1);

inline std::uint32_t small(std::uint32_t n, std::uint32_t d) {
  if (n < kSmallLimit && d < 1024) return std::uint32_t((std::uint64_t(n) * kSmall[d]) >> kSmallShift);
  return n / d;
}

// floor(floor(n / a) / 255) = floor(n / (255 a)) for a in 1..255 and n below
// 2^26: the divisor is below 2^16, k = 42.
inline constexpr int k255AShift = 42;
inline constexpr std::uint64_t k255ALimit = std::uint64_t(1) << 26;
inline constexpr std::array<std::uint64_t, 256> k255A = reciprocals<std::uint64_t, 256>(k255AShift, 255);

inline std::uint64_t by255A(std::uint64_t n, std::uint64_t a) {
  if (n < k255ALimit && a < 256) return std::uint64_t((Wide(n) * k255A[a]) >> k255AShift);
  return n / a / 255;
}

}  // namespace Divide
}  // namespace Brelo
