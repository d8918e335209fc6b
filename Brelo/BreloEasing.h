// Maps a linear progress value onto one of the classic easing curves. The engines pass
// every per-element progress through an Easing of the user's easing type and mode.
#pragma once

#include <cstdint>


namespace Brelo {

// Values are the 1-based popup numbers. Back and Elastic exist only here:
// no popup offers them.
enum class EasingType : std::int32_t {
  Linear = 1,
  Quad = 2,
  Cubic = 3,
  Quart = 4,
  Quint = 5,
  Expo = 6,
  Circ = 7,
  Sine = 8,
  Bounce = 9,
  Back = 10,
  Elastic = 11,
};

enum class EasingMode : std::int32_t {
  In = 1,
  Out = 2,
  InOut = 3,
};

class Easing {
 public:
  // Linear, InOut.
  Easing() = default;
  // Stores both as given; values out of range are handled by getTime.
  Easing(EasingType type, EasingMode mode) : m_type(type), m_mode(mode) {}

  void setEasingType(EasingType type) { m_type = type; }
  void setEasingMode(EasingMode mode) { m_mode = mode; }
  EasingType getEasingType() const { return m_type; }
  EasingMode getEasingMode() const { return m_mode; }

  // t <= 0 (or NaN) gives 0 and t >= 1 gives 1 for every curve. An unknown
  // type is linear; a known curve with an unknown mode gives 0. Back and
  // Elastic overshoot 0 ... 1 inside the interval.
  double getTime(double t) const;

 private:
  EasingType m_type = EasingType::Linear;
  EasingMode m_mode = EasingMode::InOut;
};

}  // namespace Brelo
