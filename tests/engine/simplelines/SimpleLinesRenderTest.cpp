#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "Brelo/BreloRandom.h"
#include "SimpleLinesReference.h"
#include "SimpleLinesTestSupport.h"

namespace Brelo {
namespace {

using Impl = SimpleLines::Impl;
using Parameter = SimpleLines::Parameter;
using Support::TestWorld;

// Direction 0 on an 8 x 24 layer: row y lies at u = 23 - y along the axis,
// and bars 100 long centred on column 4 cover every column fully.
constexpr int kW = 8;
constexpr int kH = 24;
Parameter stack(double first, double total, double width) { return Support::plainBand(first, total, width, kW, kH); }
int rowAt(double u) { return static_cast<int>(23 - u); }

// A kW x kH world of depth P, transparent black, with the bars of `p` painted.
template <class P>
std::unique_ptr<TestWorld<P>> painted(Parameter const& p) {
  auto w = std::make_unique<TestWorld<P>>(kW, kH);
  Layer layer = w->layer();
  SimpleLines(layer, p).execute(layer);
  return w;
}

TEST(SimpleLinesRenderer, SoftEdge) {
  struct Case {
    double x, edge, width;
    bool rising;
    double alpha;
  };
  Case const cases[] = {
      {5, 5, 1, true, 0.5},         {5.5, 5, 1, true, 1.0},    {9, 5, 1, true, 1.0},
      {4.75, 5, 1, true, 0.25},     {4.5, 5, 1, true, 0.0},    {4.4, 5, 1, true, 0.0},
      {10, 10, 1, false, 0.5},      {9.5, 10, 1, false, 1.0},  {10.25, 10, 1, false, 0.25},
      {10.5, 10, 1, false, 0.0},    {5.5, 5, 2, true, 0.75},   {4.5, 5, 2, false, 0.75},
      {NAN, 5, 1, true, 0.0},       {NAN, 5, 1, false, 0.0},
  };
  for (Case const& c : cases) {
    EXPECT_EQ(Impl::_getAlpha(c.x, c.edge, c.width, c.rising), c.alpha) << c.x << (c.rising ? " rising" : " falling");
  }
}

TEST(SimpleLinesRenderer, EdgesAndOpacityLevels) {
  // One red bar from 5 to 10.
  Parameter p = stack(5, 5, 5);
  {
    auto const w = painted<PF_Pixel>(p);
    EXPECT_EQ(w->at(4, rowAt(5)).alpha, 128);  // on the start: half
    EXPECT_EQ(w->at(4, rowAt(5)).red, 255);
    EXPECT_EQ(w->at(4, rowAt(6)).alpha, 255);
    EXPECT_EQ(w->at(4, rowAt(10)).alpha, 128);  // on the end: half
    EXPECT_EQ(w->at(4, rowAt(4)).alpha, 0);
    EXPECT_EQ(w->at(4, rowAt(11)).alpha, 0);
    EXPECT_TRUE(w->paddingIntact());
  }
  p.setOpacity(0.5);
  {
    auto const w = painted<PF_Pixel>(p);
    EXPECT_EQ(w->at(0, rowAt(6)).alpha, 127);
    EXPECT_EQ(w->at(0, rowAt(5)).alpha, 64);
  }
  p.setOpacity(1);
  {
    auto const w = painted<PF_Pixel16>(p);
    EXPECT_EQ(w->at(7, rowAt(6)).alpha, 32768);
    EXPECT_EQ(w->at(7, rowAt(6)).red, 32768);
    EXPECT_EQ(w->at(7, rowAt(5)).alpha, 16384);
    EXPECT_TRUE(w->paddingIntact());
  }
  {
    auto const w = painted<PF_PixelFloat>(p);
    EXPECT_EQ(w->at(3, rowAt(6)).alpha, 1.0f);
    EXPECT_EQ(w->at(3, rowAt(5)).alpha, 0.5f);
    EXPECT_EQ(w->at(3, rowAt(4)).alpha, 0.0f);
    EXPECT_TRUE(w->paddingIntact());
  }
  // Half a pixel inside the start: full.
  {
    auto const w = painted<PF_Pixel>(stack(4.5, 5, 5));
    EXPECT_EQ(w->at(4, rowAt(5)).alpha, 255);
    EXPECT_EQ(w->at(4, rowAt(9)).alpha, 255);
    EXPECT_EQ(w->at(4, rowAt(4)).alpha, 0);
    EXPECT_EQ(w->at(4, rowAt(10)).alpha, 0);
  }
}

TEST(SimpleLinesRenderer, TouchingBarsAddUp) {
  Parameter p = stack(5, 10, 5);
  p.setColorNum(2).setColorColor2(ColorFloat<float>(1.0f, 0.0f, 0.0f, 1.0f));
  TestWorld<PF_Pixel> w(kW, kH);
  Layer layer = w.layer();
  SimpleLines(layer, p).execute(layer);
  PF_Pixel const at10 = w.at(2, rowAt(10));
  EXPECT_EQ(at10.alpha, 255);
  EXPECT_EQ(at10.red, 127);
  EXPECT_EQ(at10.green, 0);
  EXPECT_EQ(at10.blue, 127);
  PF_Pixel const inside = w.at(2, rowAt(12));
  EXPECT_EQ(inside.alpha, 255);
  EXPECT_EQ(inside.blue, 255);
  EXPECT_EQ(inside.red, 0);
}

TEST(SimpleLinesRenderer, NormalGivesTheBarColourOverAnything) {
  Parameter p = stack(2, 20, 20);
  p.setColorColor1(ColorFloat<float>(0.3f, 0.2f, 0.6f, 0.9f)).setBlendMode(BlendMode::Normal);
  PF_Pixel const c8 = aePixel8(ColorFloat<float>(0.3f, 0.2f, 0.6f, 0.9f));
  PF_Pixel16 const c16 = aePixel16(ColorFloat<float>(0.3f, 0.2f, 0.6f, 0.9f));
  TestWorld<PF_Pixel> w8(kW, kH);
  TestWorld<PF_Pixel16> w16(kW, kH);
  TestWorld<PF_PixelFloat> w32(kW, kH);
  w8.fillPattern(1);
  w16.fillPattern(2);
  w32.fillPattern(3);
  Layer l8 = w8.layer(), l16 = w16.layer(), l32 = w32.layer();
  SimpleLines engine(l8, p);
  engine.execute(l8);
  engine.execute(l16);
  engine.execute(l32);
  for (int x = 0; x < kW; ++x) {
    for (int u = 3; u <= 21; ++u) {
      PF_Pixel const& a = w8.at(x, rowAt(u));
      EXPECT_TRUE(Support::samePixel(a, PF_Pixel{255, c8.red, c8.green, c8.blue})) << x << "," << u;
      PF_Pixel16 const& b = w16.at(x, rowAt(u));
      EXPECT_TRUE(Support::samePixel(b, PF_Pixel16{32768, c16.red, c16.green, c16.blue})) << x << "," << u;
      PF_PixelFloat const& c = w32.at(x, rowAt(u));
      EXPECT_EQ(c.alpha, 1.0f);
      EXPECT_EQ(c.red, 0.2f);
      EXPECT_EQ(c.green, 0.6f);
      EXPECT_EQ(c.blue, 0.9f);
    }
  }
}

template <class P>
void expectUntouchedBy(Parameter const& p, int layerW, int layerH, Rect const& area, int engineW = kW,
                       int engineH = kH) {
  TestWorld<P> w(layerW, layerH);
  w.fillPattern(5);
  std::vector<unsigned char> const before = w.bytes();
  Layer layer = w.layer();
  TestWorld<P> sizing(engineW, engineH);
  Layer sizingLayer = sizing.layer();
  SimpleLines(sizingLayer, p).execute(layer, area);
  EXPECT_EQ(w.bytes(), before);
}

TEST(SimpleLinesRenderer, NothingPaintedOutsideItsPlace) {
  Parameter const p = stack(0, 24, 3);
  Parameter hidden = p;
  hidden.setTransitionCompletion(1).setTransitionType(Parameter::TransitionType::FadeOut);
  Rect const all(0, 0, kW, kH);
  expectUntouchedBy<PF_Pixel>(hidden, kW, kH, all);
  expectUntouchedBy<PF_PixelFloat>(hidden, kW, kH, all);
  // Areas entirely outside, or empty.
  for (Rect const& r : {Rect(kW, 0, kW + 5, kH), Rect(-9, -9, 0, 0), Rect(0, kH, kW, kH + 1), Rect(3, 3, 3, 9),
                        Rect(5, 5, 2, 9)}) {
    expectUntouchedBy<PF_Pixel>(p, kW, kH, r);
    expectUntouchedBy<PF_Pixel16>(p, kW, kH, r);
  }
  // A layer of another size than the engine's.
  expectUntouchedBy<PF_Pixel>(p, kW + 1, kH, all);
  expectUntouchedBy<PF_Pixel16>(p, kW, kH - 1, Rect(0, 0, kW, kH - 1));

  // An area partly outside paints exactly its inside part.
  TestWorld<PF_Pixel> whole(kW, kH), part(kW, kH);
  whole.fillPattern(9);
  part.fillPattern(9);
  Layer wl = whole.layer(), pl = part.layer();
  SimpleLines engine(wl, p);
  engine.execute(wl);
  engine.execute(pl, Rect(-4, 10, 5, kH + 7));
  TestWorld<PF_Pixel> pattern(kW, kH);
  pattern.fillPattern(9);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      bool const inside = x < 5 && y >= 10;
      EXPECT_TRUE(Support::samePixel(part.at(x, y), inside ? whole.at(x, y) : pattern.at(x, y))) << x << "," << y;
    }
  }
  EXPECT_TRUE(part.paddingIntact());
}

// Copies own their state: a copy paints the same, and assignment replaces
// the whole state, bar list included.
TEST(SimpleLinesRenderer, CopiesAreDeep) {
  TestWorld<PF_Pixel> small(kW, kH), big(2 * kW, kH);
  Layer sl = small.layer(), bl = big.layer();
  Parameter const p = stack(0, 24, 3);
  SimpleLines const original(sl, p);
  SimpleLines copy(original);
  EXPECT_NE(&copy.impl(), &original.impl());
  EXPECT_EQ(copy.impl().strip_count, original.impl().strip_count);
  SimpleLines other(bl, stack(2, 10, 5));
  other = copy;
  EXPECT_NE(&other.impl(), &copy.impl());
  EXPECT_EQ(other.impl().width, kW);
  ASSERT_EQ(other.impl().strips.size(), original.impl().strips.size());
  for (size_t n = 0; n < other.impl().strips.size(); ++n) {
    EXPECT_EQ(other.impl().strips[n].start, original.impl().strips[n].start);
    EXPECT_EQ(other.impl().strips[n].end, original.impl().strips[n].end);
  }
  // The assigned engine now paints small layers only.
  other.execute(sl);
  TestWorld<PF_Pixel> reference(kW, kH);
  Layer rl = reference.layer();
  SimpleLines(rl, p).execute(rl);
  EXPECT_EQ(small.bytes(), reference.bytes());
  std::vector<unsigned char> const before = big.bytes();
  other.execute(bl);
  EXPECT_EQ(big.bytes(), before);
  // Laying out again gives the same bars.
  Impl again(kW, kH, p);
  std::vector<Impl::Strip> const first = again.strips;
  again._prepare();
  ASSERT_EQ(again.strips.size(), first.size());
  for (size_t n = 0; n < first.size(); ++n) EXPECT_EQ(again.strips[n].end, first[n].end);
}

// A depth outside the three paints nothing.
TEST(SimpleLinesRenderer, UnknownDepthPaintsNothing) {
  TestWorld<PF_Pixel> w(kW, kH);
  w.fillPattern(4);
  std::vector<unsigned char> const before = w.bytes();
  Layer layer = w.layer();
  SimpleLines engine(layer, stack(0, 24, 3));
  PF_LayerDef* def = layer.getWorld();
  Layer odd(nullptr, nullptr, def, static_cast<BPC>(3));
  engine.execute(odd);
  EXPECT_EQ(w.bytes(), before);
}

// Scenes that exercise the search: many bars, bars narrower than half a
// pixel, a cut sliver at the band's end, rotated axes, offsets, wipes, and
// every blend mode.
std::vector<Parameter> scenes() {
  std::vector<Parameter> out;
  double const directions[] = {0.0, 0.3, 1.5707963267948966, 2.2, 3.3, 4.9, 6.0};
  int i = 0;
  for (double dir : directions) {
    Parameter p;
    p.setCenter(Vector<double>(31.5 + i, 22 - i))
        .setDirection(dir)
        .setTotalWidth(70.3 + i)
        .setWidthNum(3)
        .setWidthMax1(6)
        .setWidthMax2(0.3)
        .setWidthMax3(2.2)
        .setWidthMin(0.1)
        .setGapNum(2)
        .setGapMax1(1.5)
        .setGapMax2(0)
        .setGapMin(0)
        .setWidthSeed(i)
        .setHeightNum(2)
        .setHeightMax1(40)
        .setHeightMax2(0.6)
        .setHeightMin(0.2)
        .setAlignMax(8)
        .setAlignMin(0)
        .setAlignDirection(Parameter::AlignDirection::Both)
        .setColorNum(3)
        .setColorVariance1(0.3)
        .setColorVariance2(0.2)
        .setColorVarianceSpace(Parameter::ColorSpace::HLS)
        .setTransitionCompletion(i % 3 == 0 ? 0.0 : 0.35)
        .setTransitionType(Parameter::TransitionType::Random)
        .setTransitionMode(Parameter::TransitionMode::Random)
        .setTransitionOrder(OrderType::Random)
        .setOpacity(i % 2 ? 0.8 : 1.0)
        .setBlendMode(static_cast<BlendMode>((i * 5) % 17));
    out.push_back(p);
    ++i;
  }
  // Fewer than four bars: scanned from the first.
  Parameter few;
  few.setCenter(Vector<double>(30, 20)).setTotalWidth(2.6).setWidthMax1(0.9).setWidthMin(1);
  out.push_back(few);
  return out;
}

template <class P>
void expectSameAsReference(Parameter const& p, int seed) {
  constexpr int w = 64, h = 48;
  TestWorld<P> engineWorld(w, h), referenceWorld(w, h);
  engineWorld.fillPattern(static_cast<std::uint32_t>(seed));
  referenceWorld.fillPattern(static_cast<std::uint32_t>(seed));
  Layer layer = engineWorld.layer();
  SimpleLines engine(layer, p);
  engine.execute(layer);
  Support::referencePaint(engine.impl(), referenceWorld, Rect(0, 0, w, h));
  EXPECT_EQ(engineWorld.bytes(), referenceWorld.bytes()) << "scene " << seed;
  EXPECT_TRUE(engineWorld.paddingIntact());
}

// Random settings, wide bars and narrow ones, every blend mode, opacity 0,
// overshooting wipes, areas in part off the layer: the engine paints what the
// plain scan paints.
template <class P>
void expectSameAsReferenceIn(Parameter const& p, int w, int h, Rect const& area, int seed) {
  TestWorld<P> engineWorld(w, h), referenceWorld(w, h);
  engineWorld.fillPattern(static_cast<std::uint32_t>(seed));
  referenceWorld.fillPattern(static_cast<std::uint32_t>(seed));
  Layer layer = engineWorld.layer();
  SimpleLines engine(layer, p);
  engine.execute(layer, area);
  Support::referencePaint(engine.impl(), referenceWorld, area);
  ASSERT_EQ(engineWorld.bytes(), referenceWorld.bytes()) << "seed " << seed;
}

TEST(SimpleLinesRenderer, RandomSettingsGiveTheSameBytesAsAFullScan) {
  for (int seed = 1; seed <= 150; ++seed) {
    Random r(seed);
    auto real = [&r](double lo, double hi) { return lo + (hi - lo) * r.randD(); };
    int const w = 1 + r.rand(60), h = 1 + r.rand(50);
    Parameter p;
    p.setCenter(Vector<double>(real(-0.2, 1.2) * w, real(-0.2, 1.2) * h))
        .setWidthAlign(real(0, 1))
        .setDirection(r.rand(4) == 0 ? 1.5707963267948966 * r.rand(3) : real(0, 6.283185307179586))
        .setTotalWidth(real(0.5, 2.0) * (w + h))
        .setWidthNum(1 + r.rand(2))
        .setWidthMax1(real(0.2, 14))
        .setWidthMax2(real(0.2, 4))
        .setWidthMax3(real(0.2, 30))
        .setWidthMin(real(0, 1))
        .setGapNum(1 + r.rand(2))
        .setGapMax1(r.rand(3) == 0 ? 0.0 : real(0, 4))
        .setGapMax2(real(0, 8))
        .setGapMax3(real(0, 1))
        .setGapMin(real(0, 1))
        .setWidthSeed(seed)
        .setHeightNum(1 + r.rand(2))
        .setHeightMax1(real(1, 2.0 * (w + h)))
        .setHeightMax2(real(0.3, 10))
        .setHeightMax3(real(0.3, 60))
        .setHeightMin(real(0, 1))
        .setHeightSeed(seed + 1)
        .setAlignType(static_cast<Parameter::AlignType>(1 + r.rand(2)))
        .setAlignDirection(static_cast<Parameter::AlignDirection>(1 + r.rand(2)))
        .setAlignMax(real(0, 20))
        .setAlignMin(real(0, 1))
        .setColorNum(1 + r.rand(2))
        .setColorVariance1(real(0, 0.5))
        .setTransitionCompletion(r.rand(3) == 0 ? 0.0 : real(0, 1))
        .setTransitionDelay(real(0, 1))
        .setTransitionType(static_cast<Parameter::TransitionType>(1 + r.rand(6)))
        .setTransitionMode(static_cast<Parameter::TransitionMode>(1 + r.rand(6)))
        .setTransitionOrder(static_cast<OrderType>(1 + r.rand(5)))
        .setTransitionEasingType(static_cast<EasingType>(1 + r.rand(10)))
        .setTransitionEasingMode(static_cast<EasingMode>(1 + r.rand(2)))
        .setOpacity(r.rand(5) == 0 ? 0.0 : (r.rand(2) ? 1.0 : real(0, 1)))
        .setBlendMode(static_cast<BlendMode>(r.rand(18) - 1));
    Rect area(0, 0, w, h);
    if (r.rand(3) == 0) {
      area.left = r.rand(w + 2) - 3;
      area.top = r.rand(h + 2) - 3;
      area.right = area.left + 1 + r.rand(w + 3);
      area.bottom = area.top + 1 + r.rand(h + 3);
    }
    expectSameAsReferenceIn<PF_Pixel>(p, w, h, area, seed);
    expectSameAsReferenceIn<PF_Pixel16>(p, w, h, area, seed);
    expectSameAsReferenceIn<PF_PixelFloat>(p, w, h, area, seed);
  }
}

TEST(SimpleLinesRenderer, SearchGivesTheSameBytesAsAFullScan) {
  std::vector<Parameter> const all = scenes();
  int painted = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    int const seed = static_cast<int>(i);
    expectSameAsReference<PF_Pixel>(all[i], seed);
    expectSameAsReference<PF_Pixel16>(all[i], seed);
    expectSameAsReference<PF_PixelFloat>(all[i], seed);
    Impl const e(64, 48, all[i]);
    if (i + 1 < all.size()) {
      EXPECT_GT(e.strip_count, 20);
    }
    painted += e.strip_count;
  }
  EXPECT_GT(painted, 200);
  EXPECT_EQ(Impl(64, 48, all.back()).strip_count, 3);
}

// The three depths paint the same picture up to their conversions.
TEST(SimpleLinesRenderer, DepthsAgree) {
  std::vector<Parameter> all = scenes();
  for (BlendMode mode : {BlendMode::Normal, BlendMode::Add, BlendMode::Multiply, BlendMode::Screen}) {
    for (size_t i = 0; i < all.size(); i += 2) {
      Parameter p = all[i];
      p.setBlendMode(mode);
      for (bool opaqueBase : {false, true}) {
        constexpr int w = 64, h = 48;
        TestWorld<PF_Pixel> w8(w, h);
        TestWorld<PF_Pixel16> w16(w, h);
        TestWorld<PF_PixelFloat> w32(w, h);
        if (opaqueBase) {
          w8.fill(PF_Pixel{255, 255, 255, 255});
          w16.fill(PF_Pixel16{32768, 32768, 32768, 32768});
          w32.fill(PF_PixelFloat{1, 1, 1, 1});
        }
        Layer l8 = w8.layer(), l16 = w16.layer(), l32 = w32.layer();
        SimpleLines engine(l8, p);
        engine.execute(l8);
        engine.execute(l16);
        engine.execute(l32);
        // Alpha to within a rounding per overlapping bar; colour where the
        // pixel is covered enough for integer weights to hold it.
        double alpha8 = 0, alpha16 = 0, colour8 = 0, colour16 = 0;
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            PF_PixelFloat const& f = w32.at(x, y);
            PF_Pixel const& a = w8.at(x, y);
            PF_Pixel16 const& b = w16.at(x, y);
            alpha8 = std::max(alpha8, std::abs(a.alpha / 255.0 - static_cast<double>(f.alpha)));
            alpha16 = std::max(alpha16, std::abs(b.alpha / 32768.0 - static_cast<double>(f.alpha)));
            if (f.alpha < 0.25f) continue;
            float const fc[3] = {f.red, f.green, f.blue};
            int const ac[3] = {a.red, a.green, a.blue};
            int const bc[3] = {b.red, b.green, b.blue};
            for (int c = 0; c < 3; ++c) {
              double const ref = std::min(1.0, std::max(0.0, static_cast<double>(fc[c])));
              colour8 = std::max(colour8, std::abs(ac[c] / 255.0 - ref));
              colour16 = std::max(colour16, std::abs(bc[c] / 32768.0 - ref));
            }
          }
        }
        EXPECT_LE(alpha8, 1.5 / 255) << static_cast<int>(mode) << " scene " << i;
        EXPECT_LE(colour8, 3.0 / 255) << static_cast<int>(mode) << " scene " << i;
        EXPECT_LE(alpha16, 1.5 / 32768) << static_cast<int>(mode) << " scene " << i;
        EXPECT_LE(colour16, 3.0 / 32768) << static_cast<int>(mode) << " scene " << i;
      }
    }
  }
}

}  // namespace
}  // namespace Brelo
