// Limits shared by the controls of both effects and the clamps of their engines, so that
// a value the user can enter is never clamped differently at render.
#pragma once

namespace Brelo {

// Upper limit of "Total Width", both as the control's range and as the
// engines' clamp. "Optimum Total Width" sets it to the layer's extent across
// the strips, at most the diagonal: 30000 x 30000 layers need about 42427.
// The value is exact in single precision, as the host keeps slider limits.
constexpr double kMaxTotalWidth = 50000.0;

}  // namespace Brelo
