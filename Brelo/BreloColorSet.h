// The colours both effects draw their elements from: how many of the three take
// part ("One|Two|Three"), the colours (components 0..1), the space and overlap
// rule of their random variance, each component's variance (0..1), the seed.
#pragma once

#include "Brelo/BreloColorVariance.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/ParameterClamp.h"

// The field list (see BRELO_LIST_MEMBER); `control` numbers the set's
// controls from its first. NaN takes 0.
#define BRELO_COLOR_SET_FIELDS(X, ...)                                                                           \
  X(__VA_ARGS__, variance1, Variance1, double, 0.0, unit(v), 6, fractionOf)                                      \
  X(__VA_ARGS__, variance2, Variance2, double, 0.0, unit(v), 7, fractionOf)                                      \
  X(__VA_ARGS__, variance3, Variance3, double, 0.0, unit(v), 8, fractionOf)                                      \
  X(__VA_ARGS__, color1, Color1, ColorFloat<float>, (ColorFloat<float>(1.0f, 1.0f, 0.0f, 0.0f)), v, 1, colourOf) \
  X(__VA_ARGS__, color2, Color2, ColorFloat<float>, (ColorFloat<float>(1.0f, 1.0f, 1.0f, 1.0f)), v, 2, colourOf) \
  X(__VA_ARGS__, color3, Color3, ColorFloat<float>, (ColorFloat<float>(1.0f, 0.0f, 0.0f, 1.0f)), v, 3, colourOf) \
  X(__VA_ARGS__, num, Num, int, 1, classCount(v), 0, popupOf)                                                    \
  X(__VA_ARGS__, variance_space, VarianceSpace, ::Brelo::ColorSpace, ::Brelo::ColorSpace::RGB, v, 4, popupOf)    \
  X(__VA_ARGS__, overlap, Overlap, ::Brelo::ColorOverlap, ::Brelo::ColorOverlap::Clip, v, 5, popupOf)            \
  X(__VA_ARGS__, seed, Seed, int, 0, v, 9, sliderOf)

namespace Brelo {

// Laid out without padding, so that records holding it compare as bytes.
struct ColorSet {
  BRELO_COLOR_SET_FIELDS(BRELO_LIST_MEMBER, *this)

  BRELO_LIST_CLAMPED(ColorSet, BRELO_COLOR_SET_FIELDS, ())
};

static_assert(sizeof(ColorSet) == 3 * sizeof(double) + 3 * sizeof(ColorFloat<float>) + 4 * sizeof(int), "no padding");

}  // namespace Brelo

// The flat accessors of a parameter class's colour set `member`: <name>_colors() and
// set<Name>Colors(c), and for each field <name>_<field>() and set<Name><Field>(v). Every
// setter clamps as ColorSet::clamped does and returns the object, so that calls chain.
#define BRELO_COLOR_SET_ACCESSORS(Class, member, name, Name)        \
  ::Brelo::ColorSet const& name##_colors() const { return member; } \
  Class& set##Name##Colors(::Brelo::ColorSet const& c) {            \
    member = c.clamped();                                           \
    return *this;                                                   \
  }                                                                 \
  BRELO_COLOR_SET_FIELDS(BRELO_MEMBER_FIELD, Class, member, name, Name)
