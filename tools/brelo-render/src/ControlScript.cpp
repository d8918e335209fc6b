#include "brelo_render/ControlScript.h"

#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

// "Name=..." starts a setting; "100@2" (or "Reflect@1") continues keyframes.
bool startsSetting(std::string const& part) {
  std::size_t eq = part.find('=');
  return eq != std::string::npos && eq < part.find('@');
}

}  // namespace

std::vector<std::string> splitControlScript(std::string const& text) {
  std::vector<std::string> settings;
  std::string line;
  for (std::string raw : split(text, '\n')) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    bool open = false;  // the line's last setting may take more keyframes
    for (std::string const& piece : split(raw, ';')) {
      std::string part = trim(piece);
      if (part.empty()) continue;
      if (startsSetting(part)) {
        settings.push_back(part);
        open = true;
      } else if (open && part.find('@') != std::string::npos) {
        settings.back() += ";" + part;
      } else {
        throw RenderError(ExitCode::Usage, "a setting takes NAME=VALUE (keyframes NAME=VALUE@TIME;VALUE@TIME), not \"" +
                                               part + "\"");
      }
    }
  }
  return settings;
}

void applyControlScript(EffectControls& controls, std::string const& text) {
  std::vector<std::string> settings = splitControlScript(text);
  for (std::string const& s : settings) controls.assign(s);
  if (!settings.empty()) controls.refreshUI();
}

}  // namespace Render
}  // namespace Brelo
