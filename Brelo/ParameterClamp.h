// The clamps of the effects' parameter records. A value that is not a number
// (an expression gone wrong, say) never reaches an engine: it takes the lower
// bound, or 0 where a field has no bound.
#pragma once

#include <cmath>

#include "Brelo/BreloMath.h"

namespace Brelo {
namespace ParameterClamp {

inline double finite(double v) { return std::isfinite(v) ? v : 0.0; }

inline double atLeast(double v, double lo) { return std::isnan(v) ? lo : (v < lo ? lo : (std::isinf(v) ? lo : v)); }

inline double between(double v, double lo, double hi) {
  if (std::isnan(v)) return lo;
  return v < lo ? lo : (v > hi ? hi : v);
}

inline double unit(double v) { return between(v, 0.0, 1.0); }

inline double nonNegative(double v) { return atLeast(v, 0.0); }

// Enumerations, seeds and colours are stored as they come: the engines cope
// with any value.
template <class T>
T keep(T v) {
  return v;
}

// Width, gap, height, colour and composite counts: "One|Two|Three".
inline int classCount(int v) { return v > 3 ? 3 : (v <= 0 ? 1 : v); }

// Every Per-th element takes part; never below 1, so it is safe as a divisor.
inline int per(int v) { return v <= 0 ? 1 : v; }

// Into [0, 2pi): remainder with the sign of the dividend, plus 2pi when negative.
inline double wrapAngle(double v) {
  if (!std::isfinite(v)) return 0.0;
  double r = std::fmod(v, kTwoPi);
  if (r < 0.0) r += kTwoPi;
  return r;
}

}  // namespace ParameterClamp
}  // namespace Brelo

// A parameter class's field: the member m_<name> starting at `initial`, the getter <name>()
// and the setter set<Name>(v), which stores ParameterClamp::<clamp>(v) and returns the
// object, so that calls chain. Every member is private, so the class stays standard-layout.
#define BRELO_FIELD(Class, T, name, Name, clamp, initial)                      \
 public:                                                                       \
  T name() const { return m_##name; }                                          \
  Class& set##Name(T v) {                                                      \
    m_##name = ::Brelo::ParameterClamp::clamp(v);                              \
    return *this;                                                              \
  }                                                                            \
 private:                                                                      \
  T m_##name = initial;                                                        \
 public:

// A value type's field list gives every field in the order of the members as
// X(..., name, Name, type, initial, clamp, [control,] read), the leading arguments passed
// through: `clamp` bounds the value `v`, `read` names the reading of its control in the
// shells. These are the member, and the member bounded by `clamp`.
#define BRELO_LIST_MEMBER(holder, name, Name, T, initial, ...) T name = initial;
#define BRELO_LIST_CLAMP(holder, name, Name, T, initial, clamp, ...) \
  {                                                                  \
    T const v = holder.name;                                         \
    holder.name = clamp;                                             \
  }

// A value type's clamped`params`: a copy with every field of `List` bounded;
// `params` declares what the clamps name beyond the value.
#define BRELO_LIST_CLAMPED(Type, List, params) \
  Type clamped params const {                  \
    using namespace ::Brelo::ParameterClamp;   \
    Type c = *this;                            \
    List(BRELO_LIST_CLAMP, c)                  \
    return c;                                  \
  }

// The field `field` of a parameter class's member `member`, whose type
// clamps itself with clamped(): the getter <name>_<field>() and the setter
// set<Name><Field>(v), which clamps the member and returns the object.
#define BRELO_MEMBER_FIELD(Class, member, name, Name, field, Field, T, ...)    \
  T name##_##field() const { return member.field; }                            \
  Class& set##Name##Field(T v) {                                               \
    member.field = v;                                                          \
    member = member.clamped();                                                 \
    return *this;                                                              \
  }
