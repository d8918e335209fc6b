// When each element of an animated channel (of either effect) moves: every per-th element
// from `offset` on takes part; completion and delay (0..1) are the channel's progress and
// the stagger between ranks (see Transition); order, order_phase (turns) and order_seed
// rank the elements (see setOrders); the easing is the curve each element's progress follows.
#pragma once

#include "Brelo/BreloEasing.h"
#include "Brelo/BreloTransition.h"
#include "Brelo/ParameterClamp.h"

// The field list (see BRELO_LIST_MEMBER). NaN takes the lower bound, an
// infinite phase 0; the order's menu is the channel's.
#define BRELO_SCHEDULE_FIELDS(X, ...)                                                                           \
  X(__VA_ARGS__, per, Per, int, 1, ParameterClamp::per(v), sliderOf)                                            \
  X(__VA_ARGS__, offset, Offset, int, 0, v, sliderOf)                                                           \
  X(__VA_ARGS__, completion, Completion, double, 1.0, unit(v), fractionOf)                                      \
  X(__VA_ARGS__, delay, Delay, double, 0.1, unit(v), fractionOf)                                                \
  X(__VA_ARGS__, order_phase, OrderPhase, double, 0.0, finite(v), turnsOf)                                      \
  X(__VA_ARGS__, order, Order, ::Brelo::OrderType, OrderType::Normal, v, popupOf)                               \
  X(__VA_ARGS__, order_seed, OrderSeed, int, 0, v, sliderOf)                                                    \
  X(__VA_ARGS__, easing_type, EasingType, ::Brelo::EasingType, EasingType::Linear, v, popupAs<easingTypeEntry>) \
  X(__VA_ARGS__, easing_mode, EasingMode, ::Brelo::EasingMode, EasingMode::InOut, v, popupAs<easingModeEntry>)

namespace Brelo {

// Laid out without padding, so that records holding it compare as bytes.
struct Schedule {
  BRELO_SCHEDULE_FIELDS(BRELO_LIST_MEMBER, *this)

  BRELO_LIST_CLAMPED(Schedule, BRELO_SCHEDULE_FIELDS, ())
};

static_assert(sizeof(Schedule) == 2 * sizeof(int) + 3 * sizeof(double) + 4 * sizeof(int), "no padding");

}  // namespace Brelo

// The flat accessors of a parameter class's schedule member m_<name>: <name>_schedule()
// and set<Name>Schedule(s), and for each field <name>_<field>() and set<Name><Field>(v).
// Every setter clamps as Schedule::clamped does and returns the object, so calls chain.
#define BRELO_SCHEDULE_ACCESSORS(Class, name, Name)                     \
  ::Brelo::Schedule const& name##_schedule() const { return m_##name; } \
  Class& set##Name##Schedule(::Brelo::Schedule const& s) {              \
    m_##name = s.clamped();                                             \
    return *this;                                                       \
  }                                                                     \
  BRELO_SCHEDULE_FIELDS(BRELO_MEMBER_FIELD, Class, m_##name, name, Name)
