// The tables brelo-render prints about controls: --list (what the module
// registered) and --values (what the effect reads at a time).
//
// Columns are separated by at least two spaces and no field holds two
// spaces in a row; an empty field reads "-".
#pragma once

#include <string>
#include <vector>

#include "brelo_render/ControlInfo.h"
#include "brelo_render/ControlValue.h"
#include "brelo_render/EffectControls.h"

namespace Brelo {
namespace Render {

// Columns: index, name, kind, default, range, group, notes, menu.
std::string formatControlList(std::vector<ControlInfo> const& controls, LayerSize layer);

// Columns: index, name, value (with "keyframed" for animated controls).
std::string formatControlValues(EffectControls const& controls, A_long time);

// Lays out rows of fields as aligned columns.
std::string formatTable(std::vector<std::vector<std::string>> const& rows);

}  // namespace Render
}  // namespace Brelo
