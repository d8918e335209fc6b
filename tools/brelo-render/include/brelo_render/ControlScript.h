// Several control settings in one text, as the frei0r filters take them:
//
//   Max Slice=80;Direction=45;Completion=0@0;100@2
//
// Settings are separated by newlines or by ';'. A ';' followed by text that
// names no control (no '=' before its first '@') continues the keyframe list
// before it, so "Completion=0@0;100@2" stays one setting.
#pragma once

#include <string>
#include <vector>

#include "brelo_render/EffectControls.h"

namespace Brelo {
namespace Render {

// The settings in order, each "NAME=VALUE" as --set takes it; blank ones
// are left out. Throws RenderError (usage) for a setting with no '=' that
// continues nothing.
std::vector<std::string> splitControlScript(std::string const& text);

// Applies every setting as --set does, in order, then sends the user-interface
// update once. Throws RenderError (usage) for bad settings, RenderError
// (module) when the effect fails.
void applyControlScript(EffectControls& controls, std::string const& text);

}  // namespace Render
}  // namespace Brelo
