#include "brelo_render/ControlInfo.h"

#include <cstring>

#include "brelo_host/Instance.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

std::string nameOf(PF_ParamDef const& def) { return std::string(def.name, strnlen(def.name, sizeof def.name)); }

ControlKind kindOf(PF_ParamType t) {
  switch (t) {
    case PF_Param_LAYER: return ControlKind::Layer;
    case PF_Param_SLIDER: return ControlKind::IntSlider;
    case PF_Param_FIX_SLIDER: return ControlKind::FixedSlider;
    case PF_Param_FLOAT_SLIDER: return ControlKind::FloatSlider;
    case PF_Param_ANGLE: return ControlKind::Angle;
    case PF_Param_POINT: return ControlKind::Point;
    case PF_Param_POPUP: return ControlKind::Popup;
    case PF_Param_CHECKBOX: return ControlKind::Checkbox;
    case PF_Param_COLOR: return ControlKind::Color;
    case PF_Param_GROUP_START: return ControlKind::GroupStart;
    case PF_Param_GROUP_END: return ControlKind::GroupEnd;
    default: return ControlKind::Other;
  }
}

constexpr double kFixedOne = 65536.0;

}  // namespace

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Layer: return "layer";
    case ControlKind::IntSlider: return "integer slider";
    case ControlKind::FixedSlider: return "fixed slider";
    case ControlKind::FloatSlider: return "float slider";
    case ControlKind::Angle: return "angle";
    case ControlKind::Point: return "point";
    case ControlKind::Popup: return "popup";
    case ControlKind::Checkbox: return "checkbox";
    case ControlKind::Color: return "colour";
    case ControlKind::GroupStart: return "group start";
    case ControlKind::GroupEnd: return "group end";
    case ControlKind::Other: return "other";
  }
  return "other";
}

bool ControlInfo::settable() const {
  switch (kind) {
    case ControlKind::IntSlider:
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
    case ControlKind::Angle:
    case ControlKind::Point:
    case ControlKind::Popup:
    case ControlKind::Checkbox:
    case ControlKind::Color:
      return true;
    default:
      return false;
  }
}

bool ControlInfo::separator(int entry) const {
  return entry >= 1 && entry <= int(menu.size()) && menu[std::size_t(entry - 1)] == "(-";
}

std::string groupLabel(std::string const& name) {
  std::size_t b = name.find_first_not_of("- ");
  if (b == std::string::npos) return name;
  std::size_t e = name.find_last_not_of("- ");
  return name.substr(b, e - b + 1);
}

std::vector<ControlInfo> describeControls(Sim::Instance const& instance) {
  std::vector<ControlInfo> out;
  std::vector<std::string> groups;
  auto joined = [&groups] {
    std::string s;
    for (std::string const& g : groups) s += (s.empty() ? "" : "/") + g;
    return s;
  };
  for (int i = 0; i < instance.numParams(); ++i) {
    PF_ParamDef const& def = instance.definition(i);
    ControlInfo c;
    c.index = i;
    c.kind = kindOf(def.param_type);
    c.name = nameOf(def);
    c.shownName = c.name;
    c.fixedInTime = (def.flags & PF_ParamFlag_CANNOT_TIME_VARY) != 0;
    c.supervised = (def.flags & PF_ParamFlag_SUPERVISE) != 0;
    PF_ParamDefUnion const& u = def.u;
    switch (c.kind) {
      case ControlKind::IntSlider:
        c.limited = true;
        c.validMin = u.sd.valid_min, c.validMax = u.sd.valid_max;
        c.sliderMin = u.sd.slider_min, c.sliderMax = u.sd.slider_max;
        c.dflt = u.sd.dephault;
        break;
      case ControlKind::FixedSlider:
        c.limited = true;
        c.validMin = u.fd.valid_min / kFixedOne, c.validMax = u.fd.valid_max / kFixedOne;
        c.sliderMin = u.fd.slider_min / kFixedOne, c.sliderMax = u.fd.slider_max / kFixedOne;
        c.dflt = u.fd.dephault / kFixedOne;
        c.precision = u.fd.precision;
        c.percent = (u.fd.display_flags & PF_ValueDisplayFlag_PERCENT) != 0;
        break;
      case ControlKind::FloatSlider:
        c.limited = true;
        c.validMin = double(u.fs_d.valid_min), c.validMax = double(u.fs_d.valid_max);
        c.sliderMin = double(u.fs_d.slider_min), c.sliderMax = double(u.fs_d.slider_max);
        c.dflt = double(u.fs_d.dephault);
        c.precision = u.fs_d.precision;
        c.percent = (u.fs_d.display_flags & PF_ValueDisplayFlag_PERCENT) != 0;
        break;
      case ControlKind::Angle:
        // Both limits zero: the host's unlimited angle.
        c.limited = u.ad.valid_min != 0 || u.ad.valid_max != 0;
        c.validMin = u.ad.valid_min / kFixedOne, c.validMax = u.ad.valid_max / kFixedOne;
        c.dflt = u.ad.dephault / kFixedOne;
        c.precision = 1;
        break;
      case ControlKind::Point:
        c.dflt = u.td.x_dephault / kFixedOne, c.dfltY = u.td.y_dephault / kFixedOne;
        break;
      case ControlKind::Popup:
        if (u.pd.namesptr) c.menu = split(u.pd.namesptr, '|');
        // The host offers the first num_choices entries of the string only.
        if (u.pd.num_choices >= 0 && std::size_t(u.pd.num_choices) < c.menu.size())
          c.menu.resize(std::size_t(u.pd.num_choices));
        c.dflt = u.pd.dephault;
        break;
      case ControlKind::Checkbox:
        c.dflt = u.bd.dephault ? 1 : 0;
        if (u.bd.nameptr) c.checkboxLabel = u.bd.nameptr;
        break;
      case ControlKind::Color:
        c.dfltColor = u.cd.dephault;
        break;
      default:
        break;
    }
    if (c.kind == ControlKind::GroupStart) groups.push_back(groupLabel(c.name));
    c.group = i == 0 ? std::string() : joined();
    if (c.kind == ControlKind::GroupEnd && !groups.empty()) groups.pop_back();
    out.push_back(std::move(c));
  }
  return out;
}

void refreshShownNames(std::vector<ControlInfo>& controls, Sim::Instance const& instance) {
  for (ControlInfo& c : controls) {
    if (c.index < instance.numParams()) c.shownName = nameOf(instance.definition(c.index));
  }
}

}  // namespace Render
}  // namespace Brelo
