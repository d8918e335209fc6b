// Keyframe lists as the user writes them: "0@0;100@2" (value@time; times
// in seconds, or frames as "45f"). Values stay text until the control that
// reads them is known.
#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"
#include "brelo_render/TimeBase.h"

namespace Brelo {
namespace Render {

struct KeyframeText {
  A_long time = 0;  // host time units
  std::string value;
};

bool isKeyframeList(std::string const& text);

// Parses the list; keys must come in strictly increasing time. `control`
// names the control in messages. Throws RenderError (usage).
std::vector<KeyframeText> parseKeyframes(std::string const& text, TimeBase const& tb, std::string const& control);

// Throws RenderError (usage) unless the times increase strictly.
void checkKeyframeOrder(std::vector<A_long> const& times, TimeBase const& tb, std::string const& control);

}  // namespace Render
}  // namespace Brelo
