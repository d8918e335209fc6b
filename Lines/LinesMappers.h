// Popup entries (1-based) to the enumerations the Lines engine takes, for
// the menus of its own (the shared ones: Util/PopupMappers.h). A value out of
// range, such as one from a project of a later version, falls back to the
// first enumerator.
#pragma once

#include "Brelo/BreloTransition.h"
#include "Brelo/Border.h"
#include "Brelo/Effect/BreloLinesParameter.h"

namespace Brelo {

// Also gives "Color Correction Type" its ColorType: 2 and 3 as they are, else 1.
LinesParameter::Direction getDirection(int entry);
LinesParameter::ColorType getColorType(int entry);
OrderType getOrderType(int entry);
LinesParameter::TransitionType getTransitionType(int entry);
// "Composite Variance Space" and "Composite Overlap" follow the same rule, so
// that no value outside the menu reaches the engine.
LinesParameter::ColorSpace getColorSpace(int entry);
LinesParameter::CompositeOverlap getCompositeOverlap(int entry);
// "Outside": Transparent, Wrap, Reflect. Clamp is not offered.
BorderType getBorderType(int entry);

}  // namespace Brelo
