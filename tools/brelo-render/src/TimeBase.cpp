#include "brelo_render/TimeBase.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

constexpr double kMaxTime = 2147483647.0;

bool parseNumber(std::string const& t, double* out) {
  if (t.empty()) return false;
  for (char ch : t) {
    if (!(std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-' || ch == '+')) return false;
  }
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || !std::isfinite(v)) return false;
  *out = v;
  return true;
}

}  // namespace

A_long TimeBase::frameTime(long n) const {
  double t = double(n) * double(step);
  if (std::fabs(t) > kMaxTime)
    throw RenderError(ExitCode::Usage, "frame " + std::to_string(n) + " lies beyond the host's time range");
  return A_long(n) * step;
}

TimeBase parseFrameRate(std::string const& text) {
  std::string t = trim(text);
  TimeBase tb;
  std::size_t slash = t.find('/');
  double num, den = 1;
  bool ok = slash == std::string::npos ? parseNumber(t, &num)
                                       : parseNumber(trim(t.substr(0, slash)), &num) &&
                                             parseNumber(trim(t.substr(slash + 1)), &den);
  // Frame rates above a thousand or below one frame a minute are typing errors.
  if (!ok || den <= 0 || num <= 0 || num / den > 1000 || num / den < 1.0 / 60)
    throw RenderError(ExitCode::Usage, "frame rate takes a number such as 30, 29.97 or 30000/1001, not \"" + shownText(t) + "\"");
  if (slash != std::string::npos && num == std::floor(num) && den == std::floor(den) && num <= 1e6 && den <= 1e6) {
    tb.scale = A_u_long(num);
    tb.step = A_long(den);
  } else {
    tb.scale = A_u_long(std::llround(num / den * 1000.0));
    tb.step = 1000;
  }
  return tb;
}

A_long secondsToTime(double seconds, TimeBase const& tb, std::string const& given) {
  double t = std::round(seconds * double(tb.scale));
  if (!std::isfinite(t) || std::fabs(t) > kMaxTime)
    throw RenderError(ExitCode::Usage, "time " + shownText(given) + " lies beyond the host's time range");
  return A_long(t);
}

A_long parseTime(std::string const& text, TimeBase const& tb) {
  std::string t = trim(text);
  bool frames = false;
  std::string n = t;
  if (!n.empty() && (n.back() == 'f' || n.back() == 's')) {
    frames = n.back() == 'f';
    n.pop_back();
  }
  double v;
  if (!parseNumber(trim(n), &v))
    throw RenderError(ExitCode::Usage, "a time takes seconds (1.5 or 1.5s) or a frame (45f), not \"" + shownText(t) + "\"");
  if (frames) return secondsToTime(v * double(tb.step) / double(tb.scale), tb, t);
  return secondsToTime(v, tb, t);
}

std::string formatSeconds(double seconds) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%gs", seconds);
  return buf;
}

}  // namespace Render
}  // namespace Brelo
