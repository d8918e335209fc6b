// Frame rate and times in the host's units: a time is a count of 1/scale
// seconds, a frame lasts `step` of them.
#pragma once

#include <string>

#include "AE_Effect.h"

namespace Brelo {
namespace Render {

struct TimeBase {
  // Thousandths of a frame, so that keyframes between frames keep their place.
  A_u_long scale = 30000;
  A_long step = 1000;

  double fps() const { return double(scale) / double(step); }
  double seconds(A_long time) const { return double(time) / double(scale); }
  // The time of frame n; throws RenderError (usage) beyond the host's range.
  A_long frameTime(long n) const;
};

// "30", "29.97", "30000/1001". Throws RenderError (usage).
TimeBase parseFrameRate(std::string const& text);

// "1.5" or "1.5s" (seconds), "45f" (frame 45). Throws RenderError (usage).
A_long parseTime(std::string const& text, TimeBase const& tb);
A_long secondsToTime(double seconds, TimeBase const& tb, std::string const& given);

// "1.5s"
std::string formatSeconds(double seconds);

}  // namespace Render
}  // namespace Brelo
