#include "brelo_render/Keyframes.h"

#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

bool isKeyframeList(std::string const& text) { return text.find('@') != std::string::npos; }

void checkKeyframeOrder(std::vector<A_long> const& times, TimeBase const& tb, std::string const& control) {
  for (std::size_t i = 1; i < times.size(); ++i) {
    if (times[i] == times[i - 1])
      throw RenderError(ExitCode::Usage, "keyframes of \"" + control + "\": two keys at " +
                                             formatSeconds(tb.seconds(times[i])));
    if (times[i] < times[i - 1])
      throw RenderError(ExitCode::Usage, "keyframes of \"" + control + "\" out of order: " +
                                             formatSeconds(tb.seconds(times[i])) + " comes after " +
                                             formatSeconds(tb.seconds(times[i - 1])) +
                                             "; give them in increasing time");
  }
}

std::vector<KeyframeText> parseKeyframes(std::string const& text, TimeBase const& tb, std::string const& control) {
  std::vector<KeyframeText> keys;
  std::vector<A_long> times;
  for (std::string const& part : split(text, ';')) {
    std::string p = trim(part);
    if (p.empty()) continue;
    std::size_t at = p.rfind('@');
    if (at == std::string::npos || trim(p.substr(0, at)).empty())
      throw RenderError(ExitCode::Usage, "keyframes of \"" + control + "\" take value@time;value@time..., not \"" +
                                             shownText(p) + "\"");
    KeyframeText k;
    k.value = trim(p.substr(0, at));
    k.time = parseTime(p.substr(at + 1), tb);
    keys.push_back(k);
    times.push_back(k.time);
  }
  if (keys.empty()) throw RenderError(ExitCode::Usage, "keyframes of \"" + control + "\": the list is empty");
  checkKeyframeOrder(times, tb, control);
  return keys;
}

}  // namespace Render
}  // namespace Brelo
