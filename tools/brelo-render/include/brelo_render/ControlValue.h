// A value of one control in the units the control shows, read from the
// command line or a preset, checked against the control's registration.
#pragma once

#include <string>

#include "AE_Effect.h"
#include "brelo_render/ControlInfo.h"

namespace Brelo {
namespace Render {

struct ControlValue {
  double number = 0;    // sliders and angles as shown, popup entry, checkbox 0 or 1
  double x = 0, y = 0;  // points, in pixels of the full-size layer
  PF_Pixel color{255, 0, 0, 0};

  bool operator==(ControlValue const& o) const;
  bool operator!=(ControlValue const& o) const { return !(*this == o); }
};

// The size of the layer the effect is applied to, for points in percent.
struct LayerSize {
  int width = 0, height = 0;
};

// Parses text as the control shows its value: "50" or "50%" for a percent
// slider, "90" for an angle in degrees, "Reflect" or "3" for a popup,
// "#FF8000" for a colour, "320,180" (pixels) or "50%,50%" for a point,
// "on" or "off" for a checkbox. Throws RenderError (usage) with a message
// naming the control and what it takes.
ControlValue parseControlValue(ControlInfo const& c, std::string const& text, LayerSize layer);

// Checks a number for a slider or angle (range, whole numbers) and a popup
// entry or checkbox state; throws as parseControlValue. `given` is what the
// user wrote, for the message.
ControlValue numberValue(ControlInfo const& c, double v, std::string const& given);
ControlValue pointValue(ControlInfo const& c, double x, double y);
ControlValue popupValue(ControlInfo const& c, std::string const& text);

// The value held in a parameter definition the host hands out (outside a render).
ControlValue valueFromDef(ControlInfo const& c, PF_ParamDef const& def);

// The value as the control shows it: "50.0%", "Reflect", "#FF8000", "320,180", "on".
std::string formatControlValue(ControlInfo const& c, ControlValue const& v);
// "0.0% to 100.0%", "1 to 3 (One, Two, Three)", ...
std::string describeRange(ControlInfo const& c);
// A number with the control's decimals and percent sign.
std::string formatNumber(ControlInfo const& c, double v);

}  // namespace Render
}  // namespace Brelo
