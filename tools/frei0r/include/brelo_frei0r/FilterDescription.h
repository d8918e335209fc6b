// What a frei0r filter tells its host before any instance exists: its name,
// the effect module it drives and its parameters.
//
// Parameters, in order:
//   0 "controls"  text in brelo-render's --set language, settings separated
//                 by ';' or newlines, keyframes included
//   1 "preset"    the path of a brelo-render JSON preset
//   2 "time"      the effect time ("1.5" or "1.5s" seconds, "45f" frames at
//                 30 a second); empty: the host's time
//   3...          the controls people animate most, as frei0r doubles
#pragma once

#include <string>
#include <vector>

namespace Brelo {
namespace Frei0r {

// A control set through a frei0r double: 0..1 spans the control's slider,
// `low` to `high` in the units the control shows (percent, degrees, pixels).
struct DoubleControl {
  std::string control;  // the effect's control, also the parameter's name
  double low = 0, high = 1;
  std::string explanation;  // with the mapping, for the host's user interface
};

struct FilterDescription {
  std::string name;    // "brelo_lines": the file name and the frei0r name
  std::string effect;  // "BreloLines": the module's target and effect name
  std::string explanation;
  std::vector<DoubleControl> doubles;
};

enum ParamIndex { kControls = 0, kPreset = 1, kTime = 2, kFirstDouble = 3 };

FilterDescription const& linesFilter();
FilterDescription const& simpleLinesFilter();

// The explanation of the text parameters, shared by both filters.
char const* textParamExplanation(int index);
char const* textParamName(int index);

}  // namespace Frei0r
}  // namespace Brelo
