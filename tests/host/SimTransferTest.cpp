// transfer_rect: every listed mode against the blend functions used pixel by
// pixel, opacity in each depth, rgb_only, clipping and refusals.
#include <algorithm>
#include <type_traits>

#include "Brelo/BreloBlend.h"
#include "SimTestUtil.h"

using namespace Brelo::Sim;
using Brelo::BlendMode;

namespace {

const PF_TransferMode kModes[] = {PF_Xfer_IN_FRONT,   PF_Xfer_ADD,        PF_Xfer_MULTIPLY,    PF_Xfer_SCREEN,
                                  PF_Xfer_OVERLAY,    PF_Xfer_SOFT_LIGHT, PF_Xfer_HARD_LIGHT,  PF_Xfer_COLOR_DODGE2,
                                  PF_Xfer_COLOR_BURN2, PF_Xfer_DARKEN,    PF_Xfer_LIGHTEN,     PF_Xfer_DIFFERENCE2,
                                  PF_Xfer_EXCLUSION,  PF_Xfer_HUE,        PF_Xfer_SATURATION,  PF_Xfer_LUMINOSITY,
                                  PF_Xfer_ALPHA_ADD};
const BlendMode kBlend[] = {BlendMode::Normal,    BlendMode::Add,       BlendMode::Multiply,  BlendMode::Screen,
                            BlendMode::Overlay,   BlendMode::SoftLight, BlendMode::HardLight, BlendMode::Dodge,
                            BlendMode::Burn,      BlendMode::Darken,    BlendMode::Lighten,   BlendMode::Difference,
                            BlendMode::Exclusion, BlendMode::Hue,       BlendMode::Saturation, BlendMode::Luminosity,
                            BlendMode::AlphaAdd};

Image varied(int w, int h, Depth d, int seed) {
  Image img(w, h, d);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int k = (x * 7 + y * 13 + seed * 5) % 17;
      img.set(x, y, {k % 4 == 0 ? 0.0f : (k % 5 + 1) / 5.0f, k / 16.0f, ((k * 3) % 17) / 16.0f, ((k * 11) % 17) / 16.0f});
    }
  return img;
}

PF_Err transfer(Session& s, HostWorld& src, HostWorld& dst, PF_TransferMode mode, A_u_char op8, A_u_short op16,
                bool rgbOnly, const PF_LRect* rect = nullptr, A_long x = 0, A_long y = 0) {
  PF_CompositeMode cm{};
  cm.xfer = mode;
  cm.opacity = op8;
  cm.opacitySu = op16;
  cm.rgb_only = rgbOnly;
  return s.host().utils()->transfer_rect(s.instance().ref(), PF_Quality_HI, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME,
                                         rect, src.get(), &cm, nullptr, x, y, dst.get());
}

// Transfers a varied image over another (seeds `seed` and `seed` + 1) with
// mode kModes[m] and expects every pixel as `blend` composites it.
template <class P, class Blend>
void expectModeAsBlend(Session& s, std::size_t m, Depth d, int seed, Blend blend) {
  Image a = varied(6, 5, d, seed), b = varied(6, 5, d, seed + 1);
  HostWorld src = s.host().makeWorld(a), dst = s.host().makeWorld(b);
  ASSERT_EQ(transfer(s, src, dst, kModes[m], 255, 32768, false), 0);
  Image out = s.host().readWorld(dst.get());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      using SimTest::pixelAt;
      ASSERT_TRUE(SimTest::samePixel(pixelAt<P>(out, x, y), blend(pixelAt<P>(b, x, y), pixelAt<P>(a, x, y))))
          << m << " " << depthName(d) << " " << x << "," << y;
    }
  EXPECT_TRUE(s.host().paddingIntact(dst.get()));
}

// A w x h image of pixels of kind P, make(x, y) row by row.
template <class P, class Make>
Image made(int w, int h, Make&& make) {
  Image img(w, h, std::is_same<P, PF_Pixel>::value ? Depth::Bits8 : Depth::Bits16);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if constexpr (std::is_same<P, PF_Pixel>::value)
        img.px8(x, y) = make(x, y);
      else
        img.px16(x, y) = make(x, y);
    }
  return img;
}

struct BlendCase {
  Image const* base;
  Image const* top;
  A_u_char opacity;
  A_u_short opacitySu;
  bool rgbOnly;
};

// Every case in every mode, with the vector kernels and with the scalar ones,
// against the foundation's function of the mode applied pixel by pixel to the
// blend pixel with the opacity applied as the host applies it.
template <class P>
void expectKernelsAsBlendFunctions(BlendCase const* cases, std::size_t count) {
  for (Kernels kernels : {Kernels::Avx2, Kernels::Scalar}) {
    Session s(nullptr);
    s.host().setKernels(kernels);
    for (std::size_t m = 0; m < 17; ++m) {
      for (BlendCase const* c = cases; c != cases + count; ++c) {
        HostWorld src = s.host().makeWorld(*c->top), dst = s.host().makeWorld(*c->base);
        ASSERT_EQ(transfer(s, src, dst, kModes[m], c->opacity, c->opacitySu, c->rgbOnly), 0);
        Image const out = s.host().readWorld(dst.get());
        for (int y = 0; y < c->base->height(); ++y)
          for (int x = 0; x < c->base->width(); ++x) {
            using SimTest::pixelAt;
            P top = pixelAt<P>(*c->top, x, y), base = pixelAt<P>(*c->base, x, y), e;
            if constexpr (std::is_same<P, PF_Pixel>::value) {
              if (c->opacity < 255) top.alpha = A_u_char((unsigned(top.alpha) * c->opacity + 127) / 255);
              e = Brelo::getBlendFunction8(kBlend[m])(base, top);
            } else {
              unsigned const o = c->opacitySu ? c->opacitySu : (unsigned(c->opacity) * 32768 + 127) / 255;
              if (o < 32768) top.alpha = A_u_short((unsigned(top.alpha) * o + 16384) >> 15);
              e = Brelo::getBlendFunction16(kBlend[m])(base, top);
            }
            if (c->rgbOnly) e.alpha = base.alpha;
            ASSERT_TRUE(SimTest::samePixel(pixelAt<P>(out, x, y), e))
                << "mode " << m << " kernels " << int(kernels) << " at " << x << "," << y;
          }
      }
    }
  }
}

TEST(SimTransfer, EveryModeMatchesTheBlendFunctionsPixelByPixel) {
  Session s(nullptr);
  for (std::size_t m = 0; m < 17; ++m) {
    expectModeAsBlend<PF_Pixel>(s, m, Depth::Bits8, 1, Brelo::getBlendFunction8(kBlend[m]));
    expectModeAsBlend<PF_Pixel16>(s, m, Depth::Bits16, 3, Brelo::getBlendFunction16(kBlend[m]));
    expectModeAsBlend<PF_PixelFloat>(s, m, Depth::Bits32, 5, Brelo::getBlendFunction32(kBlend[m]));
  }
}

// The 8-bit vector blends against the foundation's functions applied pixel by
// pixel: every pair of opaque channels, then random pixels with transparent,
// partly and fully opaque alphas, opacities and rgb_only, rows whose length
// is not a multiple of four; the scalar kernels alike.
TEST(SimTransfer, EightBitBlendsOfEveryKernelMatchThePixelByPixelFunctions) {
  Image const allPairsBase = made<PF_Pixel>(256, 256, [](int x, int) {
    return PF_Pixel{255, A_u_char(x), A_u_char(255 - x), A_u_char((x * 7) & 255)};
  });
  Image const allPairsTop = made<PF_Pixel>(256, 256, [](int, int y) {
    return PF_Pixel{255, A_u_char(y), A_u_char((y * 3) & 255), A_u_char(255 - y)};
  });
  std::uint32_t seed = 99;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  auto random = [&next](int, int) {
    std::uint32_t const v = next();
    A_u_char const a = (v & 3) == 0 ? 0 : (v & 3) == 1 ? 255 : A_u_char(v >> 24);
    return PF_Pixel{a, A_u_char(v >> 8), A_u_char(v >> 16), A_u_char(next() >> 24)};
  };
  Image const randomBase = made<PF_Pixel>(67, 31, random), randomTop = made<PF_Pixel>(67, 31, random);
  BlendCase const cases[] = {{&allPairsBase, &allPairsTop, 255, 0, false},
                             {&randomBase, &randomTop, 255, 0, false},
                             {&randomBase, &randomTop, 200, 0, false},
                             {&randomBase, &randomTop, 0, 0, true},
                             {&randomBase, &randomTop, 77, 0, true}};
  expectKernelsAsBlendFunctions<PF_Pixel>(cases, 5);
}

// The 16-bit vector blends likewise: channel pairs on a grid of 257 values
// 0..32768, random pixels (alphas transparent, opaque, partial and beyond
// 32768), both kinds of opacity, rgb_only, rows of odd lengths.
TEST(SimTransfer, SixteenBitBlendsOfEveryKernelMatchThePixelByPixelFunctions) {
  auto level = [](int i) { return A_u_short(std::min(i * 128, 32768)); };
  Image const gridBase = made<PF_Pixel16>(257, 257, [&level](int x, int) {
    return PF_Pixel16{32768, level(x), level(256 - x), level((x * 7) % 257)};
  });
  Image const gridTop = made<PF_Pixel16>(257, 257, [&level](int, int y) {
    return PF_Pixel16{32768, level(y), level((y * 3) % 257), level(256 - y)};
  });
  std::uint32_t seed = 7;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  auto random = [&next](int, int) {
    std::uint32_t const v = next();
    A_u_short const a = (v & 7) == 0   ? 0
                        : (v & 7) == 1 ? 32768
                        : (v & 7) == 2 ? A_u_short(v >> 16)
                                       : A_u_short((v >> 16) % 32769);
    return PF_Pixel16{a, A_u_short((v >> 3) % 32769), A_u_short(next() % 32769), A_u_short(next() >> 16)};
  };
  Image const randomBase = made<PF_Pixel16>(67, 31, random), randomTop = made<PF_Pixel16>(67, 31, random);
  BlendCase const cases[] = {{&gridBase, &gridTop, 255, 0, false},
                             {&randomBase, &randomTop, 255, 0, false},
                             {&randomBase, &randomTop, 200, 0, false},
                             {&randomBase, &randomTop, 0, 20000, true},
                             {&randomBase, &randomTop, 77, 0, true}};
  expectKernelsAsBlendFunctions<PF_Pixel16>(cases, 5);
}

// Large rectangles are composited in bands on the host's threads: the same
// pixels whatever the count, offset rectangles included.
TEST(SimTransfer, BandsOnSeveralThreadsGiveTheSamePixels) {
  Session s(nullptr);
  int const w = 331, h = 257;
  PF_LRect const part{3, 5, w - 2, h - 1};
  for (Depth d : {Depth::Bits8, Depth::Bits32}) {
    Image results[2];
    for (int n : {1, 3}) {
      s.host().setNumThreads(n);
      HostWorld src = s.host().makeWorld(varied(w, h, d, 1));
      HostWorld dst = s.host().makeWorld(varied(w, h, d, 2));
      ASSERT_EQ(transfer(s, src, dst, PF_Xfer_OVERLAY, 200, 0, false, &part, 1, 2), PF_Err_NONE);
      results[n == 1 ? 0 : 1] = s.host().readWorld(dst.get());
    }
    EXPECT_EQ(results[0], results[1]) << depthName(d);
    EXPECT_NE(results[0], varied(w, h, d, 2));
  }
}

TEST(SimTransfer, OpacityScalesTheSourceAlphaInEachDepth) {
  using SimTest::onePixel;
  Session s(nullptr);
  // 8 bits: alpha 200 at opacity 127 -> (200 * 127 + 127) / 255 = 100.
  const PF_Pixel b = {255, 0, 0, 255};
  HostWorld src = s.host().makeWorld(onePixel(PF_Pixel{200, 255, 0, 0})), dst = s.host().makeWorld(onePixel(b));
  ASSERT_EQ(transfer(s, src, dst, PF_Xfer_IN_FRONT, 127, 16384, false), 0);
  EXPECT_TRUE(
      SimTest::samePixel(s.host().readWorld(dst.get()).px8(0, 0), Brelo::Blend::normal(b, PF_Pixel{100, 255, 0, 0})));
  // Opacity 0 leaves the destination as it was.
  HostWorld dst0 = s.host().makeWorld(onePixel(b));
  ASSERT_EQ(transfer(s, src, dst0, PF_Xfer_ADD, 0, 0, false), 0);
  EXPECT_EQ(s.host().readWorld(dst0.get()), onePixel(b));

  // 16 bits: alpha 32768 at opacitySu 16384 -> 16384.
  const PF_Pixel16 b16 = {32768, 0, 0, 32768};
  HostWorld s16 = s.host().makeWorld(onePixel(PF_Pixel16{32768, 32768, 0, 0})), d16 = s.host().makeWorld(onePixel(b16));
  ASSERT_EQ(transfer(s, s16, d16, PF_Xfer_IN_FRONT, 127, 16384, false), 0);
  EXPECT_TRUE(SimTest::samePixel(s.host().readWorld(d16.get()).px16(0, 0),
                                 Brelo::Blend::normal(b16, PF_Pixel16{16384, 32768, 0, 0})));

  // Float from opacitySu, or from opacity when only that is given.
  const PF_PixelFloat bf = {1.0f, 0.0f, 0.0f, 1.0f};
  HostWorld sf = s.host().makeWorld(onePixel(PF_PixelFloat{1.0f, 1.0f, 0.0f, 0.0f}));
  HostWorld df = s.host().makeWorld(onePixel(bf)), df2 = s.host().makeWorld(onePixel(bf));
  ASSERT_EQ(transfer(s, sf, df, PF_Xfer_IN_FRONT, 0, 8192, false), 0);
  EXPECT_FLOAT_EQ(s.host().readWorld(df.get()).pxF(0, 0).red, 0.25f);
  ASSERT_EQ(transfer(s, sf, df2, PF_Xfer_IN_FRONT, 51, 0, false), 0);
  EXPECT_FLOAT_EQ(s.host().readWorld(df2.get()).pxF(0, 0).red, 0.2f);
}

TEST(SimTransfer, RgbOnlyKeepsTheDestinationAlpha) {
  Session s(nullptr);
  const PF_Pixel a = {255, 200, 100, 0}, b = {100, 100, 200, 0};
  HostWorld src = s.host().makeWorld(SimTest::onePixel(a)), dst = s.host().makeWorld(SimTest::onePixel(b));
  ASSERT_EQ(transfer(s, src, dst, PF_Xfer_ADD, 255, 32768, true), 0);
  PF_Pixel e = Brelo::Blend::add(b, a);
  e.alpha = 100;
  EXPECT_TRUE(SimTest::samePixel(s.host().readWorld(dst.get()).px8(0, 0), e));
}

TEST(SimTransfer, RectangleAndOffsetAreClippedToBothWorlds) {
  Session s(nullptr);
  Image a(3, 3, Depth::Bits8), b(4, 4, Depth::Bits8);
  a.fill({1.0f, 1.0f, 1.0f, 1.0f});
  HostWorld src = s.host().makeWorld(a), dst = s.host().makeWorld(b);
  PF_LRect r{-1, 1, 3, 3};  // column -1 does not exist; rows 1-2
  ASSERT_EQ(transfer(s, src, dst, PF_Xfer_IN_FRONT, 255, 32768, false, &r, 2, -1), 0);
  // Source (0,1) lands at (3,-1): off; (0,2) at (3,0): on. Nothing else fits.
  Image out = s.host().readWorld(dst.get());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(out.px8(x, y).alpha, (x == 3 && y == 0) ? 255 : 0) << x << "," << y;
  EXPECT_TRUE(s.host().paddingIntact(dst.get()));
}

TEST(SimTransfer, UnknownModesPremultipliedMasksAndMixedDepthsAreRefused) {
  Session s(nullptr);
  HostWorld a = s.host().makeWorld(2, 2, Depth::Bits8), b = s.host().makeWorld(2, 2, Depth::Bits8);
  HostWorld c = s.host().makeWorld(2, 2, Depth::Bits16);
  for (PF_TransferMode m : {PF_TransferMode(PF_Xfer_COPY), PF_TransferMode(PF_Xfer_DISSOLVE),
                            PF_TransferMode(PF_Xfer_DIFFERENCE), PF_TransferMode(PF_Xfer_COLOR_DODGE), 99})
    EXPECT_EQ(transfer(s, a, b, m, 255, 32768, false), PF_Err_BAD_CALLBACK_PARAM) << m;
  EXPECT_EQ(transfer(s, a, c, PF_Xfer_IN_FRONT, 255, 32768, false), PF_Err_BAD_CALLBACK_PARAM);
  PF_CompositeMode cm{};
  cm.xfer = PF_Xfer_IN_FRONT;
  EXPECT_EQ(s.host().utils()->transfer_rect(s.instance().ref(), PF_Quality_HI, PF_MF_Alpha_PREMUL, PF_Field_FRAME,
                                            nullptr, a.get(), &cm, nullptr, 0, 0, b.get()),
            PF_Err_BAD_CALLBACK_PARAM);
  PF_MaskWorld mask{};
  EXPECT_EQ(s.host().utils()->transfer_rect(s.instance().ref(), PF_Quality_HI, PF_MF_Alpha_STRAIGHT, PF_Field_FRAME,
                                            nullptr, a.get(), &cm, &mask, 0, 0, b.get()),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s.host().misuses().size(), 8u);
}

}  // namespace
