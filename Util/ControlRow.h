// One effect control as data; both effects register a table of these in
// table order.
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
  double dflt = 0;    // slider, angle, popup entry, checkbox; point: x in percent of the layer
  double dflt_y = 0;  // point: y in percent of the layer
  double valid_min = 0, valid_max = 0;
  double slider_min = 0, slider_max = 0;
  A_short precision = 0;
  bool percent = false;
  PF_ParamFlags flags = 0;
  const char* menu = nullptr;  // popup entries joined by '|'
  A_u_char red = 0, green = 0, blue = 0;
  // Popup entries offered: 0 offers every entry of `menu`, n only the first n.
  A_short offered = 0;
};

namespace Control {

// Fixed sliders are percentages from 0 to 100 with one decimal.
constexpr ControlRow percent(const char* name, double dflt, PF_ParamFlags flags) {
  return {ControlKind::FixSlider, name, dflt, 0, 0, 100, 0, 100, PF_Precision_TENTHS, true, flags};
}
constexpr ControlRow floatSlider(const char* name, double dflt, double vmin, double vmax, double smin, double smax,
                                  A_short precision, bool pct, PF_ParamFlags flags) {
  return {ControlKind::FloatSlider, name, dflt, 0, vmin, vmax, smin, smax, precision, pct, flags};
}
constexpr ControlRow intSlider(const char* name, double dflt, double vmin, double vmax, double smin, double smax,
                                PF_ParamFlags flags) {
  return {ControlKind::Slider, name, dflt, 0, vmin, vmax, smin, smax, PF_Precision_INTEGER, false, flags};
}
// A size class's maximum, in pixels with one decimal.
constexpr ControlRow maximum(const char* name, double dflt, double vmin, double vmax, double smin, double smax) {
  return floatSlider(name, dflt, vmin, vmax, smin, smax, 1, false, PF_ParamFlag_START_COLLAPSED);
}
// The power of a random curve.
constexpr ControlRow power(const char* name) {
  return floatSlider(name, 1, 0, 100, 0, 10, 2, false, PF_ParamFlag_START_COLLAPSED);
}
// Seeds share one range.
constexpr ControlRow seed(const char* name, PF_ParamFlags flags) {
  return intSlider(name, 0, 0, 1000000, 0, 100, flags);
}
constexpr ControlRow angle(const char* name, double dflt, PF_ParamFlags flags) {
  return {ControlKind::Angle, name, dflt, 0, 0, 0, 0, 0, 0, false, flags};
}
constexpr ControlRow popup(const char* name, double dflt, const char* menu, PF_ParamFlags flags,
                            A_short offered = 0) {
  return {ControlKind::Popup, name, dflt, 0, 0, 0, 0, 0, 0, false, flags, menu, 0, 0, 0, offered};
}
constexpr ControlRow color(const char* name, A_u_char r, A_u_char g, A_u_char b, PF_ParamFlags flags) {
  return {ControlKind::Color, name, 0, 0, 0, 0, 0, 0, 0, false, flags, nullptr, r, g, b};
}
constexpr ControlRow point(const char* name, double x_percent, double y_percent) {
  return {ControlKind::Point, name, x_percent, y_percent};
}
constexpr ControlRow checkbox(const char* name, bool on) { return {ControlKind::Checkbox, name, on ? 1.0 : 0.0}; }
constexpr ControlRow groupStart(const char* name) { return {ControlKind::GroupStart, name}; }
constexpr ControlRow groupEnd() { return {ControlKind::GroupEnd, ""}; }

}  // namespace Control

// An effect lists its controls once, as X(index, row) entries of an X-macro:
// the enumeration of indices (kCount: the host's entries, the layer's
// included) and the table of rows are both made from it.
#define BRELO_CONTROL_INDEX(index, row) index,
#define BRELO_CONTROL_ROW(index, row) row,
#define BRELO_CONTROL_INDICES(List) enum Index : PF_ParamIndex { kLayer = 0, List(BRELO_CONTROL_INDEX) kCount }

// Registers table[0 .. count-1] as controls 1 .. count (identifier = index) with add_param;
// the first host error ends it and is returned. On success num_params is count + 1 (the layer).
PF_Err registerControls(PF_InData* in_data, PF_OutData* out_data, ControlRow const* table, PF_ParamIndex count);

}  // namespace Brelo
