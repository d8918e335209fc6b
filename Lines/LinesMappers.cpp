#include "Lines/LinesMappers.h"

namespace Brelo {

namespace {

// entry when it lies in [2, last], else 1.
int inRangeOrFirst(int entry, int last) { return entry >= 2 && entry <= last ? entry : 1; }

}  // namespace

LinesParameter::Direction getDirection(int entry) {
  return static_cast<LinesParameter::Direction>(inRangeOrFirst(entry, 3));
}

LinesParameter::ColorType getColorType(int entry) {
  return static_cast<LinesParameter::ColorType>(static_cast<int>(getDirection(entry)));
}

OrderType getOrderType(int entry) { return static_cast<OrderType>(inRangeOrFirst(entry, 6)); }

EasingType getEasingType(int entry) { return static_cast<EasingType>(inRangeOrFirst(entry, 11)); }

EasingMode getEasingMode(int entry) { return static_cast<EasingMode>(inRangeOrFirst(entry, 3)); }

LinesParameter::TransitionType getTransitionType(int entry) {
  return static_cast<LinesParameter::TransitionType>(inRangeOrFirst(entry, 7));
}

LinesParameter::ColorSpace getColorSpace(int entry) {
  return static_cast<LinesParameter::ColorSpace>(inRangeOrFirst(entry, 3));
}

LinesParameter::CompositeOverlap getCompositeOverlap(int entry) {
  return static_cast<LinesParameter::CompositeOverlap>(inRangeOrFirst(entry, 2));
}

BorderType getBorderType(int entry) {
  switch (entry) {
    case 2:
      return BorderType::Wrap;
    case 3:
      return BorderType::Reflect;
    default:
      return BorderType::None;
  }
}

BlendMode getBlendMode(int entry) {
  // Entries 2 to 20 of the menu; separators repeat the mode that follows them.
  static constexpr int kModes[] = {1, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 9, 10, 11, 12, 13, 13, 14, 15};
  if (entry >= 2 && entry <= 20) return static_cast<BlendMode>(kModes[entry - 2]);
  return BlendMode::Normal;
}

}  // namespace Brelo
