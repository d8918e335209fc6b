// Where both effects' elements lie: the pattern's centre (layer or buffer pixels, as the
// holder says), its direction (radians) and total width (pixels), and the width and gap
// classes each element is drawn from (count "One|Two|Three", the three maxima in pixels,
// the minimum as a fraction of the maximum, the power of the random curve, the seed).
#pragma once

#include "Brelo/BreloLimits.h"
#include "Brelo/ParameterClamp.h"
#include "Brelo/Vector.h"

// The field list (see BRELO_LIST_MEMBER). NaN takes the lower bound;
// least_width is the holder's least width maximum.
#define BRELO_PATTERN_FIELDS(X, ...)                                                                       \
  X(__VA_ARGS__, center, Center, ::Brelo::Vector<double>, (::Brelo::Vector<double>(0.0, 0.0)), v, pointOf) \
  X(__VA_ARGS__, direction, Direction, double, 0.0, wrapAngle(v), radiansOf)                               \
  X(__VA_ARGS__, total_width, TotalWidth, double, 1000.0, between(v, 0.0, kMaxTotalWidth), lengthOf)       \
  X(__VA_ARGS__, width_num, WidthNum, int, 1, classCount(v), popupOf)                                      \
  X(__VA_ARGS__, width_max1, WidthMax1, double, 100.0, atLeast(v, least_width), lengthOf)                  \
  X(__VA_ARGS__, width_max2, WidthMax2, double, 100.0, atLeast(v, least_width), lengthOf)                  \
  X(__VA_ARGS__, width_max3, WidthMax3, double, 100.0, atLeast(v, least_width), lengthOf)                  \
  X(__VA_ARGS__, width_min, WidthMin, double, 1.0, unit(v), fractionOf)                                    \
  X(__VA_ARGS__, width_power, WidthPower, double, 1.0, atLeast(v, 0.0), realOf)                            \
  X(__VA_ARGS__, gap_num, GapNum, int, 1, classCount(v), popupOf)                                          \
  X(__VA_ARGS__, gap_max1, GapMax1, double, 0.0, atLeast(v, 0.0), lengthOf)                                \
  X(__VA_ARGS__, gap_max2, GapMax2, double, 0.0, atLeast(v, 0.0), lengthOf)                                \
  X(__VA_ARGS__, gap_max3, GapMax3, double, 0.0, atLeast(v, 0.0), lengthOf)                                \
  X(__VA_ARGS__, gap_min, GapMin, double, 0.0, unit(v), fractionOf)                                        \
  X(__VA_ARGS__, gap_power, GapPower, double, 1.0, atLeast(v, 0.0), realOf)                                \
  X(__VA_ARGS__, width_seed, WidthSeed, int, 0, v, sliderOf)

namespace Brelo {

struct Pattern {
  BRELO_PATTERN_FIELDS(BRELO_LIST_MEMBER, *this)

  BRELO_LIST_CLAMPED(Pattern, BRELO_PATTERN_FIELDS, (double least_width))
};

}  // namespace Brelo

// The flat accessors of a parameter class's member m_pattern: pattern() and setPattern(p),
// and for each field <field>() and set<Field>(v), which clamps that field alone as
// Pattern::clamped(least_width) does. Every setter returns the object, so calls chain.
#define BRELO_PATTERN_FIELD(Class, least_width, field, Field, T, initial, clamp, read) \
  T field() const { return m_pattern.field; }                                          \
  Class& set##Field(T v) {                                                             \
    ::Brelo::Pattern p = m_pattern;                                                    \
    p.field = v;                                                                       \
    m_pattern.field = p.clamped(least_width).field;                                    \
    return *this;                                                                      \
  }

#define BRELO_PATTERN_ACCESSORS(Class, least_width)             \
  ::Brelo::Pattern const& pattern() const { return m_pattern; } \
  Class& setPattern(::Brelo::Pattern const& p) {                \
    m_pattern = p.clamped(least_width);                         \
    return *this;                                               \
  }                                                             \
  BRELO_PATTERN_FIELDS(BRELO_PATTERN_FIELD, Class, least_width)
