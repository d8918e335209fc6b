// The engine against the plain renderer on seeded random settings: every
// depth, every channel, wipe kind, easing (overshooting ones included),
// folding type and layer shape, byte for byte in output and composite.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Brelo/BreloRandom.h"
#include "Brelo/Effect/BreloLinesMulti.h"
#include "LinesReference.h"
#include "LinesScene.h"

namespace Brelo {
namespace {

using Parameter = Lines::Parameter;
using Sim::Depth;

class Draw {
 public:
  explicit Draw(int seed) : m_r(seed) {}
  double real(double lo, double hi) { return lo + (hi - lo) * m_r.randD(); }
  int whole(int lo, int hi) { return lo + m_r.rand(hi - lo); }
  bool chance(double p) { return m_r.randD() < p; }
  ColorFloat<float> colour() {
    return ColorFloat<float>(static_cast<float>(m_r.randD()), static_cast<float>(m_r.randD()),
                             static_cast<float>(m_r.randD()));
  }
  OrderType order() { return static_cast<OrderType>(whole(1, 6)); }
  EasingType easing() { return static_cast<EasingType>(whole(1, 11)); }
  EasingMode mode() { return static_cast<EasingMode>(whole(1, 3)); }
  Parameter::Direction direction() { return static_cast<Parameter::Direction>(whole(1, 3)); }

 private:
  Random m_r;
};

Parameter randomSettings(Draw& d, int w, int h) {
  Parameter p;
  double const extent = w + h;
  p.setCompletion(d.chance(0.3) ? 1.0 : d.real(0.0, 1.0))
      .setCenter(Vector<double>(d.real(-0.2 * w, 1.2 * w), d.real(-0.2 * h, 1.2 * h)))
      .setAlign(d.real(0.0, 1.0))
      .setDirection(d.chance(0.2) ? 1.5707963267948966 * d.whole(0, 3) : d.real(0.0, 6.283185307179586))
      .setTotalWidth(d.chance(0.05) ? d.real(0.0, 0.2) : d.real(0.5, 2.0) * extent)
      .setWidthNum(d.whole(1, 3))
      .setWidthMax1(d.real(0.2, 12.0))
      .setWidthMax2(d.real(0.2, 30.0))
      .setWidthMax3(d.real(0.2, 6.0))
      .setWidthMin(d.real(0.0, 1.0))
      .setWidthPower(d.real(0.0, 3.0))
      .setGapNum(d.whole(1, 3))
      .setGapMax1(d.chance(0.3) ? 0.0 : d.real(0.0, 5.0))
      .setGapMax2(d.real(0.0, 9.0))
      .setGapMax3(d.real(0.0, 2.0))
      .setGapMin(d.real(0.0, 1.0))
      .setGapPower(d.real(0.0, 3.0))
      .setWidthSeed(d.whole(0, 1000))
      .setOutside(static_cast<BorderType>(d.whole(0, 3)))
      .setOriginal(d.chance(0.5));
  p.setSliceCompletion(d.real(0.0, 1.0)).setSliceDelay(d.real(0.0, 1.0)).setSlicePer(d.whole(1, 3))
      .setSliceOffset(d.whole(-3, 3)).setSliceDirection(d.direction())
      .setSliceMax(d.chance(0.3) ? 0.0 : d.real(0.0, 0.5 * extent)).setSliceMin(d.real(0.0, 1.0))
      .setSlicePower(d.real(0.0, 3.0)).setSliceSeed(d.whole(0, 1000)).setSliceOrder(d.order())
      .setSliceOrderPhase(d.real(-1.0, 1.0)).setSliceOrderSeed(d.whole(0, 1000))
      .setSliceEasingType(d.easing()).setSliceEasingMode(d.mode());
  p.setRGBCompletion(d.real(0.0, 1.0)).setRGBDelay(d.real(0.0, 1.0)).setRGBPer(d.whole(1, 3))
      .setRGBOffset(d.whole(-3, 3)).setRGBMax(d.chance(0.3) ? 0.0 : d.real(0.0, 12.0)).setRGBMin(d.real(0.0, 1.0))
      .setRGBSeed(d.whole(0, 1000)).setRGBOrder(d.order()).setRGBOrderPhase(d.real(-1.0, 1.0))
      .setRGBOrderSeed(d.whole(0, 1000)).setRGBEasingType(d.easing()).setRGBEasingMode(d.mode());
  if (d.chance(0.5)) p.setRGBColor(d.colour(), d.colour(), d.colour());
  p.setColorCompletion(d.real(0.0, 1.0)).setColorDelay(d.real(0.0, 1.0)).setColorPer(d.whole(1, 3))
      .setColorOffset(d.whole(-3, 3)).setColorType(static_cast<Parameter::ColorType>(d.whole(1, 3)))
      .setColorBlendWithOriginal(d.chance(0.4) ? 0.0 : d.real(0.0, 1.0)).setColorColor(d.colour())
      .setColorHDirection(d.direction()).setColorH(d.chance(0.5) ? 0.0 : d.real(0.0, 180.0))
      .setColorHMin(d.real(0.0, 1.0)).setColorLDirection(d.direction()).setColorL(d.real(0.0, 0.5))
      .setColorLMin(d.real(0.0, 1.0)).setColorSDirection(d.direction()).setColorS(d.real(0.0, 0.5))
      .setColorSMin(d.real(0.0, 1.0)).setColorSeed(d.whole(0, 1000)).setColorOrder(d.order())
      .setColorOrderPhase(d.real(-1.0, 1.0)).setColorOrderSeed(d.whole(0, 1000)).setColorEasingType(d.easing())
      .setColorEasingMode(d.mode());
  p.setCompositeCompletion(d.real(0.0, 1.0)).setCompositeDelay(d.real(0.0, 1.0)).setCompositePer(d.whole(1, 3))
      .setCompositeOffset(d.whole(-3, 3)).setCompositeOpacity(d.chance(0.3) ? 0.0 : d.real(0.0, 1.0))
      .setCompositeNum(d.whole(1, 3)).setCompositeColor1(d.colour()).setCompositeColor2(d.colour())
      .setCompositeColor3(d.colour())
      .setCompositeVarianceSpace(static_cast<Parameter::ColorSpace>(d.whole(1, 3)))
      .setCompositeOverlap(static_cast<Parameter::CompositeOverlap>(d.whole(1, 2)))
      .setCompositeVariance1(d.real(0.0, 1.0)).setCompositeVariance2(d.real(0.0, 1.0))
      .setCompositeVariance3(d.real(0.0, 1.0)).setCompositeSeed(d.whole(0, 1000)).setCompositeOrder(d.order())
      .setCompositeOrderPhase(d.real(-1.0, 1.0)).setCompositeOrderSeed(d.whole(0, 1000))
      .setCompositeEasingType(d.easing()).setCompositeEasingMode(d.mode());
  p.setTransitionCompletion(d.chance(0.3) ? 0.0 : d.real(0.0, 1.0)).setTransitionDelay(d.real(0.0, 1.0))
      .setTransitionPer(d.whole(1, 3)).setTransitionOffset(d.whole(-3, 3))
      .setTransitionType(static_cast<Parameter::TransitionType>(d.whole(1, 7)))
      .setTransitionTypeSeed(d.whole(0, 1000)).setTransitionOrder(d.order())
      .setTransitionOrderPhase(d.real(-1.0, 1.0)).setTransitionOrderSeed(d.whole(0, 1000))
      .setTransitionEasingType(d.easing()).setTransitionEasingMode(d.mode());
  return p;
}

// Straight colours with transparent, partly and fully opaque pixels.
Sim::Image randomLayer(Draw& d, int w, int h, Depth depth) {
  Sim::Image img(w, h, depth);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double const a = d.chance(0.1) ? 0.0 : (d.chance(0.5) ? 1.0 : d.real(0.0, 1.0));
      img.set(x, y, Sim::RGBA{static_cast<float>(a), static_cast<float>(d.real(0.0, 1.0)),
                              static_cast<float>(d.real(0.0, 1.0)), static_cast<float>(d.real(0.0, 1.0))});
    }
  }
  return img;
}

TEST(LinesReference, EngineDrawsWhatThePlainRendererDraws) {
  Depth const depths[] = {Depth::Bits8, Depth::Bits16, Depth::Bits32};
  for (int seed = 1; seed <= 240; ++seed) {
    Draw d(seed);
    Depth const depth = depths[seed % 3];
    int const w = d.whole(1, 48), h = d.whole(1, 40);
    Parameter const p = randomSettings(d, w, h);
    Sim::Image const layer = randomLayer(d, w, h, depth);
    Sim::Image const under = randomLayer(d, w, h, depth);  // a composite layer already holding colour
    Rect area(0, 0, w, h);
    if (d.chance(0.3)) {
      area.left = d.whole(-3, w - 1);
      area.top = d.whole(-3, h - 1);
      area.right = d.whole(area.left + 1, w + 3);
      area.bottom = d.whole(area.top + 1, h + 3);
    }
    SCOPED_TRACE(::testing::Message() << "seed " << seed << ", " << Sim::depthName(depth) << ", " << w << " x "
                                      << h);

    Sim::Image expected, expected_comp;
    {
      test::Scene scene(layer);
      scene.setComposite(under);
      Lines::Impl const e(scene.in(), w, h, p);
      test::referenceLines(e, scene.source, scene.composite, scene.output, area);
      expected = scene.outputImage();
      expected_comp = scene.compositeImage();
    }
    for (int threads : {1, 3}) {
      test::Scene scene(layer);
      scene.setComposite(under);
      LinesMulti(scene.source, scene.composite, scene.output, area, threads, scene.in(), p);
      ASSERT_EQ(scene.outputImage(), expected) << threads << " threads";
      ASSERT_EQ(scene.compositeImage(), expected_comp) << threads << " threads";
      ASSERT_TRUE(scene.paddingIntact());
    }
  }
}

}  // namespace
}  // namespace Brelo
