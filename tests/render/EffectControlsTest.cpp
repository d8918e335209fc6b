// Controls set on a loaded module: keyframes as the host interpolates them,
// supervised edits, renamed controls and presets.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>

#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TempDir.h"
#include "UsageError.h"
#include "brelo_host/Module.h"
#include "brelo_host/Session.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/Preset.h"
#include "brelo_render/RenderError.h"

using namespace Brelo;
using namespace Brelo::Render;
using RenderTest::usageError;

namespace {

// A module loaded into a fresh simulated host, controls set up.
struct Loaded {
  explicit Loaded(const char* path, const char* name, const char* fps = "30")
      : module(path), session(module.entry(), 64, 48), controls(session, name, parseFrameRate(fps), {64, 48}) {}
  Sim::Module module;
  Sim::Session session;
  EffectControls controls;

  ControlValue at(const char* control, double seconds) {
    return controls.valueAt(controls.find(control), A_long(seconds * 30000));
  }
};

}  // namespace

TEST(EffectControls, KeyframesAreLinearBetweenKeysAndHeldOutside) {
  Loaded m(BRELO_TEST_MODULE, "SimTestModule");
  m.controls.assign("Gain=0@0;100@2");
  EXPECT_EQ(m.at("Gain", -1).number, 0.0);
  EXPECT_EQ(m.at("Gain", 0.5).number, 25.0);
  EXPECT_EQ(m.at("Gain", 1).number, 50.0);
  EXPECT_EQ(m.at("Gain", 2).number, 100.0);
  EXPECT_EQ(m.at("Gain", 7).number, 100.0);

  m.controls.assign("Angle=0@0;-90@1");
  EXPECT_EQ(m.at("Angle", 0.5).number, -45.0);
  m.controls.assign("Offset=0,0@0;100,50%@1");
  EXPECT_EQ(m.at("Offset", 0.5).x, 50.0);
  EXPECT_EQ(m.at("Offset", 0.5).y, 12.0);
  m.controls.assign("Fill Color=#000000@0;#FF0080@1");
  EXPECT_EQ(m.at("Fill Color", 0.5).color.red, 128);  // 127.5 rounds up
  EXPECT_EQ(m.at("Fill Color", 0.5).color.blue, 64);
  EXPECT_EQ(m.at("Fill Color", 3).color.red, 255);
  // Popups hold each key until the next.
  m.controls.assign("Mode=Copy@0;Sample@1");
  EXPECT_EQ(m.at("Mode", 29999.0 / 30000).number, 1.0);
  EXPECT_EQ(m.at("Mode", 1).number, 3.0);

  // A plain value replaces the keys.
  m.controls.assign("Gain=40");
  EXPECT_TRUE(m.controls.keyframeTimes(m.controls.find("Gain")).empty());
  EXPECT_EQ(m.at("Gain", 1).number, 40.0);

  EXPECT_EQ(usageError([&] { m.controls.assign("Enabled=on@0;off@1"); }),
            "\"Enabled\" is fixed in time and takes no keyframes");
  EXPECT_EQ(usageError([&] { m.controls.assign("Gain"); }), "--set takes NAME=VALUE, not \"Gain\"");
  usageError([&] { m.controls.assign("Gain=0@0;200@1"); });
}

TEST(EffectControls, SupervisedEditsReachTheEffectAndPresetsDoNot) {
  Loaded m(BRELO_LINES_MODULE, "BreloLines");
  m.controls.assign("RGB Type=Red/Cyan");
  EXPECT_EQ(m.at("RGB Color 2", 0).color.green, 0);
  EXPECT_EQ(m.at("RGB Color 3", 0).color.green, 255);
  EXPECT_EQ(m.at("RGB Color 3", 0).color.blue, 255);
  m.controls.assign("RGB Color 1=#123456");
  EXPECT_EQ(m.at("RGB Type", 0).number, 4.0);  // Manual
  m.controls.assign("Utility Per=3");
  for (const char* per : {"Slice Per", "RGB Per", "Color Per", "Composite Per", "Wipe Per"})
    EXPECT_EQ(m.at(per, 0).number, 3.0) << per;

  // A preset is state as saved: choosing a type there sets no colours.
  loadPresetText(m.controls,
                 R"({"brelo-render preset": 1, "effect": "BreloLines", "controls": {"RGB Type": "Blue/Yellow"}})",
                 "p.json");
  EXPECT_EQ(m.at("RGB Type", 0).number, 3.0);
  EXPECT_EQ(m.at("RGB Color 1", 0).color.red, 0x12);

  // Controls go by the names the user interface shows too.
  m.controls.assign("Composite Variance Space=RGB");
  m.controls.refreshUI();
  ControlInfo const& v1 = m.controls.find("Composite R Variance");
  EXPECT_EQ(v1.index, 88);
  EXPECT_EQ(v1.name, "Composite Variance 1");
}

TEST(Preset, SavesWhatDiffersFromTheDefaultsAndLoadsItBack) {
  std::string text;
  std::vector<std::pair<double, std::vector<ControlValue>>> expected;
  {
    Loaded m(BRELO_TEST_MODULE, "SimTestModule");
    m.controls.assign("Gain=100");  // the default: not saved
    m.controls.assign("Mode=Fill");
    m.controls.assign("Fill Color=#336699");
    m.controls.assign("Amount=0.1");
    m.controls.assign("Offset=1.5,-2");
    m.controls.assign("Enabled=on");
    m.controls.assign("Angle=10@0;-20@1.25");
    text = presetText(m.controls);
    for (double t : {0.0, 0.4, 1.25, 3.0}) {
      std::vector<ControlValue> values;
      for (ControlInfo const& c : m.controls.controls())
        if (c.settable()) values.push_back(m.controls.valueAt(c, A_long(t * 30000)));
      expected.push_back({t, values});
    }
  }
  nlohmann::json doc = nlohmann::json::parse(text);
  EXPECT_EQ(doc["brelo-render preset"], 1);
  EXPECT_EQ(doc["effect"], "SimTestModule");
  nlohmann::json const& c = doc["controls"];
  EXPECT_FALSE(c.contains("Gain"));
  EXPECT_EQ(c["Mode"], "Fill");
  EXPECT_EQ(c["Fill Color"], "#336699");
  EXPECT_EQ(c["Amount"], 0.1);
  EXPECT_EQ(c["Offset"], nlohmann::json::array({1.5, -2.0}));
  EXPECT_EQ(c["Enabled"], true);
  EXPECT_EQ(c["Angle"]["keys"], nlohmann::json::parse("[[0.0, 10.0], [1.25, -20.0]]"));
  EXPECT_EQ(c.size(), 6u);

  Loaded m(BRELO_TEST_MODULE, "SimTestModule");
  loadPresetText(m.controls, text, "p.json");
  for (auto const& [t, values] : expected) {
    std::size_t i = 0;
    for (ControlInfo const& info : m.controls.controls()) {
      if (!info.settable()) continue;
      EXPECT_EQ(m.controls.valueAt(info, A_long(t * 30000)), values[i++]) << info.name << " at " << t;
    }
  }
}

TEST(Preset, BadPresetsAreRefusedWithTheirReason) {
  Loaded m(BRELO_TEST_MODULE, "SimTestModule");
  auto load = [&](std::string const& controls, std::string const& effect = "SimTestModule") {
    return usageError([&] {
      loadPresetText(m.controls,
                     R"({"brelo-render preset": 1, "effect": ")" + effect + R"(", "controls": )" + controls + "}",
                     "p.json");
    });
  };
  EXPECT_EQ(load("{}", "BreloLines"), "p.json: the preset is for BreloLines, not SimTestModule");
  EXPECT_EQ(load(R"({"Gian": 5})"), "p.json: unknown control \"Gian\"; did you mean \"Gain\"?");
  EXPECT_EQ(load(R"({"Gain": 500})"), "p.json: \"Gain\" takes 0 to 100, not 500");
  EXPECT_EQ(load(R"({"Gain": "loud"})"), "p.json: \"Gain\" cannot take \"loud\"");
  EXPECT_EQ(load(R"({"Mode": "Blur"})"), "p.json: \"Mode\" has no entry \"Blur\"; its entries are Copy, Fill, Sample");
  EXPECT_EQ(load(R"({"Gain": {"keys": [[1, 0], [0, 5]]}})"),
            "p.json: keyframes of \"Gain\" out of order: 0s comes after 1s; give them in increasing time");
  EXPECT_EQ(load(R"({"Gain": {"keys": [[0]]}})"), "p.json: \"Gain\": a keyframe takes [seconds, value], not [0]");
  EXPECT_EQ(load(R"({"Enabled": {"keys": [[0, true]]}})"), "p.json: \"Enabled\" is fixed in time and takes no keyframes");
  EXPECT_EQ(load("[]"), "p.json: no \"controls\" object");
  std::string e = usageError([&] { loadPresetText(m.controls, "{\"brelo-render preset\": 1,\n \"controls\": {", "p.json"); });
  EXPECT_NE(e.find("p.json: not a valid preset: parse error at line 2"), std::string::npos) << e;
  EXPECT_EQ(usageError([&] { loadPresetText(m.controls, "{\"controls\": {}}", "p.json"); }),
            "p.json: not a brelo-render preset (no \"brelo-render preset\" entry)");
  EXPECT_EQ(usageError([&] { loadPresetText(m.controls, "{\"brelo-render preset\": 2}", "p.json"); }),
            "p.json: preset format 2 is not one this brelo-render reads");
  EXPECT_EQ(usageError([&] { loadPreset(m.controls, "/nonexistent/p.json"); }),
            "/nonexistent/p.json: cannot read the preset: No such file or directory");
}

// Preset files come from anywhere: whatever is wrong with one is a usage
// error naming the file and the place, found without reading more than a
// preset can hold.
TEST(Preset, EveryProblemOfAPresetFileNamesTheFileAndThePlace) {
  Loaded m(BRELO_TEST_MODULE, "SimTestModule");
  auto loadText = [&](std::string const& text) { return usageError([&] { loadPresetText(m.controls, text, "p.json"); }); };
  const std::string head = "{\"brelo-render preset\": 1,\n \"effect\": \"SimTestModule\",\n \"controls\": ";
  EXPECT_EQ(loadText(head + "{\"Gain\": 1e999}}"),
            "p.json: not a valid preset: parse error at line 3, column 27: number 1e999 is out of range");
  EXPECT_EQ(loadText(head + "{\"Gain\": {\"keys\": [[0, 1], [-1E+400, 2]]}}}"),
            "p.json: not a valid preset: parse error at line 3, column 48: number -1E+400 is out of range");
  EXPECT_EQ(loadText("{\"a\": \"[[[\", \"b\":\n" + std::string(40, '[') + std::string(40, ']') + "}"),
            "p.json: not a valid preset: parse error at line 2, column 32: nested more than 32 levels deep");
  EXPECT_EQ(loadText(std::string(1000000, '[')),
            "p.json: not a valid preset: parse error at line 1, column 33: nested more than 32 levels deep");
  EXPECT_EQ(loadText(head + "{\"Fill Color\": \"\xff\"}}"),
            "p.json: not a valid preset: parse error at line 3, column 30: syntax error while parsing value - invalid "
            "string: ill-formed UTF-8 byte; last read: '\"\xff'");
  // What the user wrote is quoted short.
  const std::string lots(5000000, 'z');
  EXPECT_EQ(loadText(head + "{\"" + lots + "\": 1}}"),
            "p.json: unknown control \"" + std::string(80, 'z') + "...\"; brelo-render --list shows the controls");
  EXPECT_EQ(loadText(head + "{\"Fill Color\": \"" + lots + "\"}}"),
            "p.json: \"Fill Color\" takes a colour as #RRGGBB, not \"" + std::string(80, 'z') + "...\"");
  EXPECT_EQ(loadText(head + "{\"Gain\": [\"" + lots + "\"]}}"),
            "p.json: \"Gain\" cannot take [\"" + std::string(58, 'z') + "...");
  EXPECT_EQ(loadText(head + "{\"Gain\": {\"keys\": [[1e300, 1]]}}}"), "p.json: time 1e+300 lies beyond the host's time range");

  BreloTest::TempDir dir;
  const std::string big = dir / "big.json";
  BreloTest::writeFile(big, "");
  ASSERT_EQ(truncate(big.c_str(), (16 << 20) + 1), 0);
  EXPECT_EQ(usageError([&] { loadPreset(m.controls, big); }),
            big + ": the file is 16777217 bytes; a preset is at most 16 MiB");
  ASSERT_EQ(truncate(big.c_str(), 16 << 20), 0);  // at the limit: read, and found wanting
  EXPECT_EQ(usageError([&] { loadPreset(m.controls, big); }).rfind(big + ": not a valid preset: ", 0), 0u);
  EXPECT_EQ(usageError([&] { loadPreset(m.controls, "/dev/zero"); }),
            "/dev/zero: more than 16 MiB to read; a preset is at most that");
  EXPECT_EQ(usageError([&] { loadPreset(m.controls, "/"); }), "/: cannot read the preset: it is a directory");
}

TEST(Preset, ExpressionsTravelWithTheControlsOwnValue) {
  std::string text;
  ControlValue fitted, center;
  {
    Loaded m(BRELO_LINES_MODULE, "BreloLines");
    m.controls.assign("Direction=30");
    m.controls.assign("Set Expression=Optimum Total Width");
    ControlInfo const& total = m.controls.find("Total Width");
    EXPECT_FALSE(m.controls.expression(total).empty());
    fitted = m.at("Total Width", 0);
    // The layer's extent across strips at 30 degrees: 64 sin 30 + 48 cos 30.
    EXPECT_NEAR(fitted.number, 64 * 0.5 + 48 * std::sqrt(3.0) / 2, 1e-9);
    EXPECT_EQ(m.controls.ownValueAt(total, 0).number, 300.0);
    center = m.at("Center", 0);
    text = presetText(m.controls);
  }
  nlohmann::json doc = nlohmann::json::parse(text);
  EXPECT_EQ(doc["controls"]["Total Width"]["value"], 300.0);
  EXPECT_TRUE(doc["controls"]["Total Width"]["expression"].is_string());

  Loaded m(BRELO_LINES_MODULE, "BreloLines");
  loadPresetText(m.controls, text, "p.json");
  EXPECT_EQ(m.at("Total Width", 0), fitted);
  EXPECT_EQ(m.at("Center", 0), center);
  m.controls.assign("Direction=90");
  EXPECT_NEAR(m.at("Total Width", 0).number, 64.0, 1e-9);
}

namespace {

std::string number(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// A value the control takes, as a user types it, rarely a round number.
std::string randomValue(ControlInfo const& c, std::mt19937& rng) {
  auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  switch (c.kind) {
    case ControlKind::IntSlider:
      return number(std::floor(uniform(c.validMin, std::min(c.validMax, c.validMin + 1000.0) + 1)));
    case ControlKind::FixedSlider:
    case ControlKind::FloatSlider: {
      double v = uniform(c.validMin, c.validMax);
      if (pick(0, 2) == 0) v = std::round(v * 1e5) / 1e5;  // typed with five decimals
      return number(std::min(c.validMax, std::max(c.validMin, v))) + (c.percent && pick(0, 1) ? "%" : "");
    }
    case ControlKind::Angle:
      return number(c.limited ? uniform(c.validMin, c.validMax) : uniform(-1000, 1000));
    case ControlKind::Popup: {
      int e;
      do e = pick(1, int(c.menu.size()));
      while (c.separator(e));
      return std::to_string(e);
    }
    case ControlKind::Checkbox:
      return pick(0, 1) ? "on" : "off";
    case ControlKind::Color: {
      char buf[8];
      std::snprintf(buf, sizeof buf, "#%02X%02X%02X", pick(0, 255), pick(0, 255), pick(0, 255));
      return buf;
    }
    case ControlKind::Point:
      return number(uniform(-200, 300)) + "," + number(uniform(-200, 300));
    default:
      return "";
  }
}

// Key times: whole frames (not whole seconds) and arbitrary instants.
std::string randomTime(std::mt19937& rng) {
  if (std::uniform_int_distribution<int>(0, 1)(rng)) return std::to_string(std::uniform_int_distribution<int>(-40, 400)(rng)) + "f";
  return number(std::uniform_real_distribution<double>(-3, 20)(rng));
}

// Key times, and held values over a long animation (every frame and times
// between frames), of every control.
using HostState = std::vector<std::pair<std::vector<double>, std::vector<std::array<double, 4>>>>;

HostState hostState(Loaded& m) {
  HostState out;
  Sim::Instance const& inst = m.session.instance();
  for (ControlInfo const& c : m.controls.controls()) {
    if (!c.settable()) continue;
    std::vector<std::array<double, 4>> values;
    for (A_long t = -60000; t <= 420000; t += 997) values.push_back(inst.heldValue(c.index, t));
    out.push_back({inst.keyframeTimes(c.index), values});
  }
  return out;
}

}  // namespace

// A preset holds what the host holds: loaded again, every control has the
// same keys and the same doubles, so every frame interpolates the same.
TEST(Preset, RandomKeyframedSettingsReadBackExactly) {
  std::mt19937 rng(14);
  const struct {
    const char* path;
    const char* name;
  } modules[] = {{BRELO_LINES_MODULE, "BreloLines"}, {BRELO_SIMPLELINES_MODULE, "BreloSimpleLines"},
                 {BRELO_TEST_MODULE, "SimTestModule"}};
  int keyed = 0;
  for (auto const& mod : modules) {
    for (const char* fps : {"30", "29.97", "24000/1001", "59.94"}) {
      std::string text, context = std::string(mod.name) + " at " + fps + ":";
      HostState saved;
      {
        Loaded a(mod.path, mod.name, fps);
        for (ControlInfo const& c : a.controls.controls()) {
          if (!c.settable() || std::uniform_int_distribution<int>(0, 2)(rng) != 0) continue;
          std::string value;
          const int keys = c.fixedInTime ? 0 : std::uniform_int_distribution<int>(0, 4)(rng);
          if (keys == 0) {
            value = randomValue(c, rng);
          } else {
            std::vector<std::pair<A_long, std::string>> times;
            while (int(times.size()) < keys) {
              std::string t = randomTime(rng);
              A_long at = parseTime(t, a.controls.timeBase());
              bool taken = false;
              for (auto const& k : times) taken = taken || k.first == at;
              if (!taken) times.push_back({at, t});
            }
            std::sort(times.begin(), times.end());
            for (auto const& k : times) value += (value.empty() ? "" : ";") + randomValue(c, rng) + "@" + k.second;
            ++keyed;
          }
          a.controls.assign(c.name + "=" + value);
          context += " -s \"" + c.name + "=" + value + "\"";
        }
        text = presetText(a.controls);
        saved = hostState(a);
      }
      Loaded b(mod.path, mod.name, fps);
      loadPresetText(b.controls, text, "p.json");
      EXPECT_EQ(presetText(b.controls), text) << context;
      HostState const loaded = hostState(b);
      ASSERT_EQ(loaded.size(), saved.size());
      for (std::size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(loaded[i].first, saved[i].first) << "keys of control " << i << "; " << context;
        EXPECT_TRUE(loaded[i].second == saved[i].second) << "values of control " << i << "; " << context;
      }
    }
  }
  EXPECT_GT(keyed, 50);
}

TEST(Preset, NumbersAreWrittenInTheirShortestExactForm) {
  Loaded m(BRELO_LINES_MODULE, "BreloLines");
  // 930.21481 and 116.0565657386203 are among the numbers a plain JSON
  // writer spells with more digits than they need.
  m.controls.assign("Max Width 1=930.21481");
  m.controls.assign("Total Width=116.05656573862029");
  m.controls.assign("Max Slice=2");
  m.controls.assign("Direction=1e-7@0;45@97f");
  const std::string text = presetText(m.controls);
  EXPECT_NE(text.find("\"Max Width 1\": 930.21481,\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Total Width\": 116.0565657386203,\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Max Slice\": 2.0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"keys\": [\n        [\n          0.0,\n          1e-07\n        ],\n        [\n"
                      "          3.2333333333333334,\n          45.0\n        ]\n      ]"),
            std::string::npos)
      << text;
  // Laid out as the JSON library lays it out: only those numbers differ.
  std::string library = nlohmann::ordered_json::parse(text).dump(2) + "\n";
  for (auto const& [longer, shortest] : {std::pair<std::string, std::string>{"116.05656573862029", "116.0565657386203"},
                                         {"930.2148100000001", "930.21481"}}) {
    ASSERT_NE(library.find(longer), std::string::npos) << library;
    library.replace(library.find(longer), longer.size(), shortest);
  }
  EXPECT_EQ(library, text);
}

