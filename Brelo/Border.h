// Folding of coordinates that lie outside a buffer back into it. The 16.16 forms run once
// per sample in the renderers' inner loops: inline and integer-only.
#pragma once

#include <cstdint>

#include "Brelo/VectorFixed.h"

namespace Brelo {

enum class BorderType : int {
  None = 0,
  Clamp = 1,
  Wrap = 2,
  Reflect = 3,
};

class Border {
 public:
  static constexpr int32_t kOne = 65536;  // one pixel in 16.16

  // Integer pixel coordinate folded into 0 .. size - 1. Reflect repeats the
  // edge pixel (size 10: -1 -> 0, 10 -> 9). A size below 1 leaves no pixel to
  // fold into: every folding type gives 0 there instead of dividing by zero.
  static int offset(int p, int size, BorderType type) {
    if (size <= 0) {
      return isFolding(type) ? 0 : p;
    }
    switch (type) {
      case BorderType::Clamp:
        return p < 0 ? 0 : (p >= size ? size - 1 : p);
      case BorderType::Wrap: {
        int const r = p % size;
        return r < 0 ? r + size : r;
      }
      case BorderType::Reflect: {
        int64_t q = p < 0 ? -static_cast<int64_t>(p) - 1 : p;
        if (q < size) {
          return static_cast<int>(q);
        }
        int64_t const period = 2 * static_cast<int64_t>(size);
        q %= period;
        return static_cast<int>(q < size ? q : period - 1 - q);
      }
      default:
        return p;
    }
  }

  // A 16.16 coordinate folded into 0 .. size - 1.0. `sizeIsFixed` says the
  // size is already 16.16.
  static int offsetF(int p, int size, BorderType type, bool sizeIsFixed) {
    int64_t const s = sizeIsFixed ? static_cast<int64_t>(size) : static_cast<int64_t>(size) * kOne;
    return fold(p, s, s - kOne, type);
  }

  // Folds x with the width and y with the height; the flag governs both axes.
  static void offsetF(VectorFixed& v, int width, int height, BorderType type, bool sizeIsFixed) {
    v.x = offsetF(v.x, width, type, sizeIsFixed);
    v.y = offsetF(v.y, height, type, sizeIsFixed);
  }

  // Inner-loop form: sizes already 16.16, upper limits supplied by the caller.
  static void offsetF(VectorFixed& v, int fixedWidth, int maxX, int fixedHeight, int maxY, BorderType type) {
    v.x = fold(v.x, fixedWidth, maxX, type);
    v.y = fold(v.y, fixedHeight, maxY, type);
  }

 private:
  static bool isFolding(BorderType type) {
    return type == BorderType::Clamp || type == BorderType::Wrap || type == BorderType::Reflect;
  }

  // s is the size and m the largest allowed value, both 16.16. The arithmetic
  // is 64-bit: the reflection period 2s leaves 32 bits from 16384 pixels on.
  // A size below 1 has nothing to fold into: every folding type gives 0.
  static int32_t fold(int32_t p, int64_t s, int64_t m, BorderType type) {
    if (s <= 0) {
      return isFolding(type) ? 0 : p;
    }
    switch (type) {
      case BorderType::Clamp:
        return p < 0 ? 0 : static_cast<int32_t>(p < m ? p : m);
      case BorderType::Wrap: {
        int64_t r = p % s;
        if (r < 0) {
          r += s;
        }
        return static_cast<int32_t>(r < m ? r : m);
      }
      case BorderType::Reflect: {
        int64_t const period = 2 * s;
        int64_t r;
        if (p < 0) {
          r = (-static_cast<int64_t>(p) - kOne) % period;
          if (r >= s) {
            r = period - kOne - r;
          }
        } else if (p < s) {
          r = p;
        } else {
          r = p % period;
          if (r >= s) {
            r = period - kOne - r;
          }
        }
        if (r > m) {
          r = m;
        }
        return static_cast<int32_t>(r < 0 ? 0 : r);
      }
      default:
        return p;
    }
  }
};

}  // namespace Brelo
