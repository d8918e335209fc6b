#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Brelo/BreloBlend.h"
#include "PixelValues.h"

using namespace Brelo;

namespace {

using Color = ColorFloat<float>;

using PixelValues::colorFloatIs;
using PixelValues::pixelIs;
using PixelValues::px16;
using PixelValues::px8;

template <class P>
bool same(P const& a, P const& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Every mode's function for pixel kind P, in enumeration order.
template <class P>
std::vector<P (*)(P const&, P const&)> modeTable() {
  return {&Blend::normal,    &Blend::add,       &Blend::multiply,   &Blend::screen,     &Blend::overlay,
          &Blend::softlight, &Blend::hardlight, &Blend::dodge,      &Blend::burn,       &Blend::darken,
          &Blend::lighten,   &Blend::difference, &Blend::exclusion, &Blend::hue,        &Blend::saturation,
          &Blend::luminosity, &Blend::alpha_add};
}

// The 8-bit rules written out plainly, in 64-bit arithmetic so nothing can
// overflow: the production functions must match them byte for byte.
uint64_t refTerm8(BlendMode m, uint64_t cb, uint64_t cs, uint64_t ab, uint64_t as) {
  uint64_t const P = ab * as;
  switch (m) {
    case BlendMode::Add: return P * (cb + cs);
    case BlendMode::Multiply: return ab * as * cb * cs / 255;
    case BlendMode::Screen: return P * (cb + cs - cb * cs / 255);
    case BlendMode::Overlay: return P * (cb >= 128 ? 2 * (cb + cs - cb * cs / 255) - 255 : 2 * cb * cs / 255);
    case BlendMode::HardLight: return P * (cs >= 128 ? 2 * (cb + cs - cb * cs / 255) - 255 : 2 * cb * cs / 255);
    case BlendMode::Dodge: return P * (cs < 255 ? 255 * cb / (255 - cs) : cb * 255000);
    case BlendMode::Darken: return P * std::min(cb, cs);
    case BlendMode::Lighten: return P * std::max(cb, cs);
    case BlendMode::Difference: return P * (cb > cs ? cb - cs : cs - cb);
    case BlendMode::Exclusion: return P * (cb + cs - 2 * cb * cs / 255);
    default: return 0;
  }
}

PF_Pixel ref8(BlendMode m, PF_Pixel const& b, PF_Pixel const& s) {
  if (b.alpha == 0) return s;
  if (s.alpha == 0) return b;
  uint64_t const ab = b.alpha, as = s.alpha;
  PF_Pixel out;
  if (m == BlendMode::SoftLight || m == BlendMode::Burn) {
    float const fab = ab, fas = as;
    float const W = (255.0f - fab) * fas;
    float const alpha = W / 255.0f + fab;
    float const V = fab * (255.0f - fas);
    auto ch = [&](float cb, float cs) {
      float B;
      if (m == BlendMode::SoftLight) {
        float const e = cs >= 128.0f ? 128.0f / cs : (255.0f - cs) / 128.0f;
        B = 255.0f * std::pow(cb / 255.0f, e);
      } else {
        float const q = cs != 0.0f ? (255.0f - cb) * 255.0f / cs : (255.0f - cb) * 255.0f * 10.0f;
        B = 255.0f - q;
      }
      float const co = (cs * W + cb * V + B * fab * fas) / alpha / 255.0f;
      return static_cast<A_u_char>(co < 0.0f ? 0.0f : (co > 255.0f ? 255.0f : co));
    };
    out.alpha = static_cast<A_u_char>(std::min(alpha, 255.0f));
    out.red = ch(b.red, s.red);
    out.green = ch(b.green, s.green);
    out.blue = ch(b.blue, s.blue);
    return out;
  }
  uint64_t const A = ab + (255 - ab) * as / 255;
  auto ch = [&](uint64_t cb, uint64_t cs) {
    uint64_t const N = cb * (255 - as) * ab + cs * (255 - ab) * as + refTerm8(m, cb, cs, ab, as);
    return static_cast<A_u_char>(std::min<uint64_t>(N / A / 255, 255));
  };
  out.alpha = static_cast<A_u_char>(std::min<uint64_t>(A, 255));
  out.red = ch(b.red, s.red);
  out.green = ch(b.green, s.green);
  out.blue = ch(b.blue, s.blue);
  return out;
}

BlendMode const kMixModes[] = {BlendMode::Add,        BlendMode::Multiply, BlendMode::Screen,  BlendMode::Overlay,
                               BlendMode::SoftLight,  BlendMode::HardLight, BlendMode::Dodge,  BlendMode::Burn,
                               BlendMode::Darken,     BlendMode::Lighten,  BlendMode::Difference, BlendMode::Exclusion};

}  // namespace

TEST(Blend, ExamplesExact) {
  EXPECT_TRUE(pixelIs(Blend::normal(px8(255, 255, 0, 0), px8(128, 0, 0, 255)), 255, 127, 0, 128));
  EXPECT_TRUE(pixelIs(Blend::add(px8(255, 200, 100, 0), px8(255, 100, 200, 0)), 255, 255, 255, 0));
  EXPECT_TRUE(pixelIs(Blend::add(px8(128, 200, 100, 0), px8(128, 100, 200, 0)), 191, 201, 201, 0));
  EXPECT_TRUE(pixelIs(Blend::screen(px8(255, 128, 64, 0), px8(255, 128, 255, 0)), 255, 192, 255, 0));
  EXPECT_TRUE(pixelIs(Blend::alpha_add(px8(200, 255, 0, 0), px8(100, 0, 0, 255)), 255, 170, 0, 85));

  Color const fa = Blend::add(Color(0.5f, 0.8f, 0.4f, 0.0f), Color(0.5f, 0.4f, 0.8f, 0.0f));
  EXPECT_TRUE(colorFloatIs(fa, 0.75f, 0.8f, 0.8f, 0.0f));
  EXPECT_EQ(fa.blue, 0.0f);
  Color const bright = Blend::add(Color(1.0f, 0.8f, 0.1f, 0.0f), Color(1.0f, 0.8f, 0.1f, 0.0f));
  EXPECT_FLOAT_EQ(bright.red, 1.6f);  // float kinds are not limited
  PF_PixelFloat const b32 = Blend::add(PF_PixelFloat{1.0f, 0.8f, 0.1f, 0.0f}, PF_PixelFloat{1.0f, 0.8f, 0.1f, 0.0f});
  EXPECT_FLOAT_EQ(b32.red, 1.6f);

  // 8-bit dodge with a full blend channel saturates every base channel above 0.
  for (int cb = 0; cb < 256; ++cb) {
    PF_Pixel const d = Blend::dodge(px8(255, cb, cb, cb), px8(255, 255, 0, 255));
    ASSERT_EQ(d.red, cb > 0 ? 255 : 0) << cb;
    ASSERT_EQ(d.green, cb);
  }

  // 8-bit overlay takes the screen branch at 128 (101), the multiply one below.
  EXPECT_EQ(Blend::overlay(px8(255, 128, 127, 0), px8(255, 100, 100, 0)).red, 101);
  EXPECT_EQ(Blend::overlay(px8(255, 128, 127, 0), px8(255, 100, 100, 0)).green, 2 * 127 * 100 / 255);
  EXPECT_EQ(Blend::hardlight(px8(255, 100, 100, 0), px8(255, 128, 127, 0)).red, 101);
  // 16-bit overlay: screen branch from 16384, multiply branch at 16383.
  EXPECT_TRUE(pixelIs(Blend::overlay(px16(32768, 16384, 16383, 0), px16(32768, 32768, 32768, 0)), 32768, 32768,
                      32766, 0));
  EXPECT_TRUE(pixelIs(Blend::hardlight(px16(32768, 32768, 32768, 0), px16(32768, 16384, 16383, 0)), 32768, 32768,
                      32766, 0));
  EXPECT_TRUE(pixelIs(Blend::add(px16(32768, 16384, 0, 32768), px16(32768, 8192, 0, 32768)), 32768, 24576, 0, 32768));
  EXPECT_TRUE(pixelIs(Blend::normal(px16(32768, 32768, 0, 0), px16(16384, 0, 0, 32768)), 32768, 16384, 0, 16384));
  EXPECT_TRUE(pixelIs(Blend::alpha_add(px16(20000, 32768, 0, 0), px16(20000, 0, 0, 32768)), 32768, 16384, 0, 16384));

  // Hue of a grey blend pixel replaces the base's colour by its luma.
  Color const g = Blend::hue(Color(1.0f, 1.0f, 0.0f, 0.0f), Color(1.0f, 0.5f, 0.5f, 0.5f));
  EXPECT_TRUE(colorFloatIs(g, 1.0f, 0.299f, 0.299f, 0.299f));
  EXPECT_TRUE(pixelIs(Blend::hue(px8(255, 255, 0, 0), px8(255, 9, 9, 9)), 255, 76, 76, 76));
  EXPECT_TRUE(pixelIs(Blend::hue(px16(32768, 32768, 0, 0), px16(32768, 9, 9, 9)), 32768, 9797, 9797, 9797));
  // Otherwise the blend pixel's hue goes onto the base's lightness and saturation.
  Color const h = Blend::hue(Color(1.0f, 1.0f, 0.0f, 0.0f), Color(1.0f, 0.0f, 0.2f, 0.0f));
  EXPECT_FLOAT_EQ(h.green, 1.0f);
  EXPECT_FLOAT_EQ(h.red, 0.0f);
  Color const sat = Blend::saturation(Color(1.0f, 0.6f, 0.4f, 0.4f), Color(1.0f, 0.5f, 0.5f, 0.5f));
  EXPECT_FLOAT_EQ(sat.red, 0.5f);
  EXPECT_FLOAT_EQ(sat.blue, 0.5f);
  Color const lum = Blend::luminosity(Color(1.0f, 1.0f, 0.0f, 0.0f), Color(1.0f, 0.2f, 0.2f, 0.2f));
  EXPECT_FLOAT_EQ(lum.red, 0.4f);
  EXPECT_FLOAT_EQ(lum.green, 0.0f);

  // normal, float: a fully opaque blend pixel replaces the base.
  EXPECT_TRUE(pixelIs(Blend::normal(Color(0.3f, 0.1f, 0.2f, 0.3f), Color(1.0f, 0.9f, 0.8f, 0.7f)), 1.0f, 0.9f, 0.8f,
                      0.7f));
  Color const n = Blend::normal(Color(1.0f, 1.0f, 0.0f, 0.0f), Color(0.5f, 0.0f, 0.0f, 1.0f));
  EXPECT_FLOAT_EQ(n.alpha, 1.0f);
  EXPECT_FLOAT_EQ(n.red, 0.5f);
  EXPECT_FLOAT_EQ(n.blue, 0.5f);
  Color const aa = Blend::alpha_add(Color(0.75f, 1.0f, 0.0f, 2.0f), Color(0.75f, 0.0f, 0.0f, 2.0f));
  EXPECT_EQ(aa.alpha, 1.0f);
  EXPECT_EQ(aa.red, 0.5f);
  EXPECT_EQ(aa.blue, 1.0f);  // limited
}

TEST(Blend, FloatDodgeAndBurnLimits) {
  PF_PixelFloat const b = {1.0f, 0.8f, 0.5f, 0.0f};
  PF_PixelFloat const s = {1.0f, 0.9f, 1.0f, 0.0f};
  PF_PixelFloat const d = Blend::dodge(b, s);
  EXPECT_EQ(d.red, 1.0f);
  EXPECT_EQ(d.green, 1.0f);
  EXPECT_EQ(d.blue, 0.0f);
  Color const dc = Blend::dodge(Color(b), Color(s));
  EXPECT_FLOAT_EQ(dc.red, 8.0f);
  EXPECT_FLOAT_EQ(dc.green, 0.5f / 0.00001f);
  PF_PixelFloat const burnt = Blend::burn(PF_PixelFloat{1.0f, 0.2f, 0.5f, 1.0f}, PF_PixelFloat{1.0f, 0.1f, 0.0f, 0.5f});
  EXPECT_EQ(burnt.red, 0.0f);
  EXPECT_EQ(burnt.green, 0.0f);
  EXPECT_EQ(burnt.blue, 1.0f);
  Color const bc = Blend::burn(Color(1.0f, 0.2f, 0.5f, 1.0f), Color(1.0f, 0.1f, 0.0f, 0.5f));
  EXPECT_FLOAT_EQ(bc.red, -7.0f);
  EXPECT_LT(bc.green, -1000.0f);
}

TEST(Blend, TransparentPixelsAreIdentities) {
  PF_Pixel const b8 = px8(0, 12, 250, 77);
  PF_Pixel const s8 = px8(0, 201, 3, 99);
  PF_Pixel const o8 = px8(200, 40, 50, 60);
  PF_Pixel16 const b16 = px16(0, 40000, 7, 32768);
  PF_Pixel16 const o16 = px16(30000, 1, 2, 3);
  PF_PixelFloat const b32 = {0.0f, 2.0f, -1.0f, 0.5f};
  PF_PixelFloat const o32 = {0.6f, 0.1f, 0.2f, 0.3f};
  for (int v = 0; v <= 16; ++v) {
    BlendMode const m = static_cast<BlendMode>(v);
    ASSERT_TRUE(same(getBlendFunction8(m)(b8, o8), o8)) << v;
    ASSERT_TRUE(same(getBlendFunction8(m)(o8, s8), o8)) << v;
    ASSERT_TRUE(same(getBlendFunction8(m)(b8, s8), s8)) << v;
    ASSERT_TRUE(same(getBlendFunction16(m)(b16, o16), o16)) << v;
    ASSERT_TRUE(same(getBlendFunction16(m)(o16, b16), o16)) << v;
    ASSERT_TRUE(same(getBlendFunction32(m)(b32, o32), o32)) << v;
    ASSERT_TRUE(same(getBlendFunction32(m)(o32, b32), o32)) << v;
    ASSERT_TRUE(same(getBlendFunction(m)(Color(b32), Color(o32)), Color(o32))) << v;
    ASSERT_TRUE(same(getBlendFunction(m)(Color(o32), Color(b32)), Color(o32))) << v;
  }
}

TEST(Blend, LookUps) {
  EXPECT_EQ(getBlendFunction8(BlendMode(17)), static_cast<BlendFunction8>(&Blend::normal));
  EXPECT_EQ(getBlendFunction8(BlendMode::Normal), static_cast<BlendFunction8>(&Blend::normal));
  EXPECT_EQ(getBlendFunction8(BlendMode(-1)), static_cast<BlendFunction8>(&Blend::normal));
  EXPECT_EQ(getBlendFunction(BlendMode(99)), static_cast<BlendFunction>(&Blend::normal));
  EXPECT_EQ(getBlendFunction16(BlendMode(0)), static_cast<BlendFunction16>(&Blend::normal));
  EXPECT_EQ(getBlendFunction32(BlendMode(17)), static_cast<BlendFunction32>(&Blend::normal));

  auto const f8 = modeTable<PF_Pixel>();
  auto const f16 = modeTable<PF_Pixel16>();
  auto const f32 = modeTable<PF_PixelFloat>();
  auto const ff = modeTable<Color>();
  int const xfer[] = {2, 4, 5, 6, 7, 8, 9, 27, 28, 10, 11, 26, 25, 13, 14, 16, 22};
  for (int v = 0; v <= 16; ++v) {
    BlendMode const m = static_cast<BlendMode>(v);
    EXPECT_EQ(getBlendFunction8(m), f8[v]) << v;
    EXPECT_EQ(getBlendFunction16(m), f16[v]) << v;
    EXPECT_EQ(getBlendFunction32(m), f32[v]) << v;
    EXPECT_EQ(getBlendFunction(m), ff[v]) << v;
    EXPECT_EQ(aeBlendMode(m), xfer[v]) << v;
  }
  EXPECT_EQ(aeBlendMode(BlendMode::Dodge), 27);
  EXPECT_EQ(aeBlendMode(BlendMode(40)), 2);
  EXPECT_EQ(aeBlendMode(BlendMode(-3)), 2);

  // withBlend hands out the same function as the lookups, values outside
  // the enumeration included; pixel pairs that tell every mode apart.
  PF_Pixel const b8{200, 180, 60, 20}, s8{150, 40, 220, 130};
  PF_Pixel16 const b16{30000, 20000, 5000, 100}, s16{9000, 3000, 31000, 17000};
  PF_PixelFloat const bf{0.8f, 0.7f, 0.2f, 0.1f}, sf{0.6f, 0.15f, 0.9f, 0.5f};
  for (int v = -1; v <= 17; ++v) {
    BlendMode const m = static_cast<BlendMode>(v);
    withBlend(m, [&](auto const& blend) {
      PF_Pixel const a = blend(b8, s8), e = getBlendFunction8(m)(b8, s8);
      EXPECT_TRUE(same(a, e)) << v;
      PF_Pixel16 const a16 = blend(b16, s16), e16 = getBlendFunction16(m)(b16, s16);
      EXPECT_TRUE(same(a16, e16)) << v;
      PF_PixelFloat const af = blend(bf, sf), ef = getBlendFunction32(m)(bf, sf);
      EXPECT_TRUE(same(af, ef)) << v;
    });
  }
}

TEST(Blend, EightBitMatchesPlainRulesForAllOpaquePairs) {
  for (BlendMode m : kMixModes) {
    BlendFunction8 const f = getBlendFunction8(m);
    for (int cb = 0; cb < 256; ++cb) {
      for (int cs = 0; cs < 256; ++cs) {
        // The three channels see the pair in different roles.
        PF_Pixel const b = px8(255, cb, cs, 255 - cb);
        PF_Pixel const s = px8(255, cs, cb, 255 - cs);
        PF_Pixel const got = f(b, s);
        PF_Pixel const want = ref8(m, b, s);
        ASSERT_TRUE(same(got, want)) << "mode " << static_cast<int>(m) << " cb " << cb << " cs " << cs << ": "
                                     << pixelIs(got, want.alpha, want.red, want.green, want.blue).message();
      }
    }
  }
}

TEST(Blend, EightBitMatchesPlainRulesAcrossAlphas) {
  int const alphas[] = {1, 2, 64, 127, 128, 200, 254, 255};
  for (BlendMode m : kMixModes) {
    BlendFunction8 const f = getBlendFunction8(m);
    for (int ab : alphas) {
      for (int as : alphas) {
        for (int cb = 0; cb < 256; cb += 3) {
          for (int cs = 0; cs < 256; cs += 5) {
            PF_Pixel const b = px8(ab, cb, cs, 255 - cb);
            PF_Pixel const s = px8(as, cs, cb, 255);
            PF_Pixel const got = f(b, s);
            PF_Pixel const want = ref8(m, b, s);
            ASSERT_TRUE(same(got, want)) << "mode " << static_cast<int>(m) << " ab " << ab << " as " << as << " cb "
                                         << cb << " cs " << cs << ": "
                                         << pixelIs(got, want.alpha, want.red, want.green, want.blue).message();
          }
        }
      }
    }
  }
}

TEST(Blend, IntegerNormalAndAlphaAddMatchPlainRules) {
  for (int ab = 0; ab < 256; ab += 3) {
    for (int as = 0; as < 256; as += 2) {
      for (int c = 0; c < 256; c += 51) {
        PF_Pixel const b = px8(ab, c, 255 - c, 17);
        PF_Pixel const s = px8(as, 255 - c, c, 230);
        PF_Pixel want;
        if (ab == 0 || as == 255) {
          want = s;
        } else if (as == 0) {
          want = b;
        } else {
          int const w = (255 - as) * ab / 255;
          int const A = as + w;
          want = px8(std::min(A, 255), std::min((s.red * as + b.red * w) / A, 255),
                     std::min((s.green * as + b.green * w) / A, 255), std::min((s.blue * as + b.blue * w) / A, 255));
        }
        ASSERT_TRUE(same(Blend::normal(b, s), want)) << ab << " " << as << " " << c;
        if (ab == 0) {
          want = s;
        } else if (as == 0) {
          want = b;
        } else {
          int const A = ab + as;
          want = px8(std::min(A, 255), std::min((b.red * ab + s.red * as) / A, 255),
                     std::min((b.green * ab + s.green * as) / A, 255), std::min((b.blue * ab + s.blue * as) / A, 255));
        }
        ASSERT_TRUE(same(Blend::alpha_add(b, s), want)) << ab << " " << as << " " << c;
      }
    }
  }
  // 16-bit normal: weight shifted right by 15 bits, integers throughout.
  // w = (32765 * 1000) >> 15 = 999, A = 1002.
  EXPECT_TRUE(pixelIs(Blend::normal(px16(1000, 32768, 100, 0), px16(3, 0, 200, 32768)), 1002, 32768 * 999 / 1002,
                      (200 * 3 + 100 * 999) / 1002, 32768 * 3 / 1002));
  EXPECT_TRUE(same(Blend::normal(px16(1000, 5, 5, 5), px16(32768, 1, 2, 3)), px16(32768, 1, 2, 3)));
  // An alpha above the 16-bit full scale counts as opaque.
  PF_Pixel16 const over = px16(40000, 1, 2, 3);
  EXPECT_TRUE(same(Blend::normal(px16(32768, 9, 9, 9), over), over));
}

TEST(Blend, IntegerKindsFollowTheFloatResult) {
  int const levels[] = {0, 1, 30, 64, 100, 127, 128, 160, 200, 230, 254, 255};
  for (int v = 0; v <= 16; ++v) {
    BlendMode const m = static_cast<BlendMode>(v);
    for (int cb : levels) {
      for (int cs : levels) {
        for (int other : {0, 90, 255}) {
          PF_Pixel const b8 = px8(255, cb, other, 255 - cb);
          PF_Pixel const s8 = px8(255, cs, 255 - other, cs / 2);
          PF_Pixel16 const b16 = px16(32768, cb * 128, other * 128, (255 - cb) * 128);
          PF_Pixel16 const s16 = px16(32768, cs * 128, (255 - other) * 128, (cs / 2) * 128);
          Color const fb(b16);
          Color const fs(s16);
          Color ref = getBlendFunction(m)(fb, fs);
          ref.clamp(1.0f);
          PF_PixelFloat const r32 = getBlendFunction32(m)(aePixel32(fb), aePixel32(fs));
          Color const f32 = getBlendFunction(m)(fb, fs);
          PF_Pixel const o8 = getBlendFunction8(m)(b8, s8);
          PF_Pixel16 const o16 = getBlendFunction16(m)(b16, s16);
          Color const fb8(b8);
          Color const fs8(s8);
          Color ref8v = getBlendFunction(m)(fb8, fs8);
          ref8v.clamp(1.0f);
          float const* want8 = &ref8v.red;
          float const* want16 = &ref.red;
          A_u_char const* got8 = &o8.red;
          A_u_short const* got16 = &o16.red;
          float const* got32 = &r32.red;
          float const* gotF = &f32.red;
          for (int ch = 0; ch < 3; ++ch) {
            ASSERT_NEAR(got8[ch], want8[ch] * 255.0f, 3.0f)
                << "mode " << v << " cb " << cb << " cs " << cs << " other " << other << " ch " << ch;
            ASSERT_NEAR(got16[ch], want16[ch] * 32768.0f, 4.0f)
                << "mode " << v << " cb " << cb << " cs " << cs << " other " << other << " ch " << ch;
            // The host float pixel is the working colour, except for the limited dodge and burn.
            if (m == BlendMode::Dodge || m == BlendMode::Burn) {
              ASSERT_EQ(got32[ch], std::min(std::max(gotF[ch], 0.0f), 1.0f));
            } else {
              ASSERT_EQ(got32[ch], gotF[ch]);
            }
          }
          ASSERT_EQ(o8.alpha, 255);
          ASSERT_EQ(o16.alpha, 32768);
        }
      }
    }
  }
}

namespace {

// The span form of normal against the pixel form, in every kernel: every top alpha over
// every base alpha, each with channels across the whole range (every fourth value and
// both ends), in spans of every length up to 17 laid end to end.
TEST(Blend, NormalSpanIsNormalPixelByPixel) {
  std::vector<PF_Pixel> base, row;
  for (int ab = 0; ab < 256; ++ab)
    for (int cb = 0; cb < 256; cb += cb == 252 ? 3 : 4)
      base.push_back({A_u_char(ab), A_u_char(cb), A_u_char(255 - cb), A_u_char((cb * 7 + ab) & 255)});
  for (auto const kernel : {Blend::SpanKernel::Scalar, Blend::SpanKernel::Sse2, Blend::SpanKernel::Avx2}) {
    for (int as = 0; as < 256; ++as) {
      for (PF_Pixel const top : {PF_Pixel{A_u_char(as), 255, 0, 128}, PF_Pixel{A_u_char(as), 3, 254, 77}}) {
        row = base;
        std::size_t end = 0;
        for (int n = 1; end + std::size_t(n) + 3 <= row.size(); n = n % 17 + 1) {
          Blend::normalSpan(row.data() + end, n, top, kernel);
          end += std::size_t(n);
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
          PF_Pixel const e = i < end ? Blend::normal(base[i], top) : base[i];
          ASSERT_TRUE(row[i].alpha == e.alpha && row[i].red == e.red && row[i].green == e.green && row[i].blue == e.blue)
              << "kernel " << int(kernel) << ", top alpha " << as << " at " << i;
        }
      }
    }
  }
}

// The form with a top pixel for each pixel against the pixel form, in every kernel: every
// top alpha (0 included) with colours across the range over the bases above, scattered,
// in groups of every size up to 17.
TEST(Blend, NormalEachIsNormalPixelByPixel) {
  std::vector<PF_Pixel> base;
  for (int ab = 0; ab < 256; ++ab)
    for (int cb = 0; cb < 256; cb += cb == 252 ? 3 : 4)
      base.push_back({A_u_char(ab), A_u_char(cb), A_u_char(255 - cb), A_u_char((cb * 7 + ab) & 255)});
  std::size_t const size = base.size();  // 16640, prime to 7: i -> 7 i mod size permutes
  std::vector<PF_Pixel> tops(size);
  for (std::size_t i = 0; i < size; ++i)
    tops[i] = {A_u_char(i % 256), A_u_char(i * 37), A_u_char(i * 11 + 5), A_u_char(255 - i % 97)};
  for (auto const kernel : {Blend::SpanKernel::Scalar, Blend::SpanKernel::Sse2, Blend::SpanKernel::Avx2}) {
    std::vector<PF_Pixel> row = base;
    std::vector<PF_Pixel*> at(size);
    for (std::size_t i = 0; i < size; ++i) at[i] = &row[i * 7 % size];
    for (std::size_t i = 0, n = 1; i < size; i += n, n = n % 17 + 1) {
      Blend::normalEach(at.data() + i, tops.data() + i, int(std::min(n, size - i)), kernel);
    }
    for (std::size_t i = 0; i < size; ++i) {
      PF_Pixel const e = Blend::normal(base[i * 7 % size], tops[i]);
      PF_Pixel const& r = row[i * 7 % size];
      ASSERT_TRUE(r.alpha == e.alpha && r.red == e.red && r.green == e.green && r.blue == e.blue)
          << "kernel " << int(kernel) << " at " << i;
    }
  }
}

}  // namespace

