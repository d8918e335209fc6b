#include "Util/ControlRow.h"

#include <algorithm>
#include <cstring>

#include "Util/ControlUnits.h"

namespace Brelo {

namespace {

// The row's range into a slider definition of any kind, each bound through `to`.
template <class Slider, class To>
void setRange(Slider& d, ControlRow const& s, To to) {
  d.valid_min = to(s.valid_min);
  d.valid_max = to(s.valid_max);
  d.slider_min = to(s.slider_min);
  d.slider_max = to(s.slider_max);
}

// Number of entries of a popup's entry string.
A_short menuEntryCount(const char* menu) {
  return menu ? static_cast<A_short>(1 + std::count(menu, menu + std::strlen(menu), '|')) : 0;
}

// The host definition of `s`, cleared and then filled, with identifier `id`.
PF_ParamDef makeParamDef(ControlRow const& s, PF_ParamIndex id) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.uu.id = id;
  def.flags = s.flags;
  std::strncpy(def.name, s.name, sizeof def.name - 1);
  const PF_ValueDisplayFlags display = s.percent ? PF_ValueDisplayFlag_PERCENT : PF_ValueDisplayFlag_NONE;

  switch (s.kind) {
    case ControlKind::Slider:
      def.param_type = PF_Param_SLIDER;
      def.u.sd.value = def.u.sd.dephault = static_cast<PF_ParamValue>(s.dflt);
      setRange(def.u.sd, s, [](double v) { return static_cast<PF_ParamValue>(v); });
      break;
    case ControlKind::FixSlider:
      def.param_type = PF_Param_FIX_SLIDER;
      def.u.fd.value = def.u.fd.dephault = ControlUnits::fixed(s.dflt);
      setRange(def.u.fd, s, ControlUnits::fixed);
      def.u.fd.precision = s.precision;
      def.u.fd.display_flags = display;
      break;
    case ControlKind::FloatSlider:
      def.param_type = PF_Param_FLOAT_SLIDER;
      def.u.fs_d.value = s.dflt;
      def.u.fs_d.dephault = static_cast<PF_FpShort>(s.dflt);
      setRange(def.u.fs_d, s, [](double v) { return static_cast<PF_FpShort>(v); });
      def.u.fs_d.precision = s.precision;
      def.u.fs_d.display_flags = display;
      def.u.fs_d.fs_flags = PF_FSliderFlag_NONE;
      def.u.fs_d.curve_tolerance = 0.05f;
      break;
    case ControlKind::Angle:
      def.param_type = PF_Param_ANGLE;
      def.u.ad.value = def.u.ad.dephault = ControlUnits::fixed(s.dflt);
      break;
    case ControlKind::Point:
      def.param_type = PF_Param_POINT;
      def.u.td.x_value = def.u.td.x_dephault = ControlUnits::fixed(s.dflt);
      def.u.td.y_value = def.u.td.y_dephault = ControlUnits::fixed(s.dflt_y);
      def.u.td.restrict_bounds = 0;
      break;
    case ControlKind::Popup:
      def.param_type = PF_Param_POPUP;
      def.u.pd.value = static_cast<PF_ParamValue>(s.dflt);
      def.u.pd.dephault = static_cast<A_short>(s.dflt);
      def.u.pd.num_choices = s.offered > 0 ? s.offered : menuEntryCount(s.menu);
      def.u.pd.namesptr = s.menu;
      break;
    case ControlKind::Checkbox:
      def.param_type = PF_Param_CHECKBOX;
      def.u.bd.value = static_cast<PF_ParamValue>(s.dflt);
      def.u.bd.dephault = static_cast<PF_Boolean>(s.dflt != 0.0);
      def.u.bd.nameptr = "";
      break;
    case ControlKind::Color:
      def.param_type = PF_Param_COLOR;
      def.u.cd.value = def.u.cd.dephault = PF_Pixel{255, s.red, s.green, s.blue};
      break;
    case ControlKind::GroupStart:
      def.param_type = PF_Param_GROUP_START;
      break;
    case ControlKind::GroupEnd:
      def.param_type = PF_Param_GROUP_END;
      break;
  }
  return def;
}

}  // namespace

PF_Err registerControls(PF_InData* in_data, PF_OutData* out_data, ControlRow const* table, PF_ParamIndex count) {
  if (!in_data->inter.add_param) return PF_Err_BAD_CALLBACK_PARAM;
  for (PF_ParamIndex i = 1; i <= count; ++i) {
    PF_ParamDef def = makeParamDef(table[i - 1], i);
    if (PF_Err err = in_data->inter.add_param(in_data->effect_ref, -1, &def)) return err;
  }
  out_data->num_params = count + 1;
  return PF_Err_NONE;
}

}  // namespace Brelo
