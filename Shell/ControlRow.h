// One effect control as data, and its translation into the host's parameter
// definition. Both effects describe their controls as a table of these and
// register them in table order.
#pragma once

#include "Util/BreloHostAPI.h"

namespace Brelo {

// The kinds of control the effects use.
enum class ControlKind { Slider, FixSlider, FloatSlider, Angle, Point, Popup, Checkbox, Color, GroupStart, GroupEnd };

// Values are in the control's own units (degrees, percent, pixels); the
// conversion to the host's representation happens in makeParamDef.
struct ControlRow {
  ControlKind kind;
  const char* name;
  double dflt;    // slider, angle, popup entry, checkbox; point: x in percent of the layer
  double dflt_y;  // point: y in percent of the layer
  double valid_min, valid_max;
  double slider_min, slider_max;
  A_short precision;
  bool percent;
  PF_ParamFlags flags;
  const char* menu;  // popup entries joined by '|'
  A_u_char red, green, blue;
  // Popup entries offered: 0 offers every entry of `menu`, n only the first n.
  A_short offered;
};

namespace Control {

// Fixed sliders are percentages from 0 to 100 with one decimal.
constexpr ControlRow percent(const char* name, double dflt, PF_ParamFlags flags) {
  return {ControlKind::FixSlider, name, dflt, 0, 0, 100, 0, 100, PF_Precision_TENTHS, true, flags, nullptr, 0, 0, 0, 0};
}
constexpr ControlRow floatSlider(const char* name, double dflt, double vmin, double vmax, double smin, double smax,
                                  A_short precision, bool pct, PF_ParamFlags flags) {
  return {ControlKind::FloatSlider, name, dflt, 0, vmin, vmax, smin, smax, precision, pct, flags, nullptr, 0, 0, 0, 0};
}
constexpr ControlRow intSlider(const char* name, double dflt, double vmin, double vmax, double smin, double smax,
                                PF_ParamFlags flags) {
  return {ControlKind::Slider, name, dflt, 0, vmin, vmax, smin, smax, PF_Precision_INTEGER, false, flags, nullptr,
          0, 0, 0, 0};
}
// Seeds share one range.
constexpr ControlRow seed(const char* name, PF_ParamFlags flags) {
  return intSlider(name, 0, 0, 1000000, 0, 100, flags);
}
constexpr ControlRow angle(const char* name, double dflt, PF_ParamFlags flags) {
  return {ControlKind::Angle, name, dflt, 0, 0, 0, 0, 0, 0, false, flags, nullptr, 0, 0, 0, 0};
}
constexpr ControlRow popup(const char* name, double dflt, const char* menu, PF_ParamFlags flags,
                            A_short offered = 0) {
  return {ControlKind::Popup, name, dflt, 0, 0, 0, 0, 0, 0, false, flags, menu, 0, 0, 0, offered};
}
constexpr ControlRow color(const char* name, A_u_char r, A_u_char g, A_u_char b, PF_ParamFlags flags) {
  return {ControlKind::Color, name, 0, 0, 0, 0, 0, 0, 0, false, flags, nullptr, r, g, b, 0};
}
constexpr ControlRow point(const char* name, double x_percent, double y_percent) {
  return {ControlKind::Point, name, x_percent, y_percent, 0, 0, 0, 0, 0, false, 0, nullptr, 0, 0, 0, 0};
}
constexpr ControlRow checkbox(const char* name, bool on) {
  return {ControlKind::Checkbox, name, on ? 1.0 : 0.0, 0, 0, 0, 0, 0, 0, false, 0, nullptr, 0, 0, 0, 0};
}
constexpr ControlRow groupStart(const char* name) {
  return {ControlKind::GroupStart, name, 0, 0, 0, 0, 0, 0, 0, false, 0, nullptr, 0, 0, 0, 0};
}
constexpr ControlRow groupEnd() {
  return {ControlKind::GroupEnd, "", 0, 0, 0, 0, 0, 0, 0, false, 0, nullptr, 0, 0, 0, 0};
}

constexpr bool sameName(const char* a, const char* b) {
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

}  // namespace Control

// Number of entries of a popup's entry string.
A_short menuEntryCount(const char* menu);

// The host definition of `row`, cleared and then filled, with identifier `id`.
PF_ParamDef makeParamDef(ControlRow const& row, PF_ParamIndex id);

// Registers table[0 .. count-1] as controls 1 .. count (identifier = index)
// with add_param; the first host error stops the registration and is
// returned. On success num_params becomes count + 1 (the layer included).
PF_Err registerControls(PF_InData* in_data, PF_OutData* out_data, ControlRow const* table, PF_ParamIndex count);

}  // namespace Brelo
