#include "brelo_render/ControlLookup.h"

#include <algorithm>
#include <cctype>

#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

bool allDigits(std::string const& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
}

ControlInfo const& usable(ControlInfo const& c) {
  if (c.settable()) return c;
  if (c.kind == ControlKind::GroupStart || c.kind == ControlKind::GroupEnd)
    throw RenderError(ExitCode::Usage, "control " + std::to_string(c.index) +
                                           (c.name.empty() ? "" : " \"" + c.name + "\"") +
                                           " is a group marker and has no value");
  throw RenderError(ExitCode::Usage, "control " + std::to_string(c.index) + " \"" + c.name + "\" is a " +
                                         kindName(c.kind) + ", which brelo-render cannot set");
}

}  // namespace

std::vector<std::string> nearestNames(std::vector<ControlInfo> const& controls, std::string const& key) {
  struct Candidate {
    std::size_t distance;
    std::string name;
  };
  std::vector<Candidate> found;
  // A typo or two, a word left out: about a third of the name may differ.
  std::size_t limit = std::max<std::size_t>(2, key.size() / 3);
  for (ControlInfo const& c : controls) {
    if (!c.settable()) continue;
    // Names whose length alone puts them too far are not compared: a long
    // key would cost its length times every name's.
    auto lengthApart = [&](std::string const& n) {
      return (key.size() > n.size() ? key.size() - n.size() : n.size() - key.size()) > limit;
    };
    if (lengthApart(c.name) && lengthApart(c.shownName)) continue;
    // One suggestion a control: the nearer of its names, the registered one on a tie.
    std::size_t d = editDistance(key, c.name), shown = editDistance(key, c.shownName);
    std::string const& n = shown < d ? c.shownName : c.name;
    d = std::min(d, shown);
    if (d > limit) continue;
    bool seen = std::any_of(found.begin(), found.end(), [&](Candidate const& f) { return f.name == n; });
    if (!seen) found.push_back({d, n});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](Candidate const& a, Candidate const& b) { return a.distance < b.distance; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < found.size() && i < 3; ++i) out.push_back(found[i].name);
  return out;
}

ControlInfo const& findControl(std::vector<ControlInfo> const& controls, std::string const& rawKey) {
  std::string key = trim(rawKey);
  if (allDigits(key)) {
    std::size_t i = key.size() > 6 ? controls.size() : std::size_t(std::stoul(key));
    if (i >= 1 && i < controls.size() && controls[i].index == int(i)) return usable(controls[i]);
    throw RenderError(ExitCode::Usage, "no control " + shownText(key) + "; the controls are numbered 1 to " +
                                           std::to_string(controls.empty() ? 0 : controls.size() - 1));
  }
  for (ControlInfo const& c : controls) {
    if (c.index > 0 && (c.name == key || c.shownName == key)) return usable(c);
  }
  for (ControlInfo const& c : controls) {
    if (c.index > 0 && (equalsIgnoreCase(c.name, key) || equalsIgnoreCase(c.shownName, key))) return usable(c);
  }
  std::string msg = "unknown control \"" + shownText(key) + "\"";
  std::vector<std::string> near = nearestNames(controls, key);
  if (near.empty()) {
    msg += "; brelo-render --list shows the controls";
  } else {
    msg += "; did you mean ";
    for (std::size_t i = 0; i < near.size(); ++i) {
      if (i > 0) msg += i + 1 == near.size() ? " or " : ", ";
      msg += "\"" + near[i] + "\"";
    }
    msg += "?";
  }
  throw RenderError(ExitCode::Usage, msg);
}

}  // namespace Render
}  // namespace Brelo
