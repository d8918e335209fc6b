#include "brelo_render/Preset.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <nlohmann/json.hpp>

#include "JsonText.h"
#include "brelo_image/AtomicFile.h"
#include "brelo_render/Keyframes.h"
#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

// Keeps the file's order, so that later entries win as they did when saved.
using Json = nlohmann::ordered_json;

namespace {

constexpr const char* kFormatKey = "brelo-render preset";
constexpr int kFormatVersion = 1;
// A preset is a few kilobytes; a file this large is not one, and the limit
// keeps a device that never ends (/dev/zero) from filling the memory.
constexpr std::size_t kMaxPresetBytes = std::size_t(16) << 20;
// Presets nest four deep; the limit keeps messages that quote a value from
// recursing without bound.
constexpr std::size_t kMaxPresetDepth = 32;

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
  bad(source, "\"" + c.name + "\" cannot take " + jsonExcerpt(j));
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
  ImageIO::AtomicFile f(path);
  f.write(text.data(), text.size());
  f.commit();
}

namespace {

void applyPreset(EffectControls& controls, std::string const& text, std::string const& source) {
  Json doc;
  try {
    doc = readJsonText(text, kMaxPresetDepth);
  } catch (JsonTextError const& e) {
    bad(source, std::string("not a valid preset: ") + e.what());
  }
  if (!doc.is_object() || !doc.contains(kFormatKey))
    bad(source, "not a brelo-render preset (no \"" + std::string(kFormatKey) + "\" entry)");
  if (!doc[kFormatKey].is_number_integer() || doc[kFormatKey].get<long long>() != kFormatVersion)
    bad(source, "preset format " + jsonExcerpt(doc[kFormatKey]) + " is not one this brelo-render reads");
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
          bad(source, "\"" + c->name + "\": a keyframe takes [seconds, value], not " + jsonExcerpt(k));
        double seconds = k[0].get<double>();
        A_long t = 0;
        try {
          t = secondsToTime(seconds, tb, jsonExcerpt(k[0]));
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

}  // namespace

void loadPresetText(EffectControls& controls, std::string const& text, std::string const& source) {
  try {
    applyPreset(controls, text, source);
  } catch (Json::exception const& e) {
    // Nothing above should let one through; a preset's fault all the same.
    bad(source, std::string("not a valid preset: ") + e.what());
  }
}

void loadPreset(EffectControls& controls, std::string const& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) bad(path, std::string("cannot read the preset: ") + std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  const bool known = ::fstat(fd, &st) == 0;
  if (known && S_ISDIR(st.st_mode)) bad(path, "cannot read the preset: it is a directory");
  if (known && S_ISREG(st.st_mode) && std::uint64_t(st.st_size) > kMaxPresetBytes)
    bad(path, "the file is " + std::to_string(st.st_size) + " bytes; a preset is at most " +
                  std::to_string(kMaxPresetBytes >> 20) + " MiB");
  // Devices and pipes tell no size: read one byte past the limit at most.
  std::string text;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) bad(path, std::string("cannot read the preset: ") + std::strerror(errno));
    if (n == 0) break;
    text.append(buf, std::size_t(n));
    if (text.size() > kMaxPresetBytes)
      bad(path, "more than " + std::to_string(kMaxPresetBytes >> 20) + " MiB to read; a preset is at most that");
  }
  loadPresetText(controls, text, path);
}

}  // namespace Render
}  // namespace Brelo
