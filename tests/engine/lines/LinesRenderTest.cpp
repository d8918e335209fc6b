#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <cstdlib>
#include <vector>

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloColorsys.h"
#include "Brelo/Effect/BreloLinesDepth.h"
#include "LinesScene.h"
#include "LinesTestSupport.h"
#include "Util/MissingSuiteError.h"

namespace Brelo {
namespace {

using Impl = Lines::Impl;
using Parameter = Lines::Parameter;
using Sim::Depth;
using test::Scene;
using test::Strip;

Depth const kDepths[] = {Depth::Bits8, Depth::Bits16, Depth::Bits32};

// Direction 0: strips are bands of rows, position t = height - 1 - y exactly,
// slides run along +x. Strips of `width` from t = p0; nothing animated, no
// colour correction.
Parameter rowStrips(int height, double p0, double total_width, double width) {
  Parameter p;
  p.setDirection(0.0)
      .setCenter(Vector<double>(0.0, height - 1.0 - p0))
      .setAlign(0.0)
      .setTotalWidth(total_width)
      .setWidthMax1(width)
      .setWidthPower(0.0)
      .setGapMax1(0.0)
      .setColorBlendWithOriginal(0.0);
  return p;
}

int rowAt(int height, double t) { return height - 1 - static_cast<int>(t); }

Sim::Image opaque(int w, int h, Depth d, Sim::RGBA c = {1.0f, 1.0f, 1.0f, 1.0f}) {
  Sim::Image img(w, h, d);
  img.fill(c);
  return img;
}

void render(Impl const& e, Scene& s) {
  e.execute(s.source, s.composite, s.output, Rect(0, 0, s.source.getWidth(), s.source.getHeight()));
}

TEST(LinesRender, NothingAnimatedGivesTheSourceBack) {
  double const directions[] = {0.4, 2.1, 3.9, 5.6, 0.0, 4.71238898038469};
  int round = 0;
  for (Depth depth : kDepths) {
    for (double a : directions) {
      SCOPED_TRACE(::testing::Message() << Sim::depthName(depth) << " direction " << a);
      int const w = 37, h = 23;
      Sim::Image const src = test::randomImage(w, h, depth, 100 + round++, 0.004f);
      Scene scene(src);
      Parameter p;
      // Strips and gaps at least one pixel wide, the pattern beyond the layer
      // on both sides, gaps showing the source.
      p.setDirection(a).setCenter(Vector<double>(w / 2.0, h / 2.0)).setAlign(0.5).setTotalWidth(3.0 * (w + h))
          .setWidthMax1(9.0).setWidthMin(0.1).setWidthPower(1.5).setGapMax1(3.0).setGapMin(0.4)
          .setWidthSeed(round).setOriginal(true).setColorBlendWithOriginal(0.0);
      Lines lines(scene.in(), scene.source, p);
      lines.execute(scene.source, scene.composite, scene.output);
      Sim::Image const out = scene.outputImage();
      ASSERT_TRUE(scene.paddingIntact());
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          if (depth == Depth::Bits8) {
            PF_Pixel const a8 = out.px8(x, y), s8 = src.px8(x, y);
            ASSERT_LE(std::abs(a8.alpha - s8.alpha), 1) << x << "," << y;
            ASSERT_TRUE(a8.red == s8.red && a8.green == s8.green && a8.blue == s8.blue) << x << "," << y;
          } else if (depth == Depth::Bits16) {
            PF_Pixel16 const a16 = out.px16(x, y), s16 = src.px16(x, y);
            ASSERT_LE(std::abs(a16.alpha - s16.alpha), 1) << x << "," << y;
            ASSERT_TRUE(a16.red == s16.red && a16.green == s16.green && a16.blue == s16.blue) << x << "," << y;
          } else {
            PF_PixelFloat const af = out.pxF(x, y), sf = src.pxF(x, y);
            ASSERT_NEAR(af.alpha, sf.alpha, 1e-5f) << x << "," << y;
            ASSERT_NEAR(af.red, sf.red, 1e-5f);
            ASSERT_NEAR(af.green, sf.green, 1e-5f);
            ASSERT_NEAR(af.blue, sf.blue, 1e-5f);
          }
        }
      }
    }
  }
}

TEST(LinesRender, BorderPixelGetsHalfOfEachStrip) {
  int const h = 30;
  Scene scene(opaque(3, h, Depth::Bits8));
  Parameter p = rowStrips(h, 0.0, 30.0, 10.0);
  p.setCompositeNum(2).setCompositeColor1(ColorFloat<float>(1.0f, 0.0f, 0.0f))
      .setCompositeColor2(ColorFloat<float>(0.0f, 0.0f, 1.0f)).setCompositeDelay(0.0);
  Impl const e(scene.in(), 3, h, p);
  ASSERT_EQ(e.strip_count, 3);
  int const border = rowAt(h, 10.0);

  for (int shown = 0; shown < 2; ++shown) {
    Impl one = e;
    for (Strip& s : one.strips) s.hidden = s.index != shown;
    scene.setComposite(Sim::Image(3, h, Depth::Bits8));
    render(one, scene);
    EXPECT_EQ(scene.outputImage().px8(1, border).alpha, 128) << shown;  // 255 * 0.5 + 0.5
    EXPECT_EQ(scene.compositeImage().px8(1, border).alpha, 128) << shown;
    // One row further in, full; one row further out, nothing.
    EXPECT_EQ(scene.outputImage().px8(1, rowAt(h, shown == 0 ? 9.0 : 11.0)).alpha, 255);
    EXPECT_EQ(scene.outputImage().px8(1, rowAt(h, shown == 0 ? 11.0 : 9.0)).alpha, 0);
  }

  // Both: the halves add up; the composite colours mix by their alphas.
  scene.setComposite(Sim::Image(3, h, Depth::Bits8));
  render(e, scene);
  PF_Pixel const o = scene.outputImage().px8(1, border);
  EXPECT_EQ(o.alpha, 255);
  EXPECT_EQ(o.red, 255);
  PF_Pixel const c = scene.compositeImage().px8(1, border);
  EXPECT_EQ(c.alpha, 255);
  EXPECT_EQ(c.red, 255 * 128 / 256);
  EXPECT_EQ(c.green, 0);
  EXPECT_EQ(c.blue, 255 * 128 / 256);
  EXPECT_EQ(scene.compositeImage().px8(1, rowAt(h, 5.0)).red, 255);
  EXPECT_EQ(scene.compositeImage().px8(1, rowAt(h, 15.0)).blue, 255);
}

TEST(LinesRender, CompositeAlphaFollowsOpacityAndAccumulates) {
  int const h = 30;
  Scene scene(opaque(2, h, Depth::Bits8));
  Parameter p = rowStrips(h, 0.0, 30.0, 10.0);
  p.setCompositeOpacity(0.5).setCompositeColor1(ColorFloat<float>(0.0f, 1.0f, 0.0f)).setCompositeDelay(0.0);
  Impl const e(scene.in(), 2, h, p);
  render(e, scene);
  EXPECT_EQ(scene.compositeImage().px8(0, rowAt(h, 5.0)).alpha, 128);   // 0.5 * 255 + 0.5
  EXPECT_EQ(scene.compositeImage().px8(0, rowAt(h, 10.0)).alpha, 128);  // 64 + 64
  EXPECT_EQ(scene.compositeImage().px8(0, rowAt(h, 10.0)).green, 255);
  // The composite layer is never cleared by the renderer: a second pass adds.
  render(e, scene);
  EXPECT_EQ(scene.compositeImage().px8(0, rowAt(h, 5.0)).alpha, 255);
  EXPECT_EQ(scene.outputImage().px8(0, rowAt(h, 5.0)).alpha, 255);
}

TEST(LinesRender, StripNarrowerThanAPixelNeverReachesFullOpacity) {
  int const h = 30;
  Scene scene(opaque(2, h, Depth::Bits8));
  Impl e(scene.in(), 2, h, rowStrips(h, 0.0, 20.4, 10.0));
  ASSERT_EQ(e.strip_count, 3);
  for (Strip& s : e.strips) s.hidden = s.index != 2;
  render(e, scene);
  Sim::Image const out = scene.outputImage();
  // t = 20: coverage 0.4, left 0.5, right 0.9.
  EXPECT_EQ(out.px8(0, rowAt(h, 20.0)).alpha, static_cast<int>(255 * 0.4 * 0.5 * 0.9 + 0.5));
  for (int y = 0; y < h; ++y) EXPECT_LE(out.px8(0, y).alpha, 102) << y;
}

TEST(LinesRender, HiddenStripsAndGaps) {
  int const h = 40;
  Sim::Image const src = test::randomImage(3, h, Depth::Bits8, 5, 0.1f);
  Scene scene(src);
  Parameter p = rowStrips(h, 0.0, 40.0, 5.0);
  p.setGapMax1(5.0).setGapMin(1.0);  // strips [0,5] [10,15] ..., gaps between
  for (bool original : {false, true}) {
    p.setOriginal(original);
    Impl const e(scene.in(), 3, h, p);
    render(e, scene);
    Sim::Image const out = scene.outputImage();
    for (double t : {7.0, 17.0, 27.0}) {  // inside gaps
      PF_Pixel const o = out.px8(1, rowAt(h, t)), s = src.px8(1, rowAt(h, t));
      if (original) {
        EXPECT_TRUE(o.alpha == s.alpha && o.red == s.red && o.green == s.green && o.blue == s.blue) << t;
      } else {
        EXPECT_EQ(o.alpha, 0) << t;
      }
    }
    EXPECT_EQ(out.px8(1, rowAt(h, 2.0)).red, src.px8(1, rowAt(h, 2.0)).red);  // inside a strip

    Impl hidden = e;
    for (Strip& s : hidden.strips)
      if (!s.gap) s.hidden = true;
    scene.setComposite(Sim::Image(3, h, Depth::Bits8));
    render(hidden, scene);
    Sim::Image const none = scene.outputImage();
    EXPECT_EQ(scene.compositeImage(), Sim::Image(3, h, Depth::Bits8));
    for (double t : {2.0, 12.0, 32.0}) EXPECT_EQ(none.px8(1, rowAt(h, t)).alpha, 0) << t;
  }
}

TEST(LinesRender, OutsideFoldsSlidSamples) {
  int const w = 16, h = 6;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 9, 1.0f);
  for (double slide : {3.0, -3.0}) {
    for (BorderType outside : {BorderType::Wrap, BorderType::Reflect, BorderType::None}) {
      Scene scene(src);
      Parameter p = rowStrips(h, -50.0, 100.0, 100.0);  // one strip over every row
      p.setSliceMax(slide).setSliceMin(1.0).setOutside(outside);
      Lines lines(scene.in(), scene.source, p);
      lines.execute(scene.source, scene.composite, scene.output);
      Sim::Image const out = scene.outputImage();
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          int sx = x + static_cast<int>(slide);
          bool inside = true;
          if (sx < 0 || sx >= w) {
            if (outside == BorderType::Wrap) sx = (sx + w) % w;
            if (outside == BorderType::Reflect) sx = sx < 0 ? -sx - 1 : 2 * w - 1 - sx;
            inside = outside != BorderType::None;
          }
          PF_Pixel const o = out.px8(x, y);
          if (!inside) {
            EXPECT_EQ(o.alpha, 0) << x;
            continue;
          }
          PF_Pixel const s = src.px8(sx, y);
          EXPECT_TRUE(o.alpha == s.alpha && o.red == s.red && o.green == s.green && o.blue == s.blue)
              << "slide " << slide << " outside " << static_cast<int>(outside) << " x " << x;
        }
      }
    }
  }
}

// The mixes divide without division instructions and sum in vectors; the
// results must be those of the plain arithmetic, above all next to whole
// multiples.
TEST(LinesRender, MixQuotientsAreThoseOfPlainDivision) {
  // 8-bit: the vector sums against the plain ones.
  Random r(7);
  for (int i = 0; i < 300000; ++i) {
    auto pixel = [&r] {
      return PF_Pixel{A_u_char(r.rand(255)), A_u_char(r.rand(255)), A_u_char(r.rand(255)), A_u_char(r.rand(255))};
    };
    std::array<PF_Pixel, 3> const w = {pixel(), pixel(), pixel()};
    LinesDepth::Traits<PF_Pixel>::Mixer const mix(w);
    PF_Pixel k[3] = {pixel(), pixel(), i % 5 == 0 ? PF_Pixel{255, 255, 255, 255} : pixel()};
    if (i % 3 == 0) k[1].alpha = k[2].alpha = k[0].alpha;  // one alpha: the shorter way
    PF_Pixel a{}, b{};
    ASSERT_EQ(mix(k, a), mix.mixPlain(k, b));
    ASSERT_TRUE(a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue) << i;
  }
  // 16-bit: three samples of one colour level and alpha, so that the sum is
  // a whole multiple of 255 a, and their neighbours.
  PF_Pixel const white[3] = {{255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}};
  for (int i = 0; i < 200000; ++i) {
    A_u_short const a = static_cast<A_u_short>(1 + r.rand(65534));
    A_u_short const level = static_cast<A_u_short>(r.rand(65535));
    PF_Pixel16 k[3];
    for (PF_Pixel16& p : k) p = {a, level, A_u_short(level > 0 ? level - 1 : 0), A_u_short(level < 65535 ? level + 1 : level)};
    k[2].alpha = static_cast<A_u_short>(r.rand(a));  // at most a
    PF_Pixel16 out{};
    ASSERT_TRUE(LinesDepth::Traits<PF_Pixel16>::mix(k, white, out));
    auto plain = [&](int ch) {
      double acc = 0;
      for (PF_Pixel16 const& p : k) acc += static_cast<double>(ch == 0 ? p.red : ch == 1 ? p.green : p.blue) * p.alpha * 255;
      return static_cast<A_u_short>(std::min(32768.0, acc / a / 255.0));
    };
    ASSERT_EQ(out.red, plain(0)) << a << " " << level;
    ASSERT_EQ(out.green, plain(1)) << a << " " << level;
    ASSERT_EQ(out.blue, plain(2)) << a << " " << level;
  }
}

TEST(LinesRender, RGBSeparationMixesThreeSamples) {
  int const w = 12, h = 4;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 12, 0.2f);
  Scene scene(src);
  Parameter p = rowStrips(h, -50.0, 100.0, 100.0);
  // Samples at x + 2, x, x - 2; red from the first, green from the second,
  // blue from the third.
  p.setRGBMax(2.0).setRGBMin(1.0).setOutside(BorderType::Wrap);
  Lines lines(scene.in(), scene.source, p);
  lines.execute(scene.source, scene.composite, scene.output);
  Sim::Image const out = scene.outputImage();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      PF_Pixel const k1 = src.px8((x + 2) % w, y), k2 = src.px8(x, y), k3 = src.px8((x - 2 + w) % w, y);
      int const a = std::max({k1.alpha, k2.alpha, k3.alpha});
      PF_Pixel const o = out.px8(x, y);
      EXPECT_EQ(o.alpha, a);
      EXPECT_EQ(o.red, k1.red * k1.alpha * 255 / a / 255);
      EXPECT_EQ(o.green, k2.green * k2.alpha * 255 / a / 255);
      EXPECT_EQ(o.blue, k3.blue * k3.alpha * 255 / a / 255);
    }
  }
}

// The correction as written down for one colour component.
float corrected(Parameter::ColorType type, float v, float l, float m, float d) {
  if (type == Parameter::ColorType::Tint) return v * (1.0f - d) + m * l * d;
  if (l < 0.5f) return v * (1.0f - d) + m * (2.0f * l) * d;
  float const f = (l - 0.5f) + (l - 0.5f);
  return v * (1.0f - d) + ((1.0f - m) * f + m) * d;
}

TEST(LinesRender, ColourCorrectionOfEachType) {
  using CT = Parameter::ColorType;
  int const w = 16, h = 16;
  for (Depth depth : {Depth::Bits8, Depth::Bits32}) {
    Sim::Image const src = test::randomImage(w, h, depth, 31, 1.0f);
    for (CT type : {CT::Tritone, CT::Tint, CT::HLS}) {
      Scene scene(src);
      Parameter p = rowStrips(h, -50.0, 100.0, 100.0);
      p.setColorType(type).setColorBlendWithOriginal(0.7).setColorColor(ColorFloat<float>(0.9f, 0.3f, 0.1f))
          .setColorH(40.0).setColorHMin(1.0).setColorHDirection(Parameter::Direction::One)
          .setColorL(0.1).setColorLMin(1.0).setColorLDirection(Parameter::Direction::One)
          .setColorS(-0.2).setColorSMin(1.0).setColorSDirection(Parameter::Direction::One).setColorDelay(0.0);
      Lines lines(scene.in(), scene.source, p);
      ColorFloat<float> const m = lines.impl().strips.at(0).color;
      lines.execute(scene.source, scene.composite, scene.output);
      Sim::Image const out = scene.outputImage();
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          ColorFloat<float> const c =
              depth == Depth::Bits8 ? ColorFloat<float>(src.px8(x, y)) : ColorFloat<float>(src.pxF(x, y));
          ColorFloat<float> e = c;
          if (type == CT::HLS) {
            ColorFloat<float> hls = Colorsys::RgbToHls(c);
            hls.red += 40.0f;
            hls.green += 0.1f;
            hls.blue += -0.2f;
            e = Colorsys::HlsToRgb(hls);
          } else {
            float const l = 0.114f * c.blue + (0.299f * c.red + 0.587f * c.green);
            e.red = corrected(type, c.red, l, m.red, 0.7f);
            e.green = corrected(type, c.green, l, m.green, 0.7f);
            e.blue = corrected(type, c.blue, l, m.blue, 0.7f);
          }
          if (depth == Depth::Bits8) {
            PF_Pixel const want = aePixel8(e), got = out.px8(x, y);
            EXPECT_TRUE(want.red == got.red && want.green == got.green && want.blue == got.blue &&
                        got.alpha == 255)
                << static_cast<int>(type) << " at " << x << "," << y;
          } else {
            PF_PixelFloat const got = out.pxF(x, y);
            EXPECT_NEAR(got.red, e.red, 1e-6f);
            EXPECT_NEAR(got.green, e.green, 1e-6f);
            EXPECT_NEAR(got.blue, e.blue, 1e-6f);
          }
        }
      }
    }
  }
}

// Every entry from the first one, none skipped by a search.
Sim::Image scanFromFirstEntry(Impl const& e, Sim::Image const& src) {
  Sim::Image out(src.width(), src.height(), Depth::Bits8);
  for (int y = 0; y < src.height(); ++y) {
    for (int x = 0; x < src.width(); ++x) {
      double const t = (x - e.origin_x) * e.axis_x + (y - e.origin_y) * e.axis_y;
      PF_Pixel o{};
      for (Strip const& s : e.strips) {
        if (s.hidden || (s.gap && !e.parameter.original()) || t < s.start - 0.5 || t > s.end + 0.5) continue;
        double const left = t >= s.start + 0.5 ? 1.0 : std::min(1.0, std::max(0.0, t - s.start + 0.5));
        double const right = t <= s.end - 0.5 ? 1.0 : std::min(1.0, std::max(0.0, s.end + 0.5 - t));
        double const cov = s.coverage * left * right;
        if (!(cov > 0.0)) continue;
        PF_Pixel p = src.px8(x, y);
        p.alpha = static_cast<A_u_char>(std::min(255.0, p.alpha * (s.gap ? 1.0 : s.fade) * cov + 0.5));
        o = Blend::alpha_add(o, p);
      }
      out.px8(x, y) = o;
    }
  }
  return out;
}

TEST(LinesRender, SearchFindsWhatAScanFromTheFirstEntryFinds) {
  int const w = 61, h = 47;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 77, 0.3f);
  for (int round = 0; round < 6; ++round) {
    Scene scene(src);
    Parameter p;
    // Narrow gaps and wiped strips: entries far below a pixel wide.
    p.setDirection(0.3 + round).setCenter(Vector<double>(w / 2.0, h / 2.0)).setTotalWidth(90.0)
        .setAlign(0.5 - 0.1 * round).setWidthMax1(3.0).setWidthMin(0.0).setGapMax1(0.8).setGapMin(0.0)
        .setGapPower(3.0).setWidthSeed(round).setOriginal(round % 2 == 0).setColorBlendWithOriginal(0.0)
        .setTransitionType(round < 3 ? Parameter::TransitionType::Random : Parameter::TransitionType::Both)
        .setTransitionCompletion(0.5).setTransitionDelay(0.05).setTransitionOrder(OrderType::Random);
    Impl const e(scene.in(), w, h, p);
    ASSERT_GE(e.strips.size(), 4u);
    int narrow = 0;
    for (Strip const& s : e.strips) narrow += (s.end - s.start < 0.5);
    EXPECT_GT(narrow, 3);
    render(e, scene);
    EXPECT_EQ(scene.outputImage(), scanFromFirstEntry(e, src)) << "round " << round;
  }
}

TEST(LinesRender, DepthsAgreeWithinTheirConversions) {
  int const w = 48, h = 40;
  Sim::Image const src32 = test::randomImage(w, h, Depth::Bits32, 55, 0.5f);
  Parameter p;
  p.setDirection(0.8).setCenter(Vector<double>(20.0, 20.0)).setTotalWidth(200.0).setWidthMax1(7.0)
      .setWidthMin(0.2).setGapMax1(2.0).setOriginal(true).setSliceMax(6.5).setSliceDirection(Parameter::Direction::Both)
      .setRGBMax(2.3).setColorType(Parameter::ColorType::Tint).setColorBlendWithOriginal(0.4)
      .setColorColor(ColorFloat<float>(0.2f, 0.7f, 0.9f)).setTransitionCompletion(0.4)
      .setTransitionType(Parameter::TransitionType::Random).setCompositeOpacity(0.6).setCompositeVariance2(0.3);
  Sim::Image out[3], comp[3];
  for (int i = 0; i < 3; ++i) {
    Scene scene(src32.converted(kDepths[i]));
    Lines lines(scene.in(), scene.source, p);
    lines.execute(scene.source, scene.composite, scene.output);
    out[i] = scene.outputImage();
    comp[i] = scene.compositeImage();
  }
  float const tolerance[2] = {4.0f / 255.0f, 4.0f / 32768.0f};
  for (int i = 0; i < 2; ++i) {
    float worst = 0.0f;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        Sim::RGBA const a = out[i].get(x, y), b = out[2].get(x, y), ca = comp[i].get(x, y), cb = comp[2].get(x, y);
        float const d[] = {a.a - b.a, ca.a - cb.a, ca.r - cb.r, ca.g - cb.g, ca.b - cb.b};
        for (float v : d) worst = std::max(worst, std::fabs(v));
        // Colour only where it is visible enough to be resolved.
        if (b.a > 0.05f) {
          for (float v : {a.r - b.r, a.g - b.g, a.b - b.b}) worst = std::max(worst, std::fabs(v) * b.a);
        }
      }
    }
    EXPECT_LE(worst, tolerance[i]) << Sim::depthName(kDepths[i]);
  }
}

TEST(LinesRender, AreaIsClippedToTheLayerAndNothingElseIsTouched) {
  int const w = 20, h = 18;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits16, 3, 0.5f);
  Parameter p;
  p.setDirection(2.5).setCenter(Vector<double>(10.0, 9.0)).setTotalWidth(60.0).setWidthMax1(4.0).setSliceMax(3.0)
      .setColorBlendWithOriginal(0.0);
  Sim::Image marker(w, h, Depth::Bits16);
  marker.fill(Sim::RGBA{0.5f, 0.25f, 0.75f, 1.0f});

  // One simulated host at a time: each picture in its own scene.
  Sim::Image full, wide, part;
  {
    Scene scene(src);
    Lines lines(scene.in(), scene.source, p);
    lines.execute(scene.source, scene.composite, scene.output);
    full = scene.outputImage();
  }
  {
    Scene scene(src);
    scene.setOutput(marker);
    Lines(scene.in(), scene.source, p).execute(scene.source, scene.composite, scene.output, Rect(-5, -7, w + 3, h + 9));
    wide = scene.outputImage();
  }
  {
    Scene scene(src);
    scene.setOutput(marker);
    Lines(scene.in(), scene.source, p).execute(scene.source, scene.composite, scene.output, Rect(4, 5, 30, 9));
    part = scene.outputImage();
    EXPECT_TRUE(scene.paddingIntact());
  }
  EXPECT_EQ(wide, full);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool const in = x >= 4 && y >= 5 && y < 9;
      PF_Pixel16 const got = part.px16(x, y), want = in ? full.px16(x, y) : marker.px16(x, y);
      ASSERT_TRUE(got.alpha == want.alpha && got.red == want.red && got.green == want.green && got.blue == want.blue)
          << x << "," << y;
    }
  }
}

TEST(LinesRender, UnusableLayersOrSettingsLeaveEverythingAlone) {
  int const w = 10, h = 8;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 4, 0.5f);
  Sim::Image marker(w, h, Depth::Bits8);
  marker.fill(Sim::RGBA{1.0f, 0.5f, 0.5f, 0.5f});
  Parameter p = rowStrips(h, -5.0, 40.0, 3.0);

  Scene scene(src);
  scene.setOutput(marker);
  Impl const e(scene.in(), w, h, p);
  // Output aliasing the source, or the composite doing so.
  e.execute(scene.source, scene.composite, scene.source, Rect(0, 0, w, h));
  e.execute(scene.source, scene.source, scene.output, Rect(0, 0, w, h));
  EXPECT_EQ(scene.outputImage(), marker);
  EXPECT_EQ(scene.host().readWorld(scene.source.getWorld()), src);
  // Another size, another depth.
  Sim::HostWorld small = scene.host().makeWorld(w - 1, h, Depth::Bits8);
  Sim::HostWorld deep = scene.host().makeWorld(w, h, Depth::Bits32);
  Layer small_layer(scene.in(), nullptr, small.get(), BPC::Bits8);
  Layer deep_layer(scene.in(), nullptr, deep.get(), BPC::Bits32);
  e.execute(scene.source, scene.composite, small_layer, Rect(0, 0, w, h));
  e.execute(scene.source, small_layer, scene.output, Rect(0, 0, w, h));
  e.execute(scene.source, deep_layer, scene.output, Rect(0, 0, w, h));
  e.execute(scene.source, scene.composite, deep_layer, Rect(0, 0, w, h));
  EXPECT_EQ(scene.outputImage(), marker);
  // An empty rectangle, or one wholly outside the layer.
  e.execute(scene.source, scene.composite, scene.output, Rect(3, 3, 3, 8));
  e.execute(scene.source, scene.composite, scene.output, Rect(w, 0, w + 5, h));
  EXPECT_EQ(scene.outputImage(), marker);
  // A layer whose creation failed has no pixels to write.
  scene.host().failCall(Sim::Call::NewWorld, 1, PF_Err_OUT_OF_MEMORY);
  Layer failed(scene.in(), nullptr, w, h, BPC::Bits8);
  ASSERT_NE(failed.getError(), PF_Err_NONE);
  e.execute(scene.source, failed, scene.output, Rect(0, 0, w, h));
  EXPECT_EQ(scene.outputImage(), marker);
  // Total Width below 0.1.
  Impl const thin(scene.in(), w, h, rowStrips(h, 0.0, 0.09, 3.0));
  thin.execute(scene.source, scene.composite, scene.output, Rect(0, 0, w, h));
  EXPECT_EQ(scene.outputImage(), marker);
  EXPECT_EQ(scene.compositeImage(), Sim::Image(w, h, Depth::Bits8));
}

TEST(LinesRender, CopiesAreDeepAndDrawAlike) {
  int const w = 30, h = 20;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 8, 0.5f);
  Scene scene(src);
  Parameter p = rowStrips(h, -3.0, 60.0, 4.0);
  p.setSliceMax(5.0).setRGBMax(1.5).setWidthPower(1.0).setWidthMin(0.2);
  Lines const original(scene.in(), scene.source, p);
  Lines copy(original);
  Lines assigned(scene.in(), scene.source, rowStrips(h, 0.0, 10.0, 10.0));
  assigned = original;
  for (Lines const* l : {&copy, &assigned}) {
    EXPECT_NE(&l->impl(), &original.impl());
    EXPECT_NE(l->impl().strips.data(), original.impl().strips.data());
    ASSERT_EQ(l->impl().strips.size(), original.impl().strips.size());
    for (std::size_t i = 0; i < l->impl().strips.size(); ++i) {
      EXPECT_EQ(l->impl().strips[i].end, original.impl().strips[i].end);
      EXPECT_EQ(l->impl().strips[i].slice_offset, original.impl().strips[i].slice_offset);
    }
  }
  copy.execute(scene.source, scene.composite, scene.output);
  Sim::Image const a = scene.outputImage();
  assigned.execute(scene.source, scene.composite, scene.output);
  EXPECT_EQ(scene.outputImage(), a);
}

TEST(LinesRender, SamplingSuiteIsTakenOnlyWhenNeededAndAlwaysGivenBack) {
  struct Case {
    Depth depth;
    char const* suite;
  } const cases[] = {{Depth::Bits8, kPFSampling8Suite}, {Depth::Bits16, kPFSampling16Suite},
                     {Depth::Bits32, kPFSamplingFloatSuite}};
  for (Case const& c : cases) {
    Sim::Image const src = test::randomImage(8, 8, c.depth, 1, 0.5f);
    Parameter p = rowStrips(8, -5.0, 40.0, 3.0);
    {
      Scene scene(src);
      Lines(scene.in(), scene.source, p).execute(scene.source, scene.composite, scene.output);
      EXPECT_EQ(scene.host().suiteAcquisitions(c.suite, 1), 0) << c.suite;
      p.setSliceMax(1.5);
      Lines(scene.in(), scene.source, p).execute(scene.source, scene.composite, scene.output);
      EXPECT_EQ(scene.host().suiteAcquisitions(c.suite, 1), 1) << c.suite;
      EXPECT_EQ(scene.host().suitesHeld(c.suite, 1), 0) << c.suite;
    }
    Scene scene(src);
    scene.host().withholdSuite(c.suite, 1);
    Lines lines(scene.in(), scene.source, p);
    try {
      lines.execute(scene.source, scene.composite, scene.output);
      ADD_FAILURE() << "no failure without " << c.suite;
    } catch (MissingSuiteError const& err) {
      EXPECT_EQ(err.error, PF_Err_BAD_CALLBACK_PARAM);
    }
    EXPECT_EQ(scene.host().suitesHeld(c.suite, 1), 0);
    EXPECT_EQ(scene.host().suitesHeld(kPFFillMatteSuite, 2), 0);
  }
}

}  // namespace
}  // namespace Brelo
