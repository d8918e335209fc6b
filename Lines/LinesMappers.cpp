#include "Lines/LinesMappers.h"

#include "Util/PopupMappers.h"

namespace Brelo {

LinesParameter::Direction getDirection(int entry) {
  return static_cast<LinesParameter::Direction>(popupEntry(entry, 3));
}

LinesParameter::ColorType getColorType(int entry) {
  return static_cast<LinesParameter::ColorType>(static_cast<int>(getDirection(entry)));
}

OrderType getOrderType(int entry) { return static_cast<OrderType>(popupEntry(entry, 6)); }

LinesParameter::TransitionType getTransitionType(int entry) {
  return static_cast<LinesParameter::TransitionType>(popupEntry(entry, 7));
}

LinesParameter::ColorSpace getColorSpace(int entry) {
  return static_cast<LinesParameter::ColorSpace>(popupEntry(entry, 3));
}

LinesParameter::CompositeOverlap getCompositeOverlap(int entry) {
  return static_cast<LinesParameter::CompositeOverlap>(popupEntry(entry, 2));
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

}  // namespace Brelo
