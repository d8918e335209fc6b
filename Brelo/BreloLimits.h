// Limits shared by the controls and the engines' parameter records.
#pragma once

namespace Brelo {

// Upper limit of "Total Width" and of both engines' setTotalWidth. It admits
// the extent of a 30000 x 30000 layer across the strips at any direction
// (30000 * sqrt(2), about 42427 pixels) with room to spare.
constexpr double kMaxTotalWidth = 100000.0;

}  // namespace Brelo
