#include "Util/PopupMappers.h"

namespace Brelo {

BlendMode blendModeFromNormal(int k) {
  static constexpr int kModes[] = {1, 1, 2, 3, 4, 5, 6, 7, 7, 8, 9, 9, 10, 11, 12, 13, 13, 14, 15};
  constexpr int kCount = static_cast<int>(sizeof kModes / sizeof kModes[0]);
  // Entry 1 is Normal itself, entries 2 to 20 are in the table.
  return k >= 2 && k <= kCount + 1 ? static_cast<BlendMode>(kModes[k - 2]) : BlendMode::Normal;
}

}  // namespace Brelo
