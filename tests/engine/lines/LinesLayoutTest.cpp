#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Brelo/BreloRandom.h"
#include "LinesTestSupport.h"

namespace Brelo {
namespace {

using namespace test;


// Slots of one channel: taken exactly by the strips the Per/Offset rule picks,
// numbered 0, 1, 2, ... in list order; never by a gap.
void expectSlots(Impl const& e, int Strip::*slot, int offset, int per, int count, char const* name) {
  int next = 0;
  for (Strip const& s : e.strips) {
    if (s.gap) {
      EXPECT_EQ(s.*slot, -1) << name << ": a gap holds a slot";
      continue;
    }
    if (takesPart(s.index, offset, per)) {
      EXPECT_EQ(s.*slot, next) << name << ": strip " << s.index;
      ++next;
    } else {
      EXPECT_EQ(s.*slot, -1) << name << ": strip " << s.index;
    }
  }
  EXPECT_EQ(next, count) << name;
}

TEST(LinesLayout, InvariantsOverRandomSettings) {
  PowOnlyInData host;
  Random pick(4711);
  for (int round = 0; round < 300; ++round) {
    int const w = 1 + pick.rand(400), h = 1 + pick.rand(300);
    Parameter p;
    p.setDirection(pick.randD(-7.0, 14.0))
        .setCenter(Vector<double>(pick.randD(-200.0, 600.0), pick.randD(-200.0, 500.0)))
        .setAlign(pick.randD())
        .setTotalWidth(round % 17 == 0 ? 0.0 : pick.randD(0.0, 1500.0))
        .setWidthNum(1 + pick.rand(2))
        .setWidthMax1(pick.randD(0.0, 80.0))
        .setWidthMax2(pick.randD(0.0, 30.0))
        .setWidthMax3(pick.randD(0.0, 200.0))
        .setWidthMin(pick.randD())
        .setWidthPower(pick.randD(0.0, 3.0))
        .setGapNum(1 + pick.rand(2))
        .setGapMax1(pick.randD(0.0, 20.0))
        .setGapMax2(pick.randD(0.0, 2.0))
        .setGapMax3(round % 3 == 0 ? 0.0 : pick.randD(0.0, 60.0))
        .setGapMin(pick.randD())
        .setGapPower(pick.randD(0.0, 3.0))
        .setWidthSeed(pick.rand())
        .setSlicePer(1 + pick.rand(4))
        .setSliceOffset(pick.rand(-6, 6))
        .setRGBPer(1 + pick.rand(3))
        .setRGBOffset(pick.rand(-3, 3))
        .setColorPer(1 + pick.rand(5))
        .setColorOffset(pick.rand(-2, 7))
        .setCompositePer(1 + pick.rand(2))
        .setCompositeOffset(pick.rand(-1, 1));
    SCOPED_TRACE(::testing::Message() << "round " << round);
    Impl const e(&host.in, w, h, p);

    // The pattern's extent, from the layout origin of the direction's quadrant.
    double const a = e.parameter.direction();
    double const x0 = a < 3.141592653589793 ? 0.0 : w - 1.0;
    double const y0 = (a < 1.5707963267948966 || a >= 4.71238898038469) ? h - 1.0 : 0.0;
    double const pc = (p.center().x - x0) * std::sin(a) + (p.center().y - y0) * -std::cos(a);
    double const p0 = pc - p.align() * p.total_width();
    double const p1 = p0 + p.total_width();
    double const span = w * std::fabs(std::sin(a)) + h * std::fabs(std::cos(a));
    EXPECT_NEAR(e.span, span, 1e-9);

    ASSERT_FALSE(e.strips.empty() && p1 < span);
    std::vector<Strip> const strips = stripsOnly(e);
    ASSERT_EQ(static_cast<int>(strips.size()), e.strip_count);

    // Sorted and contiguous: every entry starts where the one before ends.
    for (std::size_t i = 0; i < e.strips.size(); ++i) {
      Strip const& s = e.strips[i];
      EXPECT_LE(s.start, s.end) << "entry " << i;
      if (i > 0) {
        EXPECT_NEAR(s.start, e.strips[i - 1].end, 0.0001 + 1e-9) << "entry " << i;
      }
    }
    // Leading gap exactly when the pattern starts after the origin; trailing
    // gap exactly when it ends before the far side.
    bool const lead = p0 > 0.0000000001;
    if (lead) {
      ASSERT_TRUE(e.strips.front().gap);
      EXPECT_EQ(e.strips.front().start, 0.0);
      EXPECT_EQ(e.strips.front().end, p0);
    } else if (!strips.empty()) {
      EXPECT_EQ(e.strips.front().start, p0);
    }
    if (p1 < span) {
      ASSERT_TRUE(e.strips.back().gap);
      EXPECT_EQ(e.strips.back().start, p1);
      EXPECT_EQ(e.strips.back().end, span);
    }

    double const width_max[3] = {p.width_max1(), p.width_max2(), p.width_max3()};
    for (std::size_t i = 0; i < strips.size(); ++i) {
      Strip const& s = strips[i];
      EXPECT_EQ(s.index, static_cast<int>(i));
      double const limit = std::max(1.0, width_max[i % static_cast<std::size_t>(p.width_num())]);
      EXPECT_LE(s.end - s.start, limit + 1e-9);
      // Only the last strip, cut at the pattern's end, may be narrower than 1.
      if (i + 1 < strips.size()) {
        EXPECT_GE(s.end - s.start, 1.0 - 1e-9);
      }
      EXPECT_LE(s.end, p1 + 1e-9);
      EXPECT_EQ(s.coverage, std::min(1.0, s.end - s.start));
    }
    // Gaps inside the pattern are at least 0.00001 wide.
    for (Strip const& s : e.strips) {
      if (s.gap && s.start >= p0 && s.end <= p1 && !(lead && s.start == 0.0)) {
        EXPECT_GE(s.end - s.start, 0.00001);
      }
    }
    if (p.total_width() >= 0.0001 && !strips.empty()) {
      double const last_end = (p1 < span) ? e.strips[e.strips.size() - 2].end : e.strips.back().end;
      EXPECT_NEAR(last_end, p1, 0.0001 + 1e-9);
    }

    expectSlots(e, &Strip::slice_index, p.slice_offset(), p.slice_per(), e.slice_count, "slice");
    expectSlots(e, &Strip::rgb_index, p.rgb_offset(), p.rgb_per(), e.rgb_count, "rgb");
    expectSlots(e, &Strip::color_index, p.color_offset(), p.color_per(), e.color_count, "color");
    expectSlots(e, &Strip::composite_index, p.composite_offset(), p.composite_per(), e.composite_count,
                "composite");
  }
}

TEST(LinesLayout, ZeroTotalWidthHasOnlyTheOuterGaps) {
  PowOnlyInData host;
  for (double total : {0.0, 0.00005}) {
    Impl const e(&host.in, 200, 10, columnStrips(50.0, total, 10.0));
    ASSERT_EQ(e.strips.size(), 2u) << total;
    EXPECT_TRUE(e.strips[0].gap && e.strips[1].gap);
    EXPECT_EQ(e.strips[0].end, 50.0);
    EXPECT_EQ(e.strips[1].start, 50.0 + total);
    EXPECT_EQ(e.strips[1].end, 200.0);
    EXPECT_EQ(e.strip_count + e.slice_count + e.rgb_count + e.color_count + e.composite_count, 0);
  }
}

TEST(LinesLayout, AlignPlacesThePatternAroundTheCentre) {
  PowOnlyInData host;
  // Direction pi/2, centre at column 100 of a 200-wide layer.
  struct Case {
    double align, first, last;
  } const cases[] = {{0.5, 50.0, 150.0}, {0.0, 100.0, 200.0}, {1.0, 0.0, 100.0}};
  for (Case const& c : cases) {
    Parameter p = columnStrips(100.0, 100.0, 10.0);
    p.setAlign(c.align);
    Impl const e(&host.in, 200, 10, p);
    std::vector<Strip> const s = stripsOnly(e);
    ASSERT_EQ(s.size(), 10u) << c.align;
    EXPECT_NEAR(s.front().start, c.first, 1e-9);
    EXPECT_NEAR(s.back().end, c.last, 1e-9);
    // No leading gap when the pattern starts at the origin; no trailing gap
    // when it ends at the far side.
    EXPECT_EQ(e.strips.front().gap, c.first > 0.0);
    EXPECT_EQ(e.strips.back().gap, c.last < 200.0);
  }
}

TEST(LinesLayout, PatternBeforeTheOriginStartsWithAStrip) {
  PowOnlyInData host;
  Impl const e(&host.in, 200, 10, columnStrips(-35.0, 100.0, 10.0));
  ASSERT_FALSE(e.strips.front().gap);
  EXPECT_EQ(e.strips.front().start, -35.0);
  EXPECT_EQ(e.strip_count, 10);
}

TEST(LinesLayout, LastStripAndGapAreCutAtThePatternEnd) {
  PowOnlyInData host;
  {
    Impl const e(&host.in, 200, 10, columnStrips(0.0, 20.4, 10.0));
    std::vector<Strip> const s = stripsOnly(e);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_NEAR(s[2].end - s[2].start, 0.4, 1e-9);
    EXPECT_NEAR(s[2].coverage, 0.4, 1e-9);
  }
  {
    Parameter p = columnStrips(0.0, 25.0, 10.0);
    p.setGapMax1(3.0).setGapPower(0.0);
    Impl const e(&host.in, 200, 10, p);
    // [0,10] gap [10,13] [13,23] gap cut to [23,25], trailing gap [25,200].
    ASSERT_EQ(e.strips.size(), 5u);
    EXPECT_TRUE(e.strips[1].gap);
    EXPECT_NEAR(e.strips[1].end, 13.0, 1e-9);
    EXPECT_TRUE(e.strips[3].gap);
    EXPECT_NEAR(e.strips[3].start, 23.0, 1e-9);
    EXPECT_NEAR(e.strips[3].end, 25.0, 1e-9);
  }
  {
    // The last gap would be 0.000005 wide: dropped.
    Parameter p = columnStrips(0.0, 23.000005, 10.0);
    p.setGapMax1(3.0).setGapPower(0.0);
    Impl const e(&host.in, 200, 10, p);
    ASSERT_EQ(e.strips.size(), 4u);
    EXPECT_FALSE(e.strips[2].gap);
    EXPECT_TRUE(e.strips[3].gap);
    EXPECT_EQ(e.strips[3].start, 23.000005);
  }
}

// Power 0 makes every strip and gap exactly its class's maximum.
TEST(LinesLayout, WidthAndGapClassesTakeTurns) {
  PowOnlyInData host;
  Parameter p = columnStrips(0.0, 500.0, 10.0);
  p.setWidthNum(2).setWidthMax2(50.0).setGapNum(2).setGapMax1(1.0).setGapMax2(3.0).setGapPower(0.0);
  Impl const e(&host.in, 1000, 10, p);
  int strip = 0, gap = 0;
  for (Strip const& s : e.strips) {
    if (s.end > 500.0 - 1e-9) break;  // cut entries and the trailing gap
    if (s.gap) {
      EXPECT_NEAR(s.end - s.start, gap % 2 == 0 ? 1.0 : 3.0, 1e-9) << "gap " << gap;
      ++gap;
    } else {
      EXPECT_NEAR(s.end - s.start, strip % 2 == 0 ? 10.0 : 50.0, 1e-9) << "strip " << strip;
      ++strip;
    }
  }
  EXPECT_GE(strip, 8);
}

TEST(LinesLayout, WidthsAndGapsFollowTheLayoutGeneratorAlone) {
  PowOnlyInData host;
  Parameter p = columnStrips(0.0, 900.0, 40.0);
  p.setWidthPower(1.7).setWidthMin(0.2).setGapMax1(9.0).setGapMin(0.1).setGapPower(0.5).setWidthSeed(99);
  Impl const plain(&host.in, 1000, 10, p);

  // Exact widths and gaps: two draws per strip, width first.
  Random layout(99);
  std::size_t i = 0;
  for (int n = 0; n < plain.strip_count; ++n) {
    double const w = std::max(1.0, std::pow(layout.randD(), 1.7) * 32.0 + 8.0);
    double const g = std::pow(layout.randD(), 0.5) * 8.1 + 0.9;
    Strip const& s = plain.strips[i++];
    ASSERT_FALSE(s.gap);
    if (s.end < 900.0 - 1e-9) {
      EXPECT_NEAR(s.end - s.start, w, 1e-9) << n;
      ASSERT_TRUE(plain.strips[i].gap);
      if (plain.strips[i].end < 900.0 - 1e-9) {
        EXPECT_NEAR(plain.strips[i].end - plain.strips[i].start, g, 1e-9);
      }
      ++i;
    }
  }

  // Channel settings draw from their own generators only.
  p.setSlicePer(2).setSliceMax(30.0).setSliceSeed(5).setRGBMax(4.0).setRGBSeed(6).setColorType(Parameter::ColorType::HLS)
      .setColorH(40.0).setColorSeed(8).setCompositeVariance1(0.5).setCompositeSeed(3);
  Impl const busy(&host.in, 1000, 10, p);
  ASSERT_EQ(busy.strips.size(), plain.strips.size());
  for (std::size_t k = 0; k < plain.strips.size(); ++k) {
    EXPECT_EQ(busy.strips[k].start, plain.strips[k].start);
    EXPECT_EQ(busy.strips[k].end, plain.strips[k].end);
  }
}

TEST(LinesLayout, PerAndOffsetPickTheStrips) {
  PowOnlyInData host;
  for (int offset : {1, -2, 4}) {
    Parameter p = columnStrips(0.0, 100.0, 10.0);
    p.setSlicePer(3).setSliceOffset(offset).setSliceMax(5.0);
    Impl const e(&host.in, 200, 10, p);
    std::vector<Strip> const s = stripsOnly(e);
    ASSERT_EQ(s.size(), 10u);
    int const expected[10] = {-1, 0, -1, -1, 1, -1, -1, 2, -1, -1};
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(s[static_cast<std::size_t>(i)].slice_index, expected[i]) << "offset " << offset << " strip " << i;
      EXPECT_EQ(s[static_cast<std::size_t>(i)].slice != 0.0, expected[i] >= 0);
    }
    EXPECT_EQ(e.slice_count, 3);
  }
}

TEST(LinesLayout, SlideAmountsAndSignRules) {
  PowOnlyInData host;
  for (int direction = 1; direction <= 3; ++direction) {
    Parameter p = columnStrips(0.0, 200.0, 10.0);
    p.setSliceMax(12.0).setSliceMin(0.25).setSlicePower(2.0).setSliceSeed(321).setSliceDelay(0.0)
        .setSliceDirection(static_cast<Parameter::Direction>(direction));
    Impl const e(&host.in, 300, 10, p);
    // Amount first, then the sign draw, for every strip.
    Random r(321);
    int k = 0;
    for (Strip const& s : stripsOnly(e)) {
      double const amount = std::pow(r.randD(), 2.0) * 9.0 + 3.0;
      bool const draw_negative = r.randD() < 0.5;
      bool const negative = direction == 3 ? draw_negative : (direction == 2 && k % 2 == 1);
      EXPECT_DOUBLE_EQ(s.slice, negative ? -amount : amount) << "direction " << direction << " strip " << k;
      ++k;
    }
    EXPECT_EQ(k, 20);
  }
}

TEST(LinesLayout, ColourAndCompositeDraws) {
  PowOnlyInData host;
  Parameter p = columnStrips(0.0, 60.0, 10.0);
  p.setColorType(Parameter::ColorType::HLS).setColorH(90.0).setColorHMin(0.5).setColorL(0.2).setColorS(-0.4)
      .setColorLDirection(Parameter::Direction::One).setColorSDirection(Parameter::Direction::Alternately)
      .setColorSeed(17).setColorDelay(0.0);
  p.setCompositeNum(3).setCompositeVariance1(0.3).setCompositeVariance2(0.9).setCompositeSeed(23)
      .setCompositeColor1(ColorFloat<float>(0.5f, 0.5f, 0.5f)).setCompositeColor2(ColorFloat<float>(1.0f, 1.0f, 1.0f))
      .setCompositeColor3(ColorFloat<float>(0.0f, 0.0f, 0.0f)).setCompositeOverlap(Parameter::CompositeOverlap::WrapBack)
      .setCompositeDelay(0.0);
  Impl const e(&host.in, 100, 10, p);
  std::vector<Strip> const s = stripsOnly(e);
  ASSERT_EQ(s.size(), 6u);
  Random color(17), comp(23);
  ColorFloat<float> const bases[3] = {p.composite_color1(), p.composite_color2(), p.composite_color3()};
  auto wrap = [](float v) { return v < 0.0f ? -v : (v > 1.0f ? 2.0f - v : v); };
  for (int k = 0; k < 6; ++k) {
    Strip const& strip = s[static_cast<std::size_t>(k)];
    float dh = static_cast<float>(color.randD() * 45.0 + 45.0);
    if (color.randD() >= 0.5) dh = -dh;  // Both: negative on the upper half
    float const dl = static_cast<float>(color.randD() * 0.2);
    color.randD();
    float ds = static_cast<float>(color.randD() * -0.4);
    color.randD();
    if (k % 2 == 1) ds = -ds;
    EXPECT_EQ(strip.color.red, dh) << k;
    EXPECT_EQ(strip.color.green, dl) << k;
    EXPECT_EQ(strip.color.blue, ds) << k;
    EXPECT_EQ(strip.color.alpha, 0.0f);

    double const u1 = comp.randD(), r1 = comp.randD(), u2 = comp.randD(), r2 = comp.randD();
    comp.randD();
    double const r3 = comp.randD();
    (void)r3;
    float d1 = static_cast<float>(u1 * 0.3), d2 = static_cast<float>(u2 * 0.9);
    if (r1 < 0.5) d1 = -d1;
    if (r2 < 0.5) d2 = -d2;
    ColorFloat<float> const base = bases[k % 3];
    EXPECT_EQ(strip.composite.red, wrap(base.red + d1)) << k;
    EXPECT_EQ(strip.composite.green, wrap(base.green + d2)) << k;
    EXPECT_EQ(strip.composite.blue, base.blue) << k;
    EXPECT_EQ(strip.composite.alpha, base.alpha);
    PF_Pixel const c8 = aePixel8(strip.composite);
    EXPECT_EQ(strip.composite8.red, c8.red);
    EXPECT_EQ(strip.composite8.green, c8.green);
    EXPECT_EQ(strip.composite16.red, aePixel16(strip.composite).red);
    EXPECT_EQ(strip.composite32.green, strip.composite.green);
    EXPECT_EQ(strip.composite_opacity, 1.0);
  }
}

TEST(LinesLayout, SameSettingsSameLayoutAndCopiesAreDeep) {
  PowOnlyInData host;
  Parameter p = columnStrips(3.0, 400.0, 30.0);
  p.setWidthPower(1.3).setWidthMin(0.1).setGapMax1(6.0).setSliceMax(9.0).setRGBMax(2.0).setTransitionCompletion(0.4);
  Impl const a(&host.in, 500, 20, p);
  Impl const b(&host.in, 500, 20, p);
  ASSERT_EQ(a.strips.size(), b.strips.size());
  for (std::size_t i = 0; i < a.strips.size(); ++i) {
    EXPECT_EQ(a.strips[i].start, b.strips[i].start);
    EXPECT_EQ(a.strips[i].end, b.strips[i].end);
    EXPECT_EQ(a.strips[i].slice, b.strips[i].slice);
    EXPECT_EQ(a.strips[i].hidden, b.strips[i].hidden);
  }
  Impl c = a;
  c.strips.front().start = -1.0;
  EXPECT_NE(a.strips.front().start, -1.0);
}

TEST(LinesLayout, UnusablePositionsEndTheLoop) {
  PowOnlyInData host;
  // So far from the origin that a strip's width vanishes in rounding.
  Parameter p = columnStrips(1e20, 1000.0, 10.0);
  Impl const far(&host.in, 100, 10, p);
  EXPECT_LE(far.strip_count, 1000);
  // A centre that is not a number makes no strips at all.
  p.setCenter(Vector<double>(std::nan(""), 0.0));
  Impl const nan(&host.in, 100, 10, p);
  EXPECT_EQ(nan.strip_count, 0);
  EXPECT_TRUE(nan.strips.empty());
}

}  // namespace
}  // namespace Brelo
