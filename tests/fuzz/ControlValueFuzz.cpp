// What --set takes, for every kind of control: a value, a keyframe list, a
// time, a frame rate. Whatever the text, it is taken or refused with a usage
// error on one line of bounded length; what is taken lies in the control's
// range and reads back the same from its own full-precision text.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "brelo_render/ControlInfo.h"
#include "brelo_render/ControlValue.h"
#include "brelo_render/Keyframes.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TimeBase.h"

namespace {

using namespace Brelo::Render;

ControlInfo control(ControlKind kind, double lo, double hi, bool percent = false, bool limited = true) {
  ControlInfo c;
  c.index = 1;
  c.name = "Fuzzed";
  c.shownName = c.name;
  c.kind = kind;
  c.limited = limited;
  c.validMin = lo;
  c.validMax = hi;
  c.percent = percent;
  c.precision = 2;
  return c;
}

std::vector<ControlInfo> const& controls() {
  static const std::vector<ControlInfo> all = [] {
    std::vector<ControlInfo> v = {
        control(ControlKind::IntSlider, 0, 1000000),
        control(ControlKind::FixedSlider, 0, 100, true),
        control(ControlKind::FloatSlider, -10000, 10000),
        control(ControlKind::FloatSlider, -200, 200, true),
        control(ControlKind::Angle, 0, 0, false, false),
        control(ControlKind::Angle, -90, 90),
        control(ControlKind::Popup, 0, 0),
        control(ControlKind::Checkbox, 0, 1),
        control(ControlKind::Color, 0, 0),
        control(ControlKind::Point, 0, 0),
    };
    v[6].menu = {"One", "(-", "Two", "Two", "Three"};
    return v;
  }();
  return all;
}

const TimeBase kTimeBases[] = {TimeBase{}, parseFrameRate("29.97"), parseFrameRate("30000/1001"),
                               parseFrameRate("1000"), parseFrameRate("0.0167")};

std::string g_input;

[[noreturn]] void fail(std::string const& what) {
  std::fprintf(stderr, "%s\ninput: %s\n", what.c_str(), g_input.c_str());
  std::abort();
}

void checkMessage(RenderError const& e) {
  if (e.code() != ExitCode::Usage) fail(std::string("not a usage error: ") + e.what());
  const std::string m = e.what();
  if (m.empty() || m.find('\n') != std::string::npos || m.size() > 600) fail("a message not fit to show: " + m);
}

std::string full(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// The value is in range, and its own full-precision text gives it back.
void checkValue(ControlInfo const& c, ControlValue const& v) {
  LayerSize layer{320, 180};
  switch (c.kind) {
    case ControlKind::IntSlider:
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider:
    case ControlKind::Angle:
      if (!std::isfinite(v.number)) fail("a number that is not finite");
      if (c.limited && (v.number < c.validMin || v.number > c.validMax)) fail("a number out of range: " + full(v.number));
      if (!c.limited && std::fabs(v.number) > 32767) fail("an angle out of range: " + full(v.number));
      if (c.kind == ControlKind::IntSlider && v.number != std::floor(v.number)) fail("a fraction for a whole number");
      if (parseControlValue(c, full(v.number) + (c.percent ? "%" : ""), layer) != v) fail("no round trip: " + full(v.number));
      break;
    case ControlKind::Popup:
      if (v.number < 1 || v.number > double(c.menu.size()) || c.separator(int(v.number))) fail("no entry: " + full(v.number));
      if (parseControlValue(c, full(v.number), layer) != v) fail("no round trip of an entry");
      break;
    case ControlKind::Checkbox:
      if (v.number != 0 && v.number != 1) fail("a checkbox neither on nor off");
      break;
    case ControlKind::Color:
      if (parseControlValue(c, formatControlValue(c, v), layer) != v) fail("no round trip of a colour");
      break;
    case ControlKind::Point:
      if (!(std::fabs(v.x) <= 32767 && std::fabs(v.y) <= 32767)) fail("a point out of range");
      if (parseControlValue(c, full(v.x) + "," + full(v.y), layer) != v) fail("no round trip of a point");
      break;
    default:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
  BreloFuzz::FuzzInput in(data, size);
  ControlInfo const& c = controls()[std::size_t(in.integer(0, int(controls().size()) - 1))];
  TimeBase const& tb = kTimeBases[in.integer(0, int(sizeof kTimeBases / sizeof kTimeBases[0]) - 1)];
  const int what = in.integer(0, 3);
  g_input = in.rest();
  try {
    switch (what) {
      case 0:
        checkValue(c, parseControlValue(c, g_input, LayerSize{320, 180}));
        break;
      case 1: {
        std::vector<KeyframeText> keys = parseKeyframes(g_input, tb, c.name);
        if (keys.empty()) fail("an empty keyframe list taken");
        for (std::size_t i = 1; i < keys.size(); ++i) {
          if (keys[i].time <= keys[i - 1].time) fail("keys out of order taken");
        }
        for (KeyframeText const& k : keys) {
          try {
            checkValue(c, parseControlValue(c, k.value, LayerSize{320, 180}));
          } catch (RenderError const& e) {
            checkMessage(e);
          }
        }
        break;
      }
      case 2: {
        const A_long t = parseTime(g_input, tb);
        // A time reads back from its seconds at full precision.
        if (parseTime(full(tb.seconds(t)), tb) != t) fail("no round trip of a time");
        break;
      }
      default: {
        const TimeBase rate = parseFrameRate(g_input);
        if (!(rate.fps() > 0 && rate.fps() <= 1001 && rate.step > 0)) fail("a frame rate out of range");
        break;
      }
    }
  } catch (RenderError const& e) {
    checkMessage(e);
  }
  return 0;
}
