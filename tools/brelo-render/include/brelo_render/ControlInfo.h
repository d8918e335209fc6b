// One control of a loaded effect as its module registered it: what
// brelo-render knows of a control without knowing the effect.
#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"

namespace Brelo {
namespace Sim {
class Instance;
}

namespace Render {

enum class ControlKind {
  Layer,
  IntSlider,
  FixedSlider,
  FloatSlider,
  Angle,
  Point,
  Popup,
  Checkbox,
  Color,
  GroupStart,
  GroupEnd,
  Other,  // registered with a kind brelo-render cannot set
};

const char* kindName(ControlKind kind);

struct ControlInfo {
  int index = 0;
  std::string name;       // as registered
  std::string shownName;  // after the user-interface update; equal to name when not renamed
  ControlKind kind = ControlKind::Other;
  bool limited = false;  // valid range below applies
  double validMin = 0, validMax = 0;
  double sliderMin = 0, sliderMax = 0;
  int precision = 0;  // decimals shown
  bool percent = false;
  // Default in the units the control shows: number, popup entry, checkbox
  // 0/1; colours in dfltColor; points as percent of the layer in dflt, dfltY.
  double dflt = 0, dfltY = 0;
  PF_Pixel dfltColor{};
  std::vector<std::string> menu;  // popup entries, "(-" for separators
  std::string checkboxLabel;
  std::string group;  // enclosing groups joined by "/", empty outside any
  bool fixedInTime = false;
  bool supervised = false;

  bool settable() const;  // has a value the user can set
  bool separator(int entry) const;
};

// Every parameter of the instance, index 0 (the layer) included. Call it
// right after parameter set-up, so that names are the registered ones.
std::vector<ControlInfo> describeControls(Sim::Instance const& instance);
// Takes over the names the user interface shows now (after UI updates).
void refreshShownNames(std::vector<ControlInfo>& controls, Sim::Instance const& instance);

// "Slice" for "--Slice--": the group's name without its decoration.
std::string groupLabel(std::string const& name);

}  // namespace Render
}  // namespace Brelo
