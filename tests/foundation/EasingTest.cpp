#include "Brelo/BreloEasing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace Brelo {
namespace {

struct Row {
  EasingType type;
  double in[3];
  double out[3];
  double inOut[3];
};

// getTime at 0.25, 0.5, 0.75, to six decimals.
Row const kTable[] = {
    {EasingType::Linear, {0.25, 0.5, 0.75}, {0.25, 0.5, 0.75}, {0.25, 0.5, 0.75}},
    {EasingType::Quad, {0.0625, 0.25, 0.5625}, {0.4375, 0.75, 0.9375}, {0.125, 0.5, 0.875}},
    {EasingType::Cubic, {0.015625, 0.125, 0.421875}, {0.578125, 0.875, 0.984375}, {0.0625, 0.5, 0.9375}},
    {EasingType::Quart, {0.003906, 0.0625, 0.316406}, {0.683594, 0.9375, 0.996094}, {0.03125, 0.5, 0.96875}},
    {EasingType::Quint, {0.000977, 0.03125, 0.237305}, {0.762695, 0.96875, 0.999023}, {0.015625, 0.5, 0.984375}},
    {EasingType::Expo, {0.005524, 0.03125, 0.176777}, {0.823223, 0.96875, 0.994476}, {0.015625, 0.5, 0.984375}},
    {EasingType::Circ, {0.031754, 0.133975, 0.338562}, {0.661438, 0.866025, 0.968246}, {0.066987, 0.5, 0.933013}},
    {EasingType::Sine, {0.07612, 0.292893, 0.617317}, {0.382683, 0.707107, 0.92388}, {0.146447, 0.5, 0.853553}},
    {EasingType::Bounce, {0.027344, 0.234375, 0.527344}, {0.472656, 0.765625, 0.972656}, {0.117188, 0.5, 0.882812}},
    {EasingType::Back, {-0.064137, -0.087698, 0.18259}, {0.81741, 1.087697, 1.064137}, {-0.099682, 0.5, 1.099682}},
    {EasingType::Elastic, {-0.005524, -0.015625, 0.088388}, {0.911612, 1.015625, 1.005524}, {0.011969, 0.5, 0.988031}},
};

EasingMode const kModes[] = {EasingMode::In, EasingMode::Out, EasingMode::InOut};

TEST(Easing, CurveTable) {
  double const ts[3] = {0.25, 0.5, 0.75};
  for (Row const& row : kTable) {
    for (EasingMode mode : kModes) {
      double const* expected = mode == EasingMode::In ? row.in : mode == EasingMode::Out ? row.out : row.inOut;
      Easing const easing(row.type, mode);
      for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(easing.getTime(ts[i]), expected[i], 1e-6)
            << "type " << static_cast<int>(row.type) << " mode " << static_cast<int>(mode) << " t " << ts[i];
      }
    }
  }
}

TEST(Easing, BounceSegments) {
  // One point in each of the four arcs, the last two on either side of 10/11.
  Easing const out(EasingType::Bounce, EasingMode::Out);
  EXPECT_NEAR(out.getTime(0.2), 0.3025, 1e-12);
  EXPECT_NEAR(out.getTime(0.6), 0.7725, 1e-12);
  EXPECT_NEAR(out.getTime(0.85), 0.94515625, 1e-12);
  EXPECT_NEAR(out.getTime(0.905), 0.9945015625, 1e-12);
  EXPECT_NEAR(out.getTime(0.95), 0.98453125, 1e-12);
  Easing const in(EasingType::Bounce, EasingMode::In);
  EXPECT_NEAR(in.getTime(0.15), 1.0 - 0.94515625, 1e-12);
  Easing const inOut(EasingType::Bounce, EasingMode::InOut);
  EXPECT_NEAR(inOut.getTime(0.2), 0.5 * (1.0 - 0.7725), 1e-12);
  EXPECT_NEAR(inOut.getTime(0.975), 0.5 * 0.98453125 + 0.5, 1e-12);
}

TEST(Easing, OutOfRangeInputsTypesAndModes) {
  for (int type = 0; type <= 13; ++type) {
    for (int mode = 0; mode <= 4; ++mode) {
      Easing const easing(static_cast<EasingType>(type), static_cast<EasingMode>(mode));
      EXPECT_EQ(easing.getTime(-0.3), 0.0);
      EXPECT_EQ(easing.getTime(1.7), 1.0);
      EXPECT_EQ(easing.getTime(0.0), 0.0);
      EXPECT_EQ(easing.getTime(1.0), 1.0);
      EXPECT_EQ(easing.getTime(-std::numeric_limits<double>::infinity()), 0.0);
      EXPECT_EQ(easing.getTime(std::numeric_limits<double>::infinity()), 1.0);
      // A NaN progress must not reach the pixels.
      EXPECT_EQ(easing.getTime(std::numeric_limits<double>::quiet_NaN()), 0.0);
      bool const curve = type >= 2 && type <= 11;
      bool const knownMode = mode >= 1 && mode <= 3;
      if (!curve) {
        EXPECT_EQ(easing.getTime(0.3), 0.3) << type << " " << mode;
      } else if (!knownMode) {
        EXPECT_EQ(easing.getTime(0.3), 0.0) << type << " " << mode;
      }
    }
  }
  EXPECT_EQ(Easing(EasingType::Quad, static_cast<EasingMode>(4)).getTime(0.5), 0.0);
  EXPECT_EQ(Easing(static_cast<EasingType>(12), EasingMode::In).getTime(0.5), 0.5);
}

TEST(Easing, ExpoAndElasticEndExactlyAndCurvesAreContinuous) {
  for (EasingType type : {EasingType::Expo, EasingType::Elastic}) {
    for (EasingMode mode : kModes) {
      Easing const easing(type, mode);
      EXPECT_EQ(easing.getTime(0.0), 0.0);
      EXPECT_EQ(easing.getTime(1.0), 1.0);
      // Near the ends the curves themselves are within 2^-10 of the end values.
      EXPECT_NEAR(easing.getTime(1e-9), 0.0, 1e-3);
      EXPECT_NEAR(easing.getTime(1.0 - 1e-9), 1.0, 1e-3);
    }
  }
  // Every curve in every mode: no jump larger than the slope allows (Circ is
  // steepest, sqrt(2h) at its ends), at the
  // InOut seam and across the bounce segments alike.
  for (int type = 1; type <= 11; ++type) {
    for (EasingMode mode : kModes) {
      Easing const easing(static_cast<EasingType>(type), mode);
      double previous = easing.getTime(0.0);
      for (int i = 1; i <= 10000; ++i) {
        double const v = easing.getTime(i / 10000.0);
        ASSERT_TRUE(std::isfinite(v));
        ASSERT_NEAR(v, previous, 0.02) << type << " " << static_cast<int>(mode) << " " << i;
        previous = v;
      }
      EXPECT_NEAR(easing.getTime(0.5 - 1e-12), easing.getTime(0.5 + 1e-12), 1e-5);  // Circ is vertical there
    }
  }
}

TEST(Easing, DefaultsSettersAndDeepCopies) {
  Easing const def;
  EXPECT_EQ(def.getEasingType(), EasingType::Linear);
  EXPECT_EQ(def.getEasingMode(), EasingMode::InOut);
  EXPECT_EQ(def.getTime(0.3), 0.3);

  Easing a(EasingType::Quad, EasingMode::In);
  Easing b(a);
  b.setEasingType(EasingType::Cubic);
  EXPECT_EQ(a.getTime(0.5), 0.25);
  EXPECT_EQ(b.getTime(0.5), 0.125);

  Easing c;
  c = a;
  a.setEasingMode(EasingMode::Out);
  EXPECT_EQ(c.getEasingMode(), EasingMode::In);
  EXPECT_EQ(c.getTime(0.5), 0.25);
  EXPECT_EQ(a.getTime(0.5), 0.75);

  Easing& self = c;
  c = self;
  EXPECT_EQ(c.getEasingType(), EasingType::Quad);
  EXPECT_EQ(c.getTime(0.5), 0.25);
}

}  // namespace
}  // namespace Brelo
