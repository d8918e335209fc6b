// Finding a control by what the user calls it: its index, its registered
// name or the name the user interface shows now.
#pragma once

#include <string>
#include <vector>

#include "brelo_render/ControlInfo.h"

namespace Brelo {
namespace Render {

// The control named or numbered by `key` (exact name first, then ignoring
// case). Throws RenderError (usage) for an unknown control, suggesting the
// nearest names, and for a control that holds no value (groups, the layer).
ControlInfo const& findControl(std::vector<ControlInfo> const& controls, std::string const& key);

// Up to three names within a small edit distance of `key`, nearest first.
std::vector<std::string> nearestNames(std::vector<ControlInfo> const& controls, std::string const& key);

}  // namespace Render
}  // namespace Brelo
