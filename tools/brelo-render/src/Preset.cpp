#include "brelo_render/Preset.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "JsonText.h"
#include "brelo_render/AtomicFile.h"
#include "brelo_render/Keyframes.h"
#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

// Keeps the file's order, so that later entries win as they did when saved.
using Json = nlohmann::ordered_json;

namespace {

constexpr const char* kFormatKey = "brelo-render preset";
constexpr int kFormatVersion = 1;

Json toJson(ControlInfo const& c, ControlValue const& v) {
  switch (c.kind) {
    case ControlKind::Popup: {
      int e = int(v.number);
      if (e >= 1 && e <= int(c.menu.size()) && !c.separator(e)) {
        // Entry text is readable; a number keeps entries of the same text apart.
        std::string const& text = c.menu[std::size_t(e - 1)];
        int same = 0;
        for (std::string const& m : c.menu) same += m == text;
        if (same == 1) return text;
      }
      return e;
    }
    case ControlKind::Checkbox: return v.number != 0;
    case ControlKind::Color: return formatControlValue(c, v);
    case ControlKind::Point: return Json::array({v.x, v.y});
    default: return v.number;
  }
}

[[noreturn]] void bad(std::string const& source, std::string const& what) {
  throw RenderError(ExitCode::Usage, source + ": " + what);
}

ControlValue fromJson(ControlInfo const& c, Json const& j, LayerSize layer, std::string const& source) {
  try {
    switch (c.kind) {
      case ControlKind::Point:
        if (j.is_array() && j.size() == 2 && j[0].is_number() && j[1].is_number())
          return pointValue(c, j[0].get<double>(), j[1].get<double>());
        break;
      case ControlKind::Checkbox:
        if (j.is_boolean()) return numberValue(c, j.get<bool>() ? 1 : 0, j.dump());
        break;
      case ControlKind::Popup:
        if (j.is_string()) return popupValue(c, j.get<std::string>());
        if (j.is_number()) return numberValue(c, j.get<double>(), j.dump());
        break;
      case ControlKind::Color:
        if (j.is_string()) return parseControlValue(c, j.get<std::string>(), layer);
        break;
      default:
        if (j.is_number()) return numberValue(c, j.get<double>(), j.dump());
        break;
    }
  } catch (RenderError const& e) {
    bad(source, e.what());
  }
  bad(source, "\"" + c.name + "\" cannot take " + j.dump());
}

}  // namespace

std::string presetText(EffectControls const& controls) {
  Json doc;
  doc[kFormatKey] = kFormatVersion;
  doc["effect"] = controls.effectName();
  Json values = Json::object();
  TimeBase const& tb = controls.timeBase();
  for (ControlInfo const& c : controls.controls()) {
    if (!c.settable()) continue;
    // Two controls of one name: the later one goes by its index.
    std::string key = values.contains(c.name) ? std::to_string(c.index) : c.name;
    std::vector<A_long> times = controls.keyframeTimes(c);
    std::string const& expression = controls.expression(c);
    Json entry;
    if (!times.empty()) {
      Json keys = Json::array();
      for (A_long t : times) keys.push_back(Json::array({tb.seconds(t), toJson(c, controls.ownValueAt(c, t))}));
      entry = Json{{"keys", keys}};
    } else {
      ControlValue v = controls.ownValueAt(c, 0);
      if (v == controls.defaultValue(c) && expression.empty()) continue;
      entry = toJson(c, v);
      if (!expression.empty()) entry = Json{{"value", entry}};
    }
    if (!expression.empty()) entry["expression"] = expression;
    values[key] = entry;
  }
  doc["controls"] = values;
  return jsonText(doc) + "\n";
}

void savePreset(EffectControls const& controls, std::string const& path) {
  std::string text = presetText(controls);
  AtomicFile f(path);
  f.write(text.data(), text.size());
  f.commit();
}

void loadPresetText(EffectControls& controls, std::string const& text, std::string const& source) {
  Json doc;
  try {
    doc = Json::parse(text);
  } catch (Json::parse_error const& e) {
    // "[json.exception.parse_error.101] parse error at line 3, column 5: ..."
    std::string what = e.what();
    std::size_t at = what.find("] ");
    bad(source, "not a valid preset: " + (at == std::string::npos ? what : what.substr(at + 2)));
  }
  if (!doc.is_object() || !doc.contains(kFormatKey))
    bad(source, "not a brelo-render preset (no \"" + std::string(kFormatKey) + "\" entry)");
  if (!doc[kFormatKey].is_number_integer() || doc[kFormatKey].get<long long>() != kFormatVersion)
    bad(source, "preset format " + doc[kFormatKey].dump() + " is not one this brelo-render reads");
  if (doc.contains("effect")) {
    if (!doc["effect"].is_string()) bad(source, "\"effect\" must be a name");
    std::string effect = doc["effect"].get<std::string>();
    if (effect != controls.effectName())
      bad(source, "the preset is for " + effect + ", not " + controls.effectName());
  }
  if (!doc.contains("controls") || !doc["controls"].is_object()) bad(source, "no \"controls\" object");

  TimeBase const& tb = controls.timeBase();
  for (auto const& item : doc["controls"].items()) {
    ControlInfo const* c = nullptr;
    try {
      c = &controls.find(item.key());
    } catch (RenderError const& e) {
      bad(source, e.what());
    }
    Json const& j = item.value();
    std::string expression;
    if (j.is_object() && j.contains("expression")) {
      if (!j["expression"].is_string()) bad(source, "\"" + c->name + "\": an expression is text");
      expression = j["expression"].get<std::string>();
    }
    if (j.is_object() && j.contains("value")) {
      controls.setValue(*c, fromJson(*c, j["value"], controls.layer(), source), false);
    } else if (j.is_object()) {
      if (!j.contains("keys") || !j["keys"].is_array() || j["keys"].empty())
        bad(source, "\"" + c->name + "\": keyframes take {\"keys\": [[seconds, value], ...]}");
      std::vector<Keyframe> keys;
      for (Json const& k : j["keys"]) {
        if (!k.is_array() || k.size() != 2 || !k[0].is_number())
          bad(source, "\"" + c->name + "\": a keyframe takes [seconds, value], not " + k.dump());
        double seconds = k[0].get<double>();
        A_long t = 0;
        try {
          t = secondsToTime(seconds, tb, k[0].dump());
        } catch (RenderError const& e) {
          bad(source, e.what());
        }
        keys.push_back({t, fromJson(*c, k[1], controls.layer(), source)});
      }
      try {
        controls.setKeyframes(*c, keys, false);
      } catch (RenderError const& e) {
        if (e.code() != ExitCode::Usage) throw;
        bad(source, e.what());
      }
    } else {
      controls.setValue(*c, fromJson(*c, j, controls.layer(), source), false);
    }
    controls.setExpression(*c, expression);
  }
}

void loadPreset(EffectControls& controls, std::string const& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) bad(path, std::string("cannot read the preset: ") + std::strerror(errno));
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) bad(path, "cannot read the preset");
  loadPresetText(controls, ss.str(), path);
}

}  // namespace Render
}  // namespace Brelo
