#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloRandom.h"
#include "SimpleLinesTestSupport.h"

namespace Brelo {
namespace {

using Impl = SimpleLines::Impl;
using Parameter = SimpleLines::Parameter;
constexpr double kPi = 3.14159265358979323846;

// The plain band on a 1920 x 1080 layer.
Parameter plainBand(double first, double total, double width) {
  return Support::plainBand(first, total, width, 1920, 1080);
}

TEST(SimpleLinesLayout, DefaultBandOfTenBars) {
  Parameter p;
  p.setCenter(Vector<double>(960, 540));
  Impl const e(1920, 1080, p);
  EXPECT_EQ(e.origin.x, 0.0);
  EXPECT_EQ(e.origin.y, 1079.0);
  EXPECT_EQ(e.axis.x, 0.0);
  EXPECT_EQ(e.axis.y, -1.0);
  ASSERT_EQ(e.strip_count, 10);
  ASSERT_EQ(e.strips.size(), 10u);
  for (int n = 0; n < 10; ++n) {
    Impl::Strip const& s = e.strips[static_cast<size_t>(n)];
    EXPECT_EQ(s.index, n);
    EXPECT_FALSE(s.hidden);
    EXPECT_DOUBLE_EQ(s.start, 39 + 100.0 * n);
    EXPECT_DOUBLE_EQ(s.end, 139 + 100.0 * n);
    EXPECT_EQ(s.opacity, 1.0);
    // Default lengths: 100 * (0.3 + 0.7 r), centred on the line.
    double const len = s.upper - s.lower;
    EXPECT_GE(len, 30.0);
    EXPECT_LT(len, 100.0);
    EXPECT_NEAR(s.lower, -s.upper, 1e-12);
    EXPECT_EQ(s.length_coverage, 1.0);
    // Unvaried default colour: red.
    EXPECT_EQ(s.color8.alpha, 255);
    EXPECT_EQ(s.color8.red, 255);
    EXPECT_EQ(s.color8.green, 0);
    EXPECT_EQ(s.color16.red, 32768);
    EXPECT_EQ(s.color32.red, 1.0f);
  }
  EXPECT_EQ(e.strips.back().end, 1039.0);
}

// W gives width then gap for every bar, and nothing else draws from it.
TEST(SimpleLinesLayout, WidthSequenceDrawsWidthThenGap) {
  for (int seed : {0, 7, 123456}) {
    // Fixed widths, random gaps: gap n is draw 2n + 1.
    Parameter p = plainBand(0, 5000, 40);
    p.setGapMax1(30).setGapMin(0).setWidthSeed(seed);
    Impl const e(1920, 1080, p);
    Random w(seed);
    ASSERT_GT(e.strip_count, 20);
    for (int n = 0; n + 1 < e.strip_count; ++n) {
      w.randD();
      double const gap = w.randD() * 30;
      Impl::Strip const& s = e.strips[static_cast<size_t>(n)];
      EXPECT_DOUBLE_EQ(s.end - s.start, 40.0);
      EXPECT_NEAR(e.strips[static_cast<size_t>(n) + 1].start - s.end, gap < 0.00001 ? 0 : gap, 1e-9);
    }
    // Random widths (at least 1), no gaps: width n is draw 2n.
    Parameter q = plainBand(0, 5000, 40);
    q.setWidthMin(0).setWidthSeed(seed);
    Impl const f(1920, 1080, q);
    Random v(seed);
    for (int n = 0; n + 1 < f.strip_count; ++n) {
      double const width = std::max(1.0, v.randD() * 40);
      v.randD();
      Impl::Strip const& s = f.strips[static_cast<size_t>(n)];
      EXPECT_NEAR(s.end - s.start, width, 1e-9);
      EXPECT_EQ(f.strips[static_cast<size_t>(n) + 1].start, s.end);
    }
  }
}

TEST(SimpleLinesLayout, BandEndsAndCuts) {
  EXPECT_EQ(Impl(1920, 1080, plainBand(10, 0, 100)).strip_count, 0);
  EXPECT_EQ(Impl(1920, 1080, plainBand(10, 0.00005, 100)).strip_count, 0);
  // Cut to end exactly at the band's end.
  Impl const cut(1920, 1080, plainBand(10, 1050, 100));
  ASSERT_EQ(cut.strip_count, 11);
  EXPECT_DOUBLE_EQ(cut.strips[10].start, 1010.0);
  EXPECT_EQ(cut.strips[10].end, 1060.0);
  // A sliver shorter than 0.0001 makes no further bar.
  Impl const sliver(1920, 1080, plainBand(10, 1000.00005, 100));
  EXPECT_EQ(sliver.strip_count, 10);
  // Bars never overlap and never pass the band's end.
  Parameter p = plainBand(-300, 3000, 60);
  p.setWidthMin(0).setGapMax1(20).setGapMin(0).setWidthNum(3).setWidthMax2(3).setWidthMax3(0.7).setWidthSeed(9);
  Impl const mixed(1920, 1080, p);
  ASSERT_GT(mixed.strip_count, 50);
  for (int n = 0; n < mixed.strip_count; ++n) {
    Impl::Strip const& s = mixed.strips[static_cast<size_t>(n)];
    EXPECT_LT(s.start, s.end);
    EXPECT_GE(s.end - s.start, 0.7 - 1e-12);
    if (n > 0) {
      EXPECT_GE(s.start, mixed.strips[static_cast<size_t>(n) - 1].end);
    }
  }
  EXPECT_LE(mixed.strips.back().end, -300.0 + 3000.0);
}

TEST(SimpleLinesLayout, AlignTypesDirectionsAndModes) {
  auto band = [](Parameter::AlignType type, Parameter::AlignDirection dir, Parameter::AlignMode mode) {
    Parameter p = plainBand(0, 600, 100);
    p.setAlignMax(10).setAlignMin(1).setAlignType(type).setAlignDirection(dir).setAlignMode(mode).setAlignSeed(3);
    return Impl(1920, 1080, p);
  };
  using T = Parameter::AlignType;
  using D = Parameter::AlignDirection;
  using M = Parameter::AlignMode;
  Impl const bottom = band(T::Bottom, D::One, M::Normal);
  Impl const middle = band(T::Middle, D::One, M::Normal);
  Impl const top = band(T::Top, D::One, M::Normal);
  Impl const none = band(static_cast<T>(7), D::One, M::Normal);
  ASSERT_EQ(bottom.strip_count, 6);
  for (size_t n = 0; n < 6; ++n) {
    EXPECT_DOUBLE_EQ(bottom.strips[n].lower, 10.0);
    EXPECT_DOUBLE_EQ(bottom.strips[n].upper, 110.0);
    EXPECT_DOUBLE_EQ(middle.strips[n].lower, -40.0);
    EXPECT_DOUBLE_EQ(middle.strips[n].upper, 60.0);
    EXPECT_DOUBLE_EQ(top.strips[n].lower, -90.0);
    EXPECT_DOUBLE_EQ(top.strips[n].upper, 10.0);
    EXPECT_EQ(none.strips[n].lower, 0.0);
    EXPECT_EQ(none.strips[n].upper, 0.0);
    EXPECT_EQ(none.strips[n].length_coverage, 0.0);
  }

  Impl const alternately = band(T::Bottom, D::Alternately, M::Normal);
  Impl const accumulated = band(T::Bottom, D::Alternately, M::Accumulate);
  Impl const both = band(T::Bottom, D::Both, M::Normal);
  Random a(3);
  for (size_t n = 0; n < 6; ++n) {
    EXPECT_DOUBLE_EQ(alternately.strips[n].lower, n % 2 ? -10.0 : 10.0);
    EXPECT_DOUBLE_EQ(accumulated.strips[n].lower, n % 2 ? 0.0 : 10.0);
    a.randD();
    double const q = a.randD();
    EXPECT_DOUBLE_EQ(both.strips[n].lower, q < 0.5 ? -10.0 : 10.0);
  }
  // A direction value outside the table keeps the sign.
  Impl const other = band(T::Bottom, static_cast<D>(0), M::Normal);
  for (size_t n = 0; n < 6; ++n) EXPECT_DOUBLE_EQ(other.strips[n].lower, 10.0);
  // A bar shorter than a pixel gets a faint coverage.
  Parameter thin = plainBand(0, 600, 100);
  thin.setHeightMax1(0.25);
  EXPECT_DOUBLE_EQ(Impl(1920, 1080, thin).strips[0].length_coverage, 0.25);
}

// The first two colour draws of a seed with m1 > 0.3 and s1 >= 0.5.
int seedForPositiveVariance(double& m1) {
  for (int seed = 0;; ++seed) {
    Random k(seed);
    m1 = k.randD();
    if (m1 > 0.3 && k.randD() >= 0.5) return seed;
  }
}

TEST(SimpleLinesLayout, ColourVarianceOverlap) {
  double m1 = 0;
  int const seed = seedForPositiveVariance(m1);
  auto red = [&](Parameter::ColorOverlap overlap) {
    Parameter p = plainBand(0, 100, 100);
    p.setColorColor1(ColorFloat<float>(1.0f, 0.9f, 0.2f, 0.4f))
        .setColorVarianceSpace(Parameter::ColorSpace::RGB)
        .setColorOverlap(overlap)
        .setColorVariance1(0.3 / m1)
        .setColorSeed(seed);
    Impl const e(1920, 1080, p);
    EXPECT_NEAR(e.strips[0].color32.green, 0.2f, 1e-6);
    EXPECT_NEAR(e.strips[0].color32.blue, 0.4f, 1e-6);
    return e.strips[0].color32.red;
  };
  EXPECT_NEAR(red(Parameter::ColorOverlap::WrapBack), 0.8f, 1e-6);
  EXPECT_NEAR(red(Parameter::ColorOverlap::Clip), 1.0f, 1e-6);
  EXPECT_NEAR(red(static_cast<Parameter::ColorOverlap>(5)), 1.2f, 1e-6);

  // No variance: the colours take turns unchanged, whatever the space.
  for (auto space : {Parameter::ColorSpace::RGB, Parameter::ColorSpace::HLS, Parameter::ColorSpace::YUV,
                     static_cast<Parameter::ColorSpace>(9)}) {
    Parameter p = plainBand(0, 500, 100);
    p.setColorNum(3).setColorVarianceSpace(space);
    Impl const e(1920, 1080, p);
    ASSERT_EQ(e.strip_count, 5);
    PF_Pixel const expected[3] = {{255, 255, 0, 0}, {255, 255, 255, 255}, {255, 0, 0, 255}};
    for (size_t n = 0; n < 5; ++n) {
      PF_Pixel const& c = e.strips[n].color8;
      PF_Pixel const& x = expected[n % 3];
      EXPECT_NEAR(c.red, x.red, 1) << n;
      EXPECT_NEAR(c.green, x.green, 1) << n;
      EXPECT_NEAR(c.blue, x.blue, 1) << n;
    }
  }
  // HLS lightness and YUV luma shifts stay inside their ranges.
  for (auto space : {Parameter::ColorSpace::HLS, Parameter::ColorSpace::YUV}) {
    for (auto overlap : {Parameter::ColorOverlap::Clip, Parameter::ColorOverlap::WrapBack}) {
      Parameter p = plainBand(0, 2000, 10);
      p.setColorVarianceSpace(space).setColorOverlap(overlap).setColorVariance1(1).setColorVariance2(1).setColorVariance3(1);
      Impl const e(1920, 1080, p);
      for (Impl::Strip const& s : e.strips) {
        ColorFloat<float> const c(s.color32);
        if (space == Parameter::ColorSpace::HLS) {
          ColorFloat<float> const hls = Colorsys::RgbToHls(c);
          EXPECT_GE(hls.green, -1e-5f);
          EXPECT_LE(hls.green, 1.00001f);
          EXPECT_GE(hls.blue, -1e-5f);
          EXPECT_LE(hls.blue, 1.00001f);
        } else {
          ColorFloat<float> const yuv = Colorsys::RgbToYuv(c);
          EXPECT_GE(yuv.red, -1e-3f);
          EXPECT_LE(yuv.red, 1.001f);
          EXPECT_LE(std::abs(yuv.green), 0.501f);
          EXPECT_LE(std::abs(yuv.blue), 0.501f);
        }
      }
    }
  }
}

TEST(SimpleLinesLayout, SeedsAffectOnlyTheirOwnQuantities) {
  Parameter p = plainBand(-100, 1500, 80);
  p.setWidthMin(0.2).setGapMax1(15).setGapMin(0).setAlignMax(30).setAlignMin(0).setAlignDirection(
       Parameter::AlignDirection::Both)
      .setHeightMin(0.1)
      .setColorVariance1(0.5)
      .setColorVariance2(0.5)
      .setColorVariance3(0.5);
  Impl const base(1920, 1080, p);
  Parameter colour = p;
  colour.setColorSeed(77);
  Parameter height = p;
  height.setHeightSeed(77);
  Parameter align = p;
  align.setAlignSeed(77);
  Impl const c(1920, 1080, colour);
  Impl const h(1920, 1080, height);
  Impl const a(1920, 1080, align);
  ASSERT_EQ(c.strip_count, base.strip_count);
  ASSERT_EQ(h.strip_count, base.strip_count);
  ASSERT_EQ(a.strip_count, base.strip_count);
  bool colourChanged = false, lengthChanged = false, offsetChanged = false;
  for (size_t n = 0; n < base.strips.size(); ++n) {
    Impl::Strip const& b = base.strips[n];
    EXPECT_EQ(c.strips[n].start, b.start);
    EXPECT_EQ(c.strips[n].end, b.end);
    EXPECT_EQ(c.strips[n].lower, b.lower);
    EXPECT_EQ(c.strips[n].upper, b.upper);
    colourChanged |= !Support::samePixel(c.strips[n].color8, b.color8);
    EXPECT_EQ(h.strips[n].start, b.start);
    EXPECT_EQ(h.strips[n].end, b.end);
    EXPECT_TRUE(Support::samePixel(h.strips[n].color8, b.color8));
    lengthChanged |= h.strips[n].upper - h.strips[n].lower != b.upper - b.lower;
    EXPECT_EQ(a.strips[n].start, b.start);
    EXPECT_NEAR(a.strips[n].upper - a.strips[n].lower, b.upper - b.lower, 1e-9);
    EXPECT_TRUE(Support::samePixel(a.strips[n].color8, b.color8));
    offsetChanged |= a.strips[n].lower != b.lower;
  }
  EXPECT_TRUE(colourChanged);
  EXPECT_TRUE(lengthChanged);
  EXPECT_TRUE(offsetChanged);
}

TEST(SimpleLinesLayout, OriginCornersAndAxes) {
  struct Case {
    double theta;
    double ox, oy;
  };
  for (Case c : {Case{0, 0, 99}, Case{kPi / 2, 0, 0}, Case{kPi, 199, 0}, Case{3 * kPi / 2, 199, 99},
                 Case{kPi / 2 - 1e-9, 0, 99}, Case{kPi - 1e-9, 0, 0}, Case{3 * kPi / 2 - 1e-9, 199, 0}}) {
    Parameter p;
    p.setDirection(c.theta);
    Impl const e(200, 100, p);
    EXPECT_EQ(e.origin.x, c.ox) << c.theta;
    EXPECT_EQ(e.origin.y, c.oy) << c.theta;
    EXPECT_NEAR(e.axis.x, std::sin(c.theta), 1e-15);
    EXPECT_NEAR(e.axis.y, -std::cos(c.theta), 1e-15);
    EXPECT_NEAR(e.across.x, -std::cos(c.theta), 1e-15);
    EXPECT_NEAR(e.across.y, -std::sin(c.theta), 1e-15);
  }
}

// Settings the setters admit but no admissible width exists for, or so many
// bars that the list must be capped: the layout ends, and stays bounded.
TEST(SimpleLinesLayout, EndsWhenNoWidthCanBeDrawn) {
  Parameter zero = plainBand(0, 1000, 0);
  EXPECT_EQ(Impl(1920, 1080, zero).strip_count, 0);
  // Range 2 can never be drawn: the band ends after the first bar.
  Parameter second = plainBand(0, 1000, 100);
  second.setWidthNum(2).setWidthMax2(0.000001);
  EXPECT_EQ(Impl(1920, 1080, second).strip_count, 1);
  // Admissible maximum, but a power that makes every draw inadmissible.
  Parameter power = plainBand(0, 1000, 100);
  power.setWidthNum(2).setWidthMax2(0.000001).setWidthMin(0).setWidthPower(1e300);
  EXPECT_EQ(Impl(1920, 1080, power).strip_count, 0);
  // So far from the origin that a width no longer moves the position.
  Parameter far = plainBand(0, 1000, 100);
  far.setCenter(Vector<double>(0, -1e30));
  EXPECT_EQ(Impl(1920, 1080, far).strip_count, 0);
  // Sub-pixel widths over a long band: capped.
  Parameter many = plainBand(0, 1e9, 0.0001);
  Impl const capped(1920, 1080, many);
  EXPECT_EQ(capped.strip_count, Impl::maxStripCount());
  EXPECT_EQ(capped.strips.size(), static_cast<size_t>(Impl::maxStripCount()));
  // Widths of one pixel over the longest total width are never capped.
  Parameter longest = plainBand(0, 0, 1);
  longest.setTotalWidth(1e12);
  Impl const full(1920, 1080, longest);
  EXPECT_LE(full.strip_count, Impl::maxStripCount());
  EXPECT_EQ(full.strips.back().end, longest.total_width());
  // Non-finite geometry makes no bar.
  Parameter nan = plainBand(0, 1000, 100);
  nan.setCenter(Vector<double>(NAN, NAN));
  EXPECT_EQ(Impl(1920, 1080, nan).strip_count, 0);
}

}  // namespace
}  // namespace Brelo
