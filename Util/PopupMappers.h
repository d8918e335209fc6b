// The menus both effects share, and their entries (1-based) to the engines'
// enumerations; out of range (say, from a later version) gives the first.
#pragma once

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloEasing.h"

namespace Brelo {

inline constexpr char kModeMenu[] = "One|Two|Three";
inline constexpr char kDirectionMenu[] = "One|Alternately|Both";
inline constexpr char kColorSpaceMenu[] = "RGB|HLS|YUV";
inline constexpr char kOverlapMenu[] = "Clip|Wrap Back";
inline constexpr char kEasingTypeMenu[] = "Linear|Quad|Cubic|Quart|Quint|Expo|Circ|Sine|Bounce";
inline constexpr char kEasingModeMenu[] = "In|Out|InOut";
// SimpleLines offers "None" first; Lines starts at "Normal".
inline constexpr char kBlendingModeMenuWithNone[] =
    "None|(-|Normal|(-|Add|Multiply|Screen|Overlay|Soft Light|Hard Light|(-|Color Dodge|Color Burn|(-|Darken|"
    "Lighten|Difference|Exclusion|(-|Hue|Saturation|Luminosity";
inline constexpr const char* kBlendingModeMenu = kBlendingModeMenuWithNone + sizeof "None|(-|" - 1;

// `entry` when it lies in [2, last], else 1.
inline int popupEntry(int entry, int last) { return entry >= 2 && entry <= last ? entry : 1; }

// The enumerator of `entry` in a menu of `Last` entries whose enumerators are
// the entries' numbers.
template <class Enum, int Last>
Enum menuEntry(int entry) {
  return static_cast<Enum>(popupEntry(entry, Last));
}

// kEasingTypeMenu and the entries after it.
inline constexpr auto easingTypeEntry = menuEntry<EasingType, 11>;
// kEasingModeMenu.
inline constexpr auto easingModeEntry = menuEntry<EasingMode, 3>;

// kBlendingModeMenu's entry `k` ("Normal" is 1). A separator stands for the
// mode after it; anything else gives Normal.
inline BlendMode blendModeFromNormal(int k) {
  static constexpr int kModes[] = {1, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 9, 10, 11, 12, 13, 13, 14, 15};
  constexpr int kCount = static_cast<int>(sizeof kModes / sizeof kModes[0]);
  // Entry 1 is Normal itself, entries 2 to 20 are in the table.
  return k >= 2 && k <= kCount + 1 ? static_cast<BlendMode>(kModes[k - 2]) : BlendMode::Normal;
}

}  // namespace Brelo
