// The colours both effects draw their elements from (Lines' composite colours,
// SimpleLines' bar colours): how many of the three colours take part ("One|Two|Three"),
// the colours (components 0..1), the space and overlap rule of their random
// variance, the variance of each component as a fraction 0..1, and the seed.
#pragma once

#include "Brelo/BreloColorVariance.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/ParameterClamp.h"

namespace Brelo {

// Laid out without padding, so that records holding it compare as bytes.
struct ColorSet {
  double variance1 = 0.0, variance2 = 0.0, variance3 = 0.0;
  ColorFloat<float> color1{1.0f, 1.0f, 0.0f, 0.0f};
  ColorFloat<float> color2{1.0f, 1.0f, 1.0f, 1.0f};
  ColorFloat<float> color3{1.0f, 0.0f, 0.0f, 1.0f};
  int num = 1;
  ColorSpace variance_space = ColorSpace::RGB;
  ColorOverlap overlap = ColorOverlap::Clip;
  int seed = 0;

  // The same with the count in 1..3 and the variances in 0..1 (NaN takes 0);
  // colours, enumerations and the seed stay as they are.
  ColorSet clamped() const {
    using namespace ParameterClamp;
    ColorSet c = *this;
    c.num = classCount(num);
    c.variance1 = unit(variance1);
    c.variance2 = unit(variance2);
    c.variance3 = unit(variance3);
    return c;
  }
};

static_assert(sizeof(ColorSet) == 3 * sizeof(double) + 3 * sizeof(ColorFloat<float>) + 4 * sizeof(int), "no padding");

}  // namespace Brelo

// The flat accessors of a parameter class's colour set `member`:
// <name>_colors() and set<Name>Colors(c), and for each field <name>_<field>()
// and set<Name><Field>(v). Every setter clamps as ColorSet::clamped does and
// returns the object, so that calls chain.
#define BRELO_COLOR_SET_ACCESSORS(Class, member, name, Name)                                        \
  ::Brelo::ColorSet const& name##_colors() const { return member; }                                 \
  Class& set##Name##Colors(::Brelo::ColorSet const& c) {                                            \
    member = c.clamped();                                                                           \
    return *this;                                                                                   \
  }                                                                                                 \
  BRELO_MEMBER_FIELD(Class, member, name, Name, num, Num, int)                                      \
  BRELO_MEMBER_FIELD(Class, member, name, Name, color1, Color1, ::Brelo::ColorFloat<float>)         \
  BRELO_MEMBER_FIELD(Class, member, name, Name, color2, Color2, ::Brelo::ColorFloat<float>)         \
  BRELO_MEMBER_FIELD(Class, member, name, Name, color3, Color3, ::Brelo::ColorFloat<float>)         \
  BRELO_MEMBER_FIELD(Class, member, name, Name, variance_space, VarianceSpace, ::Brelo::ColorSpace) \
  BRELO_MEMBER_FIELD(Class, member, name, Name, overlap, Overlap, ::Brelo::ColorOverlap)            \
  BRELO_MEMBER_FIELD(Class, member, name, Name, variance1, Variance1, double)                       \
  BRELO_MEMBER_FIELD(Class, member, name, Name, variance2, Variance2, double)                       \
  BRELO_MEMBER_FIELD(Class, member, name, Name, variance3, Variance3, double)                       \
  BRELO_MEMBER_FIELD(Class, member, name, Name, seed, Seed, int)
