// When each element of an animated channel moves. Every animated channel of
// both effects (Lines' slice, RGB separation, colour correction, composite
// and wipe; SimpleLines' wipe) carries one, from the pre-render record to the
// engine:
//   per, offset       every per-th element from `offset` on takes part
//                     (SimpleLines' wipe takes every bar: 1 and 0);
//   completion, delay the channel's progress and the stagger between ranks,
//                     fractions 0..1 (see Transition);
//   order, order_phase (turns), order_seed
//                     how the elements are ranked (see setOrders);
//   easing_type, easing_mode
//                     the curve each element's progress follows.
#pragma once

#include "Brelo/BreloEasing.h"
#include "Brelo/BreloTransition.h"
#include "Brelo/ParameterClamp.h"

namespace Brelo {

// Laid out without padding, so that records holding it compare as bytes.
struct Schedule {
  int per = 1;
  int offset = 0;
  double completion = 1.0;
  double delay = 0.1;
  double order_phase = 0.0;
  OrderType order = OrderType::Normal;
  int order_seed = 0;
  EasingType easing_type = EasingType::Linear;
  EasingMode easing_mode = EasingMode::InOut;

  // The same with per at least 1, completion and delay in 0..1 and a finite
  // phase (NaN takes the lower bound, an infinite phase 0); the offset, the
  // seed and the enumerations stay as they are.
  Schedule clamped() const;
};

static_assert(sizeof(Schedule) == 2 * sizeof(int) + 3 * sizeof(double) + 4 * sizeof(int), "no padding");

}  // namespace Brelo

// The flat accessors of a parameter class's schedule member m_<name>:
// <name>_schedule() and set<Name>Schedule(s), and for each field
// <name>_<field>() and set<Name><Field>(v). Every setter clamps as
// Schedule::clamped does and returns the object, so that calls chain.
#define BRELO_SCHEDULE_ACCESSORS(Class, name, Name)                                                 \
  ::Brelo::Schedule const& name##_schedule() const { return m_##name; }                             \
  Class& set##Name##Schedule(::Brelo::Schedule const& s) {                                          \
    m_##name = s.clamped();                                                                         \
    return *this;                                                                                   \
  }                                                                                                 \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, per, Per, int)                                    \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, offset, Offset, int)                              \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, completion, Completion, double)                   \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, delay, Delay, double)                             \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, order, Order, ::Brelo::OrderType)                 \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, order_phase, OrderPhase, double)                  \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, order_seed, OrderSeed, int)                       \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, easing_type, EasingType, ::Brelo::EasingType)     \
  BRELO_MEMBER_FIELD(Class, m_##name, name, Name, easing_mode, EasingMode, ::Brelo::EasingMode)
