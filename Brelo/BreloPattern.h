// Where both effects' elements lie: the pattern's centre (layer or buffer
// pixels, as the holder says), its direction (radians) and total width
// (pixels), and the width and gap classes each element is drawn from (count
// "One|Two|Three", the three maxima in pixels, the minimum as a fraction of
// the maximum, the power of the random curve, the seed).
#pragma once

#include "Brelo/BreloLimits.h"
#include "Brelo/ParameterClamp.h"
#include "Brelo/Vector.h"

namespace Brelo {

struct Pattern {
  Vector<double> center{0.0, 0.0};
  double direction = 0.0;
  double total_width = 1000.0;
  int width_num = 1;
  double width_max1 = 100.0, width_max2 = 100.0, width_max3 = 100.0;
  double width_min = 1.0;
  double width_power = 1.0;
  int gap_num = 1;
  double gap_max1 = 0.0, gap_max2 = 0.0, gap_max3 = 0.0;
  double gap_min = 0.0;
  double gap_power = 1.0;
  int width_seed = 0;

  // The same with the direction wrapped into [0, 2pi), the total width in
  // [0, kMaxTotalWidth], the counts in 1..3, the width maxima at least
  // `least_width`, the gap maxima and powers at least 0 and the minima in 0..1
  // (NaN takes the lower bound).
  Pattern clamped(double least_width) const {
    using namespace ParameterClamp;
    Pattern p = *this;
    p.direction = wrapAngle(direction);
    p.total_width = between(total_width, 0.0, kMaxTotalWidth);
    p.width_num = classCount(width_num);
    p.width_max1 = atLeast(width_max1, least_width);
    p.width_max2 = atLeast(width_max2, least_width);
    p.width_max3 = atLeast(width_max3, least_width);
    p.width_min = unit(width_min);
    p.width_power = atLeast(width_power, 0.0);
    p.gap_num = classCount(gap_num);
    p.gap_max1 = atLeast(gap_max1, 0.0);
    p.gap_max2 = atLeast(gap_max2, 0.0);
    p.gap_max3 = atLeast(gap_max3, 0.0);
    p.gap_min = unit(gap_min);
    p.gap_power = atLeast(gap_power, 0.0);
    return p;
  }
};

}  // namespace Brelo

// The flat accessors of a parameter class's member m_pattern: pattern() and
// setPattern(p), and for each field <field>() and set<Field>(v), which clamps
// that field alone as Pattern::clamped(least_width) does. Every setter returns
// the object, so that calls chain.
#define BRELO_PATTERN_FIELD(Class, least_width, field, Field, T)               \
  T field() const { return m_pattern.field; }                                  \
  Class& set##Field(T v) {                                                     \
    ::Brelo::Pattern p = m_pattern;                                            \
    p.field = v;                                                               \
    m_pattern.field = p.clamped(least_width).field;                            \
    return *this;                                                              \
  }

#define BRELO_PATTERN_ACCESSORS(Class, least_width)                            \
  ::Brelo::Pattern const& pattern() const { return m_pattern; }                \
  Class& setPattern(::Brelo::Pattern const& p) {                               \
    m_pattern = p.clamped(least_width);                                        \
    return *this;                                                              \
  }                                                                            \
  BRELO_PATTERN_FIELD(Class, least_width, center, Center, ::Brelo::Vector<double>) \
  BRELO_PATTERN_FIELD(Class, least_width, direction, Direction, double)        \
  BRELO_PATTERN_FIELD(Class, least_width, total_width, TotalWidth, double)     \
  BRELO_PATTERN_FIELD(Class, least_width, width_num, WidthNum, int)            \
  BRELO_PATTERN_FIELD(Class, least_width, width_max1, WidthMax1, double)       \
  BRELO_PATTERN_FIELD(Class, least_width, width_max2, WidthMax2, double)       \
  BRELO_PATTERN_FIELD(Class, least_width, width_max3, WidthMax3, double)       \
  BRELO_PATTERN_FIELD(Class, least_width, width_min, WidthMin, double)         \
  BRELO_PATTERN_FIELD(Class, least_width, width_power, WidthPower, double)     \
  BRELO_PATTERN_FIELD(Class, least_width, gap_num, GapNum, int)                \
  BRELO_PATTERN_FIELD(Class, least_width, gap_max1, GapMax1, double)           \
  BRELO_PATTERN_FIELD(Class, least_width, gap_max2, GapMax2, double)           \
  BRELO_PATTERN_FIELD(Class, least_width, gap_max3, GapMax3, double)           \
  BRELO_PATTERN_FIELD(Class, least_width, gap_min, GapMin, double)             \
  BRELO_PATTERN_FIELD(Class, least_width, gap_power, GapPower, double)         \
  BRELO_PATTERN_FIELD(Class, least_width, width_seed, WidthSeed, int)
