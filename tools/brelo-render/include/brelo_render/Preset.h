// Presets: the controls a user changed from their defaults, with their
// keyframes, as a JSON file that can be loaded onto the same effect again.
//
//   {
//     "brelo-render preset": 1,
//     "effect": "BreloLines",
//     "controls": {
//       "Completion": 50.0,
//       "Outside": "Wrap",
//       "Midtone": "#806446",
//       "Center": [320.0, 180.0],
//       "Original": true,
//       "Wipe Completion": {"keys": [[0.0, 0.0], [2.0, 100.0]]}
//     }
//   }
//
// Numbers are in the units the control shows (percent, degrees, pixels),
// key times in seconds; popups by entry text or number.
#pragma once

#include <string>

#include "brelo_render/EffectControls.h"

namespace Brelo {
namespace Render {

// The preset as JSON text.
std::string presetText(EffectControls const& controls);
// Writes it (complete or not at all). Throws RenderError (output).
void savePreset(EffectControls const& controls, std::string const& path);

// Applies a preset's controls in file order, as a saved project is loaded:
// no control tells the effect it changed. Throws RenderError (usage) for an
// unreadable or malformed file, a preset of another effect, unknown
// controls and bad values.
void loadPresetText(EffectControls& controls, std::string const& text, std::string const& source);
void loadPreset(EffectControls& controls, std::string const& path);

}  // namespace Render
}  // namespace Brelo
