// Popup entries (1-based) to the enumerations the engines take, for the menus
// both effects share. A value out of range, such as one from a project of a
// later version, falls back to the menu's first entry.
#pragma once

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloEasing.h"

namespace Brelo {

// `entry` when it lies in [2, last], else 1.
inline int popupEntry(int entry, int last) { return entry >= 2 && entry <= last ? entry : 1; }

// "Linear|Quad|Cubic|Quart|Quint|Expo|Circ|Sine|Bounce" and the entries after it.
inline EasingType easingTypeEntry(int entry) { return static_cast<EasingType>(popupEntry(entry, 11)); }
// "In|Out|InOut".
inline EasingMode easingModeEntry(int entry) { return static_cast<EasingMode>(popupEntry(entry, 3)); }

// The blending menu from "Normal" on, `k` counting from "Normal" as 1:
// "Normal|(-|Add|Multiply|Screen|Overlay|Soft Light|Hard Light|(-|Color Dodge|
// Color Burn|(-|Darken|Lighten|Difference|Exclusion|(-|Hue|Saturation|
// Luminosity". A separator stands for the mode after it; anything else
// gives Normal.
BlendMode blendModeFromNormal(int k);

}  // namespace Brelo
