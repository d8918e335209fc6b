#include "brelo_render/ControlValue.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

// 16.16 values hold magnitudes below 32768.
constexpr double kFixedLimit = 32767.0;

std::string quoted(std::string const& s) { return "\"" + shownText(s) + "\""; }

[[noreturn]] void fail(ControlInfo const& c, std::string const& what) {
  throw RenderError(ExitCode::Usage, quoted(c.name) + " " + what);
}

// A whole-string decimal number; false for anything else, NaN and infinities included.
bool parseDouble(std::string const& text, double* out) {
  std::string t = trim(text);
  if (t.empty()) return false;
  errno = 0;
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(v)) return false;
  // strtod also takes hexadecimal and "infinity"; users mean decimals.
  for (char ch : t) {
    if (!(std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-' || ch == '+' || ch == 'e' ||
          ch == 'E'))
      return false;
  }
  *out = v;
  return true;
}

bool stripSuffix(std::string& s, std::string const& suffix) {
  if (s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0) {
    s.erase(s.size() - suffix.size());
    s = trim(s);
    return true;
  }
  return false;
}

int hexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

std::string menuList(ControlInfo const& c) {
  std::string s;
  for (std::size_t i = 0; i < c.menu.size(); ++i) {
    if (c.menu[i] == "(-") continue;
    s += (s.empty() ? "" : ", ") + c.menu[i];
  }
  return s;
}

std::string fmt(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals > 6 ? 6 : decimals, v);
  return buf;
}

}  // namespace

bool ControlValue::operator==(ControlValue const& o) const {
  return number == o.number && x == o.x && y == o.y && color.alpha == o.color.alpha && color.red == o.color.red &&
         color.green == o.color.green && color.blue == o.color.blue;
}

std::string formatNumber(ControlInfo const& c, double v) {
  int decimals = c.kind == ControlKind::IntSlider ? 0 : c.precision;
  return fmt(v, decimals) + (c.percent ? "%" : "");
}

std::string describeRange(ControlInfo const& c) {
  switch (c.kind) {
    case ControlKind::IntSlider:
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
      return formatNumber(c, c.validMin) + " to " + formatNumber(c, c.validMax);
    case ControlKind::Angle:
      if (c.limited) return fmt(c.validMin, 1) + " to " + fmt(c.validMax, 1) + " degrees";
      return "any angle in degrees";
    case ControlKind::Popup:
      return "1 to " + std::to_string(c.menu.size()) + " (" + menuList(c) + ")";
    case ControlKind::Checkbox:
      return "on or off";
    case ControlKind::Color:
      return "#RRGGBB";
    case ControlKind::Point:
      return "x,y in pixels or x%,y% of the layer";
    default:
      return "-";
  }
}

ControlValue numberValue(ControlInfo const& c, double v, std::string const& written) {
  const std::string given = shownText(written);
  ControlValue out;
  out.number = v;
  switch (c.kind) {
    case ControlKind::IntSlider:
      if (v != std::floor(v) || v < c.validMin || v > c.validMax)
        fail(c, "takes a whole number from " + describeRange(c) + ", not " + given);
      return out;
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
      if (v < c.validMin || v > c.validMax) fail(c, "takes " + describeRange(c) + ", not " + given);
      return out;
    case ControlKind::Angle:
      if (c.limited ? (v < c.validMin || v > c.validMax) : std::fabs(v) > kFixedLimit)
        fail(c, "takes " + (c.limited ? describeRange(c) : "-32767 to 32767 degrees") + ", not " + given);
      return out;
    case ControlKind::Popup:
      if (v != std::floor(v) || v < 1 || v > double(c.menu.size()))
        fail(c, "takes an entry from " + describeRange(c) + ", not " + given);
      if (c.separator(int(v))) fail(c, "has a separator line at entry " + given + ", not a choice");
      return out;
    case ControlKind::Checkbox:
      if (v != 0 && v != 1) fail(c, "takes on or off, not " + given);
      return out;
    default:
      fail(c, std::string("is a ") + kindName(c.kind) + " and takes no number");
  }
}

ControlValue pointValue(ControlInfo const& c, double x, double y) {
  if (std::fabs(x) > kFixedLimit || std::fabs(y) > kFixedLimit)
    fail(c, "takes a point within -32767 to 32767 pixels, not " + fmt(x, 1) + "," + fmt(y, 1));
  ControlValue out;
  out.x = x;
  out.y = y;
  return out;
}

ControlValue popupValue(ControlInfo const& c, std::string const& text) {
  std::string t = trim(text);
  for (std::size_t i = 0; i < c.menu.size(); ++i) {
    if (c.menu[i] == t && t != "(-") return numberValue(c, double(i + 1), t);
  }
  for (std::size_t i = 0; i < c.menu.size(); ++i) {
    if (equalsIgnoreCase(c.menu[i], t) && t != "(-") return numberValue(c, double(i + 1), t);
  }
  double v;
  if (parseDouble(t, &v)) return numberValue(c, v, t);
  fail(c, "has no entry " + quoted(t) + "; its entries are " + menuList(c));
}

ControlValue parseControlValue(ControlInfo const& c, std::string const& text, LayerSize layer) {
  std::string t = trim(text);
  switch (c.kind) {
    case ControlKind::IntSlider:
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
    case ControlKind::Angle: {
      std::string n = t;
      if (c.percent) stripSuffix(n, "%");
      if (c.kind == ControlKind::Angle && !stripSuffix(n, "deg")) stripSuffix(n, "\xC2\xB0");
      double v;
      if (!parseDouble(n, &v)) {
        std::string what = c.kind == ControlKind::Angle ? "an angle in degrees" : "a number";
        fail(c, "takes " + what + " (" + (c.kind == ControlKind::Angle && !c.limited ? std::string("any") : describeRange(c)) +
                    "), not " + quoted(t));
      }
      return numberValue(c, v, t);
    }
    case ControlKind::Popup:
      return popupValue(c, t);
    case ControlKind::Checkbox: {
      std::string l = toLower(t);
      if (l == "on" || l == "true" || l == "yes" || l == "1") return numberValue(c, 1, t);
      if (l == "off" || l == "false" || l == "no" || l == "0") return numberValue(c, 0, t);
      fail(c, "takes on or off, not " + quoted(t));
    }
    case ControlKind::Color: {
      bool ok = t.size() == 7 && t[0] == '#';
      for (std::size_t i = 1; ok && i < 7; ++i) ok = hexDigit(t[i]) >= 0;
      if (!ok) fail(c, "takes a colour as #RRGGBB, not " + quoted(t));
      ControlValue out;
      out.color.alpha = 255;
      out.color.red = A_u_char(hexDigit(t[1]) * 16 + hexDigit(t[2]));
      out.color.green = A_u_char(hexDigit(t[3]) * 16 + hexDigit(t[4]));
      out.color.blue = A_u_char(hexDigit(t[5]) * 16 + hexDigit(t[6]));
      return out;
    }
    case ControlKind::Point: {
      std::size_t comma = t.find(',');
      std::string xs = comma == std::string::npos ? t : trim(t.substr(0, comma));
      std::string ys = comma == std::string::npos ? std::string() : trim(t.substr(comma + 1));
      bool xPct = stripSuffix(xs, "%"), yPct = stripSuffix(ys, "%");
      double x, y;
      if (comma == std::string::npos || !parseDouble(xs, &x) || !parseDouble(ys, &y))
        fail(c, "takes a point as x,y in pixels or x%,y% of the layer, not " + quoted(t));
      if (xPct) x = x * layer.width / 100.0;
      if (yPct) y = y * layer.height / 100.0;
      return pointValue(c, x, y);
    }
    case ControlKind::GroupStart:
    case ControlKind::GroupEnd:
      fail(c, "is a group and has no value");
    default:
      fail(c, std::string("is a ") + kindName(c.kind) + " control, which brelo-render cannot set");
  }
}

ControlValue valueFromDef(ControlInfo const& c, PF_ParamDef const& def) {
  ControlValue v;
  PF_ParamDefUnion const& u = def.u;
  switch (c.kind) {
    case ControlKind::IntSlider: v.number = u.sd.value; break;
    case ControlKind::FixedSlider: v.number = u.fd.value / 65536.0; break;
    case ControlKind::FloatSlider: v.number = u.fs_d.value; break;
    case ControlKind::Angle: v.number = u.ad.value / 65536.0; break;
    case ControlKind::Point:
      v.x = u.td.x_value / 65536.0;
      v.y = u.td.y_value / 65536.0;
      break;
    case ControlKind::Popup: v.number = u.pd.value; break;
    case ControlKind::Checkbox: v.number = u.bd.value ? 1 : 0; break;
    case ControlKind::Color: v.color = u.cd.value; break;
    default: break;
  }
  return v;
}

std::string formatControlValue(ControlInfo const& c, ControlValue const& v) {
  switch (c.kind) {
    case ControlKind::IntSlider:
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
      return formatNumber(c, v.number);
    case ControlKind::Angle:
      return fmt(v.number, 1) + " deg";
    case ControlKind::Popup: {
      int e = int(v.number);
      if (e >= 1 && e <= int(c.menu.size())) return std::to_string(e) + " " + quoted(c.menu[std::size_t(e - 1)]);
      return std::to_string(e);
    }
    case ControlKind::Checkbox:
      return v.number != 0 ? "on" : "off";
    case ControlKind::Color: {
      char buf[16];
      std::snprintf(buf, sizeof buf, "#%02X%02X%02X", v.color.red, v.color.green, v.color.blue);
      return buf;
    }
    case ControlKind::Point:
      return fmt(v.x, 1) + "," + fmt(v.y, 1);
    default:
      return "-";
  }
}

}  // namespace Render
}  // namespace Brelo
