#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>

#include "Brelo/BreloGeneral.h"

using namespace Brelo;

namespace {

constexpr int64_t kOne = 65536;

// Walks from pixel 0 one step at a time, bouncing off the edges with the edge
// pixel repeated: obviously the mirror fold, and slow.
int walkReflect(int p, int size) {
  int pos = 0;
  int dir = p < 0 ? -1 : 1;
  int steps = p < 0 ? -p : p;
  for (int i = 0; i < steps; ++i) {
    int next = pos + dir;
    if (next == size) {
      dir = -1;
      next = size - 1;
    } else if (next == -1) {
      dir = 1;
      next = 0;
    }
    pos = next;
  }
  return pos;
}

int64_t mathMod(int64_t p, int64_t m) {
  int64_t r = p % m;
  return r < 0 ? r + m : r;
}

int refOffset(int p, int size, BorderType type) {
  switch (type) {
    case BorderType::Clamp:
      return p < 0 ? 0 : (p >= size ? size - 1 : p);
    case BorderType::Wrap:
      return static_cast<int>(mathMod(p, size));
    case BorderType::Reflect:
      return walkReflect(p, size);
    default:
      return p;
  }
}

// 16.16 fold written as a continuous period: wrap has period S; reflect has
// period 2S with the second half mirrored onto the first, then both limited
// to the last pixel's position m.
int refOffsetF(int64_t p, int64_t s, int64_t m, BorderType type) {
  int64_t r;
  switch (type) {
    case BorderType::Clamp:
      r = p < 0 ? 0 : std::min(p, m);
      break;
    case BorderType::Wrap:
      r = std::min(mathMod(p, s), m);
      break;
    case BorderType::Reflect: {
      int64_t x = mathMod(p, 2 * s);
      if (x >= s) {
        x = 2 * s - kOne - x;
      }
      r = std::max<int64_t>(0, std::min(x, m));
      break;
    }
    default:
      r = p;
  }
  return static_cast<int>(r);
}

BorderType const kTypes[] = {BorderType::None, BorderType::Clamp, BorderType::Wrap, BorderType::Reflect};

}  // namespace

TEST(Vector, ConstructionAndCompoundOperators) {
  Vector<int> v;
  EXPECT_EQ(v.x, 0);
  EXPECT_EQ(v.y, 0);
  Vector<double> d(2.5);
  EXPECT_EQ(d.x, 2.5);
  EXPECT_EQ(d.y, 2.5);

  Vector<int> a(7, -3);
  a += Vector<int>(1, 2);
  EXPECT_EQ(a.x, 8);
  EXPECT_EQ(a.y, -1);
  a -= Vector<int>(10, 10);
  EXPECT_EQ(a.x, -2);
  EXPECT_EQ(a.y, -11);
  a *= Vector<int>(3, -2);
  EXPECT_EQ(a.x, -6);
  EXPECT_EQ(a.y, 22);
  a /= Vector<int>(4, 5);  // integer division truncates toward zero
  EXPECT_EQ(a.x, -1);
  EXPECT_EQ(a.y, 4);
  a *= 3;
  EXPECT_EQ(a.x, -3);
  EXPECT_EQ(a.y, 12);
  a /= 2;
  EXPECT_EQ(a.x, -1);
  EXPECT_EQ(a.y, 6);

  Vector<float> f(1.0f, 2.0f);
  (f *= 2.0f) += Vector<float>(0.5f, 0.5f);  // compound operators return the vector itself
  EXPECT_FLOAT_EQ(f.x, 2.5f);
  EXPECT_FLOAT_EQ(f.y, 4.5f);
}

TEST(Vector, LengthNormalizeDotCross) {
  Vector<int> v(3, 4);
  EXPECT_EQ(v.length(), 5.0);
  v.normalize();  // 0.6 and 0.8 truncate
  EXPECT_EQ(v.x, 0);
  EXPECT_EQ(v.y, 0);
  Vector<int> zero;
  zero.normalize();
  EXPECT_EQ(zero.x, 0);
  EXPECT_EQ(zero.y, 0);
  Vector<int> axis(0, -9);
  axis.normalize();
  EXPECT_EQ(axis.x, 0);
  EXPECT_EQ(axis.y, -1);

  Vector<double> d(3.0, -4.0);
  d.normalize();
  EXPECT_DOUBLE_EQ(d.x, 0.6);
  EXPECT_DOUBLE_EQ(d.y, -0.8);
  Vector<float> f(0.0f, 0.0f);
  f.normalize();
  EXPECT_EQ(f.x, 0.0f);

  EXPECT_EQ(Vector<int>(2, 3).dot(Vector<int>(4, -5)), -7);
  EXPECT_EQ(Vector<int>(2, 3).cross(Vector<int>(4, -5)), -22);
  EXPECT_DOUBLE_EQ(Vector<double>(1.5, 0).cross(Vector<double>(0, 2)), 3.0);
}

TEST(Vector3d, Operations) {
  Vector3d<double> z;
  EXPECT_EQ(z.x + z.y + z.z, 0.0);
  Vector3d<double> a(1, 0, 0);
  Vector3d<double> const b(0, 1, 0);
  Vector3d<double> c = a.cross(b);
  EXPECT_EQ(c.x, 0.0);
  EXPECT_EQ(c.y, 0.0);
  EXPECT_EQ(c.z, 1.0);
  EXPECT_EQ(a.x, 1.0);  // operands unchanged
  Vector3d<double> g = Vector3d<double>(2, 3, 4).cross(Vector3d<double>(5, 6, 7));
  EXPECT_EQ(g.x, -3.0);
  EXPECT_EQ(g.y, 6.0);
  EXPECT_EQ(g.z, -3.0);
  EXPECT_EQ(Vector3d<double>(2, 3, 4).dot(Vector3d<double>(5, 6, 7)), 56.0);

  Vector3d<float> f(2.0f, 3.0f, 6.0f);
  EXPECT_FLOAT_EQ(f.length(), 7.0f);
  f.normalize();
  EXPECT_FLOAT_EQ(f.x, 2.0f / 7.0f);
  EXPECT_FLOAT_EQ(f.z, 6.0f / 7.0f);
  Vector3d<float> zero;
  zero.normalize();
  EXPECT_EQ(zero.x, 0.0f);

  Vector3d<double> h(1, 2, 3);
  h += Vector3d<double>(1, 1, 1);
  h *= 2.0;
  h -= Vector3d<double>(0, 0, 8);
  h /= Vector3d<double>(2, 3, 1);
  EXPECT_EQ(h.x, 2.0);
  EXPECT_EQ(h.y, 2.0);
  EXPECT_EQ(h.z, 0.0);
}

TEST(VectorFixed, ArithmeticAndRotation) {
  VectorFixed a(3 * 65536, -65536);
  VectorFixed const b(65536 / 2, 65536);
  VectorFixed c = a + b;
  EXPECT_EQ(c, VectorFixed(3 * 65536 + 32768, 0));
  EXPECT_EQ(a - b, VectorFixed(3 * 65536 - 32768, -2 * 65536));
  a += b;
  EXPECT_EQ(a, c);
  a -= b;
  EXPECT_EQ(a, VectorFixed(3 * 65536, -65536));
  EXPECT_EQ(a * 3, VectorFixed(9 * 65536, -3 * 65536));  // no fixed-point shift
  a *= -2;
  EXPECT_EQ(a, VectorFixed(-6 * 65536, 2 * 65536));

  EXPECT_EQ(createRotatedFixed(0.0), VectorFixed(65536, 0));
  EXPECT_EQ(createRotatedFixed(M_PI / 2), VectorFixed(0, -65536));
  EXPECT_EQ(createRotatedFixed(M_PI), VectorFixed(-65536, 0));
  EXPECT_EQ(createRotatedFixed(-M_PI / 2), VectorFixed(0, 65536));
  // 65536 * cos(pi/3) = 32768 exactly; sin(pi/3) * 65536 = 56755.84 rounds to 56756.
  EXPECT_EQ(createRotatedFixed(M_PI / 3), VectorFixed(32768, -56756));
  EXPECT_EQ(createRotatedFixed(-M_PI / 3), VectorFixed(32768, 56756));

  // Shifts: x >> 12, r >> 4, products and sum in 32 bits.
  VectorFixed const v(655360, 327680);
  EXPECT_EQ(v.rotate(VectorFixed(65536, 0)), v);
  EXPECT_EQ(v.rotate(createRotatedFixed(M_PI / 2)), VectorFixed(327680, -655360));
  EXPECT_EQ(VectorFixed(-1, 0).rotate(VectorFixed(65536, 0)), VectorFixed(-4096, 0));  // arithmetic shift
  EXPECT_EQ(VectorFixed(4095, 4095).rotate(VectorFixed(65536, 65536)), VectorFixed(0, 0));
  EXPECT_EQ(VectorFixed(8192, 4096).rotate(VectorFixed(1000, 200)), VectorFixed(2 * 62 - 1 * 12, 2 * 12 + 1 * 62));
  EXPECT_EQ(v, VectorFixed(655360, 327680));  // rotate leaves the vector alone

  // The rotation matches x cos + y sin, y cos - x sin to within the lost bits.
  for (int k = -12; k <= 12; ++k) {
    double const th = k * M_PI / 12.0;
    VectorFixed const r = v.rotate(createRotatedFixed(th));
    double const ex = 10.0 * std::cos(th) + 5.0 * std::sin(th);
    double const ey = 5.0 * std::cos(th) - 10.0 * std::sin(th);
    EXPECT_NEAR(r.x / 65536.0, ex, 0.01) << th;
    EXPECT_NEAR(r.y / 65536.0, ey, 0.01) << th;
  }
}

TEST(Rect, ConstructionAndQueries) {
  Rect const e;
  EXPECT_EQ(e, Rect(0, 0, 0, 0));
  EXPECT_TRUE(e.isEmpty());

  Rect const r(Vector<int>(5, 1), Vector<int>(2, 7));
  EXPECT_EQ(r, Rect(2, 1, 5, 7));
  Rect const d(Vector<double>(-1.7, 2.9), Vector<double>(3.2, 0.5));
  EXPECT_EQ(d.left, -1);
  EXPECT_EQ(d.top, 0);
  EXPECT_EQ(d.right, 3);
  EXPECT_EQ(d.bottom, 2);
  // Out-of-range and NaN corners saturate instead of being undefined.
  Rect const big(Vector<double>(-1e12, NAN), Vector<double>(1e12, 4.0));
  EXPECT_EQ(big.left, INT_MIN);
  EXPECT_EQ(big.right, INT_MAX);

  Rect const flat(3, 3, 3, 9);
  EXPECT_TRUE(flat.isEmpty());
  EXPECT_EQ(flat.getWidth(), 0);
  EXPECT_EQ(flat.getHeight(), 6);
  EXPECT_TRUE(Rect(0, 5, 4, 4).isEmpty());
  Rect const unordered(9, 8, 1, 2);  // stored as given
  EXPECT_EQ(unordered.left, 9);
  EXPECT_EQ(unordered.getWidth(), -8);
  EXPECT_TRUE(unordered.isEmpty());

  Rect const q(-4, 2, 10, 12);
  EXPECT_FALSE(q.isEmpty());
  EXPECT_EQ(q.getWidth(), 14);
  EXPECT_EQ(q.getHeight(), 10);
  EXPECT_EQ(q.getLeftTop().x, -4);
  EXPECT_EQ(q.getLeftTop().y, 2);
  EXPECT_EQ(q.getRightBottom().x, 10);
  EXPECT_EQ(q.getRightBottom().y, 12);
  EXPECT_NE(q, Rect(-4, 2, 10, 13));
  EXPECT_NE(q, Rect(-3, 2, 10, 12));

  PF_LRect const ae = aeRect(q);
  EXPECT_EQ(ae.left, -4);
  EXPECT_EQ(ae.top, 2);
  EXPECT_EQ(ae.right, 10);
  EXPECT_EQ(ae.bottom, 12);
  EXPECT_EQ(Rect(ae), q);

  Rect s;
  s.setRect(1, 2, 3, 4);
  EXPECT_EQ(s, Rect(1, 2, 3, 4));
  s.setRect(ae);
  EXPECT_EQ(s, q);
  s.setRect(Vector<int>(5, 1), Vector<int>(2, 7));
  EXPECT_EQ(s, r);
  s.setRect(Vector<double>(-1.7, 2.9), Vector<double>(3.2, 0.5));
  EXPECT_EQ(s, d);
}

TEST(Border, FoldingExamples) {
  EXPECT_EQ(Border::offset(-1, 10, BorderType::Wrap), 9);
  EXPECT_EQ(Border::offset(-11, 10, BorderType::Wrap), 9);
  EXPECT_EQ(Border::offset(25, 10, BorderType::Wrap), 5);
  EXPECT_EQ(Border::offset(12, 10, BorderType::Clamp), 9);
  EXPECT_EQ(Border::offset(-3, 10, BorderType::Clamp), 0);
  EXPECT_EQ(Border::offset(-1, 10, BorderType::Reflect), 0);
  EXPECT_EQ(Border::offset(-2, 10, BorderType::Reflect), 1);
  EXPECT_EQ(Border::offset(10, 10, BorderType::Reflect), 9);
  EXPECT_EQ(Border::offset(11, 10, BorderType::Reflect), 8);
  EXPECT_EQ(Border::offset(19, 10, BorderType::Reflect), 0);
  EXPECT_EQ(Border::offset(20, 10, BorderType::Reflect), 0);
  EXPECT_EQ(Border::offset(-37, 10, BorderType::None), -37);
  EXPECT_EQ(Border::offset(-37, 10, static_cast<BorderType>(7)), -37);

  EXPECT_EQ(Border::offsetF(-65536, 10, BorderType::Reflect, false), 0);
  EXPECT_EQ(Border::offsetF(655360, 10, BorderType::Reflect, false), 589824);
  EXPECT_EQ(Border::offsetF(-100, 10, BorderType::Reflect, false), 0);
  EXPECT_EQ(Border::offsetF(700000, 10, BorderType::Wrap, false), 44640);
  EXPECT_EQ(Border::offsetF(700000, 10, BorderType::Clamp, false), 589824);
  EXPECT_EQ(Border::offsetF(700000, 655360, BorderType::Clamp, true), 589824);
  EXPECT_EQ(Border::offsetF(-70000, 10, BorderType::Reflect, false), 70000 - 65536);
  EXPECT_EQ(Border::offsetF(-70000, 10, BorderType::None, false), -70000);

  // A size without pixels folds to 0 rather than dividing by zero.
  for (BorderType t : {BorderType::Clamp, BorderType::Wrap, BorderType::Reflect}) {
    EXPECT_EQ(Border::offset(5, 0, t), 0);
    EXPECT_EQ(Border::offset(-5, -3, t), 0);
    EXPECT_EQ(Border::offsetF(5 * 65536, 0, t, false), 0);
    EXPECT_EQ(Border::offsetF(5 * 65536, 0, t, true), 0);
    VectorFixed v(70000, -70000);
    Border::offsetF(v, 0, 0, 0, 0, t);
    EXPECT_EQ(v, VectorFixed(0, 0));
  }
  EXPECT_EQ(Border::offset(5, 0, BorderType::None), 5);
}

TEST(Border, IntegerFoldMatchesReference) {
  for (int size = 1; size <= 23; ++size) {
    for (int p = -5 * size - 3; p <= 5 * size + 3; ++p) {
      for (BorderType t : kTypes) {
        ASSERT_EQ(Border::offset(p, size, t), refOffset(p, size, t))
            << "p " << p << " size " << size << " type " << static_cast<int>(t);
      }
    }
  }
  // Extremes of the int range stay defined.
  EXPECT_EQ(Border::offset(INT_MIN, 10, BorderType::Reflect), static_cast<int>(mathMod(-(int64_t)INT_MIN - 1, 20)) < 10
                                                                 ? static_cast<int>(mathMod(-(int64_t)INT_MIN - 1, 20))
                                                                 : 19 - static_cast<int>(mathMod(-(int64_t)INT_MIN - 1, 20)));
  EXPECT_EQ(Border::offset(INT_MIN, 7, BorderType::Wrap), static_cast<int>(mathMod(INT_MIN, 7)));
  EXPECT_EQ(Border::offset(INT_MAX, 7, BorderType::Wrap), static_cast<int>(mathMod(INT_MAX, 7)));
  EXPECT_EQ(Border::offset(INT_MAX, 2000000000, BorderType::Reflect), 2000000000 - 1 - (INT_MAX - 2000000000));
}

TEST(Border, FixedFoldMatchesReference) {
  int const offsets[] = {0, 1, 100, 32767, 32768, 65535};
  for (int size = 1; size <= 13; ++size) {
    int64_t const s = size * kOne;
    for (int pix = -4 * size - 2; pix <= 4 * size + 2; ++pix) {
      for (int frac : offsets) {
        for (int sign : {1, -1}) {
          int const p = static_cast<int>(pix * kOne + sign * frac);
          for (BorderType t : kTypes) {
            int const want = refOffsetF(p, s, s - kOne, t);
            ASSERT_EQ(Border::offsetF(p, size, t, false), want) << p << " size " << size << " type " << int(t);
            ASSERT_EQ(Border::offsetF(p, static_cast<int>(s), t, true), want);
            VectorFixed v(p, -p);
            Border::offsetF(v, size, size + 1, t, false);
            ASSERT_EQ(v.x, want);
            ASSERT_EQ(v.y, refOffsetF(-p, s + kOne, s, t));
            VectorFixed w(p, -p);
            Border::offsetF(w, static_cast<int>(s), static_cast<int>(s + kOne), t, true);
            ASSERT_EQ(w, v);
            // Inner-loop form with the caller's own upper limits.
            VectorFixed u(p, -p);
            Border::offsetF(u, static_cast<int>(s), static_cast<int>(s - kOne - 7), static_cast<int>(s + kOne),
                            static_cast<int>(s), t);
            ASSERT_EQ(u.x, refOffsetF(p, s, s - kOne - 7, t));
            ASSERT_EQ(u.y, refOffsetF(-p, s + kOne, s, t));
          }
          // On whole pixels the fixed fold is the integer fold.
          if (frac == 0) {
            for (BorderType t : {BorderType::Clamp, BorderType::Wrap, BorderType::Reflect}) {
              ASSERT_EQ(Border::offsetF(p, size, t, false), Border::offset(pix, size, t) * kOne);
            }
          }
        }
      }
    }
  }
}

TEST(Border, FixedFoldOnLargeImages) {
  // The reflection period of a 16384-pixel or wider image no longer fits 32 bits.
  for (int size : {16384, 20000, 30000}) {
    for (int pix : {size - 1, size, size + 5, size + 2000, 32767, -1, -5000, -size + 1, -32768}) {
      if (pix * kOne > INT_MAX) {
        continue;
      }
      int const p = static_cast<int>(pix * kOne);
      for (BorderType t : kTypes) {
        ASSERT_EQ(Border::offsetF(p, size, t, false), refOffsetF(p, size * kOne, size * kOne - kOne, t))
            << pix << " size " << size;
      }
      ASSERT_EQ(Border::offsetF(p, size, BorderType::Reflect, false),
                Border::offset(pix, size, BorderType::Reflect) * 65536);
    }
  }
  EXPECT_EQ(Border::offsetF(INT_MIN, 30000, BorderType::Reflect, false),
            refOffsetF(INT_MIN, 30000 * kOne, 30000 * kOne - kOne, BorderType::Reflect));
}
