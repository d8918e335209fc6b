#include "brelo_frei0r/FilterDescription.h"

#include <cstdio>

namespace Brelo {
namespace Frei0r {

namespace {

std::string number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

DoubleControl mapped(std::string control, double low, double high, std::string const& unit) {
  DoubleControl d;
  d.control = std::move(control);
  d.low = low;
  d.high = high;
  d.explanation = "\"" + d.control + "\": 0 to 1 is " + number(low) + unit + " to " + number(high) + unit +
                  ", rounded to the control's decimals; applies when it differs from its default and then "
                  "replaces what controls and preset set";
  return d;
}

}  // namespace

FilterDescription const& linesFilter() {
  static FilterDescription const d{
      "brelo_lines",
      "BreloLines",
      "BreloLines: cuts the picture into strips and animates each strip (slide, RGB separation, colour, wipe)",
      {
          mapped("Completion", 0, 100, "%"),
          mapped("Max Slice", -100, 100, " px"),
          mapped("Max RGB Separation", -100, 100, " px"),
          mapped("Direction", 0, 360, " degrees"),
          mapped("Wipe Completion", 0, 100, "%"),
          mapped("Composite Opacity", 0, 100, "%"),
      }};
  return d;
}

FilterDescription const& simpleLinesFilter() {
  static FilterDescription const d{
      "brelo_simplelines",
      "BreloSimpleLines",
      "BreloSimpleLines: draws a band of random bars over the picture and wipes them",
      {
          mapped("Wipe Completion", 0, 100, "%"),
          mapped("Direction", 0, 360, " degrees"),
          mapped("Opacity", 0, 100, "%"),
          mapped("Scale", 0, 100, "%"),
      }};
  return d;
}

char const* textParamName(int index) {
  switch (index) {
    case kControls: return "controls";
    case kPreset: return "preset";
    case kTime: return "time";
    default: return nullptr;
  }
}

char const* textParamExplanation(int index) {
  switch (index) {
    case kControls:
      return "Control settings as brelo-render --set takes them, separated by ';' or newlines, e.g. "
             "\"Max Slice=80;Direction=45;Completion=0@0;100@2\" (brelo-render --list names the controls)";
    case kPreset: return "Path of a brelo-render JSON preset, applied before the controls";
    case kTime:
      return "Effect time: seconds (1.5) or frames at 30 a second (45f); empty uses the host's time "
             "(milliseconds from ffmpeg, seconds from others)";
    default: return nullptr;
  }
}

}  // namespace Frei0r
}  // namespace Brelo
