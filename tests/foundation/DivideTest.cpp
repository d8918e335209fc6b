// The table divisions against the division instruction: every divisor, next
// to every multiple it has below the exact range (where an error would show
// first), and beyond the range, where they fall back to dividing.
#include <gtest/gtest.h>

#include <cstdint>

#include "Brelo/BreloDivide.h"

namespace Brelo {
namespace {

TEST(Divide, SmallDivisorsAreExact) {
  for (std::uint32_t d = 1; d < 1024; ++d) {
    for (std::uint32_t m = 0; m < Divide::kSmallLimit; m += d) {
      for (std::uint32_t n : {m, m + d - 1}) {
        if (n >= Divide::kSmallLimit) continue;
        ASSERT_EQ(Divide::small(n, d), n / d) << n << " / " << d;
      }
    }
    for (std::uint32_t n : {Divide::kSmallLimit, Divide::kSmallLimit * 3u + 7u, 0xFFFFFFFFu}) {
      ASSERT_EQ(Divide::small(n, d), n / d) << n << " / " << d;
    }
  }
  EXPECT_EQ(Divide::small(100000u, 5000u), 20u);
}

TEST(Divide, By255AIsExact) {
  for (std::uint64_t a = 1; a < 256; ++a) {
    std::uint64_t const d = 255 * a;
    for (std::uint64_t m = 0; m < Divide::k255ALimit; m += d) {
      for (std::uint64_t n : {m, m + d - 1}) {
        if (n >= Divide::k255ALimit) continue;
        ASSERT_EQ(Divide::by255A(n, a), n / a / 255) << n << " / " << a;
      }
    }
    for (std::uint64_t n : {Divide::k255ALimit, Divide::k255ALimit * 1000 + 1}) {
      ASSERT_EQ(Divide::by255A(n, a), n / a / 255) << n << " / " << a;
    }
  }
}

}  // namespace
}  // namespace Brelo
