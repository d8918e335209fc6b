#include "brelo_render/ControlList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Brelo {
namespace Render {

namespace {

std::string orDash(std::string const& s) { return s.empty() ? "-" : s; }

std::string fmt1(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

std::string displayName(ControlInfo const& c) {
  if (c.shownName == c.name || c.shownName.empty()) return c.name;
  return c.name + " (shown as \"" + c.shownName + "\")";
}

std::string defaultText(ControlInfo const& c, LayerSize layer) {
  switch (c.kind) {
    case ControlKind::Point: {
      long px = std::lround(c.dflt * layer.width / 100.0), py = std::lround(c.dfltY * layer.height / 100.0);
      return fmt1(c.dflt) + "%," + fmt1(c.dfltY) + "% (" + std::to_string(px) + "," + std::to_string(py) + " px)";
    }
    case ControlKind::Color: {
      ControlValue v;
      v.color = c.dfltColor;
      return formatControlValue(c, v);
    }
    case ControlKind::IntSlider:
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
    case ControlKind::Angle:
    case ControlKind::Popup:
    case ControlKind::Checkbox: {
      ControlValue v;
      v.number = c.dflt;
      return formatControlValue(c, v);
    }
    default:
      return "-";
  }
}

std::string rangeText(ControlInfo const& c) {
  switch (c.kind) {
    case ControlKind::IntSlider:
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
      return describeRange(c);
    case ControlKind::Angle:
      return c.limited ? describeRange(c) : "any";
    case ControlKind::Point:
      return "any";
    case ControlKind::Popup:
      return "1 to " + std::to_string(c.menu.size());
    default:
      return "-";
  }
}

std::string notesText(ControlInfo const& c) {
  std::string s;
  if (c.fixedInTime) s = "fixed in time";
  if (c.kind == ControlKind::Checkbox && !c.checkboxLabel.empty())
    s += std::string(s.empty() ? "" : ", ") + "label \"" + c.checkboxLabel + "\"";
  if (c.kind == ControlKind::Other) s += std::string(s.empty() ? "" : ", ") + "cannot be set";
  return s;
}

std::string menuText(ControlInfo const& c) {
  std::string s;
  for (std::size_t i = 0; i < c.menu.size(); ++i) {
    s += (i ? ", " : "") + std::to_string(i + 1) + " " + (c.menu[i] == "(-" ? "---" : "\"" + c.menu[i] + "\"");
  }
  return s;
}

}  // namespace

std::string formatTable(std::vector<std::vector<std::string>> const& rows) {
  std::vector<std::size_t> widths;
  for (auto const& r : rows) {
    if (widths.size() < r.size()) widths.resize(r.size(), 0);
    for (std::size_t i = 0; i < r.size(); ++i) widths[i] = std::max(widths[i], r[i].size());
  }
  std::string out;
  for (auto const& r : rows) {
    std::string line;
    for (std::size_t i = 0; i < r.size(); ++i) {
      line += r[i];
      if (i + 1 < r.size()) line += std::string(widths[i] - r[i].size() + 2, ' ');
    }
    out += line + "\n";
  }
  return out;
}

std::string formatControlList(std::vector<ControlInfo> const& controls, LayerSize layer) {
  std::vector<std::vector<std::string>> rows;
  rows.push_back({"index", "name", "kind", "default", "range", "group", "notes", "menu"});
  for (ControlInfo const& c : controls) {
    if (c.index == 0) continue;
    rows.push_back({std::to_string(c.index), orDash(displayName(c)), kindName(c.kind), defaultText(c, layer),
                    rangeText(c), orDash(c.group), orDash(notesText(c)), orDash(menuText(c))});
  }
  return formatTable(rows);
}

std::string formatControlValues(EffectControls const& controls, A_long time) {
  std::vector<std::vector<std::string>> rows;
  rows.push_back({"index", "name", "value"});
  for (ControlInfo const& c : controls.controls()) {
    if (!c.settable()) continue;
    std::string v = formatControlValue(c, controls.valueAt(c, time));
    if (!controls.keyframeTimes(c).empty()) v += " (keyframed)";
    if (!controls.expression(c).empty()) v += " (expression)";
    rows.push_back({std::to_string(c.index), orDash(displayName(c)), v});
  }
  return formatTable(rows);
}

}  // namespace Render
}  // namespace Brelo
