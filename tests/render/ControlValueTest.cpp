// Control values as the user writes them: each kind, its range and its
// messages; finding controls by name or index.
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "UsageError.h"
#include "brelo_render/ControlList.h"
#include "brelo_render/ControlLookup.h"
#include "brelo_render/ControlValue.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TextUtil.h"

using namespace Brelo::Render;
using RenderTest::usageError;

namespace {

ControlInfo slider(ControlKind kind, const char* name, double lo, double hi, int precision, bool percent) {
  ControlInfo c;
  c.index = 1;
  c.name = c.shownName = name;
  c.kind = kind;
  c.limited = true;
  c.validMin = lo, c.validMax = hi;
  c.precision = precision;
  c.percent = percent;
  return c;
}

ControlInfo popup(const char* name, std::vector<std::string> menu) {
  ControlInfo c;
  c.index = 2;
  c.name = c.shownName = name;
  c.kind = ControlKind::Popup;
  c.menu = std::move(menu);
  return c;
}

ControlInfo ofKind(ControlKind kind, const char* name) {
  ControlInfo c;
  c.index = 3;
  c.name = c.shownName = name;
  c.kind = kind;
  return c;
}

const LayerSize kLayer{640, 360};

// Each text, read as the control takes it, gives the number beside it.
void expectNumbers(ControlInfo const& c, std::vector<std::pair<const char*, double>> const& cases) {
  for (auto const& [text, number] : cases) EXPECT_EQ(parseControlValue(c, text, kLayer).number, number) << text;
}

}  // namespace

TEST(ControlValue, SlidersTakeTheirValidRangeAsShown) {
  ControlInfo pct = slider(ControlKind::FixedSlider, "Completion", 0, 100, 1, true);
  expectNumbers(pct, {{"50", 50.0}, {" 12.5% ", 12.5}, {"0", 0.0}, {"100", 100.0}});
  EXPECT_EQ(usageError([&] { parseControlValue(pct, "100.01", kLayer); }),
            "\"Completion\" takes 0.0% to 100.0%, not 100.01");
  EXPECT_EQ(usageError([&] { parseControlValue(pct, "-1", kLayer); }), "\"Completion\" takes 0.0% to 100.0%, not -1");
  EXPECT_EQ(usageError([&] { parseControlValue(pct, "abc", kLayer); }),
            "\"Completion\" takes a number (0.0% to 100.0%), not \"abc\"");
  for (const char* bad : {"", "nan", "inf", "0x10", "1e999", "5 5", "5%%"})
    EXPECT_NE(usageError([&] { parseControlValue(pct, bad, kLayer); }), "") << bad;

  // A percent sign belongs to percent controls only.
  ControlInfo width = slider(ControlKind::FloatSlider, "Max Slice", -10000, 10000, 1, false);
  expectNumbers(width, {{"-10000", -10000.0}, {"1e3", 1000.0}});
  usageError([&] { parseControlValue(width, "50%", kLayer); });
  EXPECT_EQ(usageError([&] { parseControlValue(width, "10000.5", kLayer); }),
            "\"Max Slice\" takes -10000.0 to 10000.0, not 10000.5");

  ControlInfo seed = slider(ControlKind::IntSlider, "Width Seed", 0, 1000000, 0, false);
  EXPECT_EQ(parseControlValue(seed, "1000000", kLayer).number, 1000000.0);
  EXPECT_EQ(usageError([&] { parseControlValue(seed, "1.5", kLayer); }),
            "\"Width Seed\" takes a whole number from 0 to 1000000, not 1.5");
}

TEST(ControlValue, AnglesInDegreesWithinTheHostsFixedPoint) {
  ControlInfo a = ofKind(ControlKind::Angle, "Direction");
  expectNumbers(a, {{"90", 90.0}, {"-720.5deg", -720.5}, {"45\xC2\xB0", 45.0}, {"32767", 32767.0}});
  EXPECT_EQ(usageError([&] { parseControlValue(a, "40000", kLayer); }),
            "\"Direction\" takes -32767 to 32767 degrees, not 40000");
  a.limited = true, a.validMin = 0, a.validMax = 360;
  EXPECT_EQ(usageError([&] { parseControlValue(a, "361", kLayer); }),
            "\"Direction\" takes 0.0 to 360.0 degrees, not 361");
}

TEST(ControlValue, PopupsByEntryTextOrNumberNeverASeparator) {
  ControlInfo p = popup("Blending Mode", {"Normal", "(-", "Add", "Soft Light"});
  expectNumbers(p, {{"Add", 3.0}, {"soft light", 4.0}, {"1", 1.0}, {"4", 4.0}});
  EXPECT_EQ(usageError([&] { parseControlValue(p, "2", kLayer); }),
            "\"Blending Mode\" has a separator line at entry 2, not a choice");
  usageError([&] { parseControlValue(p, "(-", kLayer); });
  EXPECT_EQ(usageError([&] { parseControlValue(p, "5", kLayer); }),
            "\"Blending Mode\" takes an entry from 1 to 4 (Normal, Add, Soft Light), not 5");
  usageError([&] { parseControlValue(p, "0", kLayer); });
  usageError([&] { parseControlValue(p, "1.5", kLayer); });
  EXPECT_EQ(usageError([&] { parseControlValue(p, "Screen", kLayer); }),
            "\"Blending Mode\" has no entry \"Screen\"; its entries are Normal, Add, Soft Light");
  // Entries that read as numbers are entries first.
  ControlInfo n = popup("Count", {"3", "2", "1"});
  EXPECT_EQ(parseControlValue(n, "3", kLayer).number, 1.0);
}

TEST(ControlValue, ColoursPointsAndCheckboxes) {
  ControlInfo col = ofKind(ControlKind::Color, "Midtone");
  ControlValue v = parseControlValue(col, "#80a4Ff", kLayer);
  EXPECT_EQ(v.color.red, 0x80);
  EXPECT_EQ(v.color.green, 0xA4);
  EXPECT_EQ(v.color.blue, 0xFF);
  EXPECT_EQ(v.color.alpha, 255);
  for (const char* bad : {"red", "#12345", "#1234567", "#12345G", "123456", ""})
    EXPECT_EQ(usageError([&] { parseControlValue(col, bad, kLayer); }),
              std::string("\"Midtone\" takes a colour as #RRGGBB, not \"") + bad + "\"")
        << bad;

  ControlInfo pt = ofKind(ControlKind::Point, "Center");
  v = parseControlValue(pt, "320.5, -12", kLayer);
  EXPECT_EQ(v.x, 320.5);
  EXPECT_EQ(v.y, -12.0);
  v = parseControlValue(pt, "25%,50%", kLayer);
  EXPECT_EQ(v.x, 160.0);
  EXPECT_EQ(v.y, 180.0);
  for (const char* bad : {"320", "a,b", "1,2,3", ",5"}) usageError([&] { parseControlValue(pt, bad, kLayer); });
  usageError([&] { parseControlValue(pt, "40000,0", kLayer); });

  ControlInfo box = ofKind(ControlKind::Checkbox, "Original");
  for (const char* on : {"on", "ON", "true", "yes", "1"}) EXPECT_EQ(parseControlValue(box, on, kLayer).number, 1.0);
  for (const char* off : {"off", "False", "no", "0"}) EXPECT_EQ(parseControlValue(box, off, kLayer).number, 0.0);
  EXPECT_EQ(usageError([&] { parseControlValue(box, "2", kLayer); }), "\"Original\" takes on or off, not \"2\"");

  usageError([&] { parseControlValue(ofKind(ControlKind::GroupStart, "--Slice--"), "1", kLayer); });
}

TEST(ControlValue, FormattedValuesReadBackAsTheSameValue) {
  ControlInfo p = popup("Outside", {"Transparent", "Wrap", "Reflect"});
  ControlInfo col = ofKind(ControlKind::Color, "Fill");
  ControlInfo pt = ofKind(ControlKind::Point, "Center");
  ControlInfo pct = slider(ControlKind::FixedSlider, "Completion", 0, 100, 1, true);
  for (int e = 1; e <= 3; ++e) {
    ControlValue v;
    v.number = e;
    EXPECT_EQ(formatControlValue(p, v), std::to_string(e) + " \"" + p.menu[std::size_t(e - 1)] + "\"");
    EXPECT_EQ(parseControlValue(p, p.menu[std::size_t(e - 1)], kLayer), v);
  }
  for (int c = 0; c < 256; ++c) {
    ControlValue v;
    v.color = {255, A_u_char(c), A_u_char(255 - c), A_u_char(c * 7 % 256)};
    EXPECT_EQ(parseControlValue(col, formatControlValue(col, v), kLayer), v) << c;
  }
  ControlValue v;
  v.x = 12.5, v.y = -3;
  EXPECT_EQ(formatControlValue(pt, v), "12.5,-3.0");
  EXPECT_EQ(parseControlValue(pt, formatControlValue(pt, v), kLayer), v);
  v = ControlValue();
  v.number = 33.3;
  EXPECT_EQ(formatControlValue(pct, v), "33.3%");
  EXPECT_EQ(parseControlValue(pct, formatControlValue(pct, v), kLayer), v);
}

TEST(ControlLookup, ByIndexNameShownNameAndWithSuggestions) {
  std::vector<ControlInfo> controls(5);
  controls[0].kind = ControlKind::Layer;
  controls[1] = slider(ControlKind::FixedSlider, "Completion", 0, 100, 1, true);
  controls[2] = popup("Composite Variance Space", {"RGB", "HLS"});
  controls[3] = slider(ControlKind::FixedSlider, "Composite Variance 1", 0, 100, 1, true);
  controls[3].shownName = "Composite H Variance";
  controls[4] = ofKind(ControlKind::GroupStart, "--Slice--");
  for (int i = 0; i < 5; ++i) controls[std::size_t(i)].index = i;

  EXPECT_EQ(findControl(controls, "1").index, 1);
  EXPECT_EQ(findControl(controls, " Completion ").index, 1);
  EXPECT_EQ(findControl(controls, "completion").index, 1);
  EXPECT_EQ(findControl(controls, "Composite Variance 1").index, 3);
  EXPECT_EQ(findControl(controls, "Composite H Variance").index, 3);
  EXPECT_EQ(usageError([&] { findControl(controls, "Completon"); }),
            "unknown control \"Completon\"; did you mean \"Completion\"?");
  EXPECT_EQ(usageError([&] { findControl(controls, "Composite Variance"); }),
            "unknown control \"Composite Variance\"; did you mean \"Composite Variance 1\" or "
            "\"Composite Variance Space\"?");
  EXPECT_EQ(usageError([&] { findControl(controls, "Zebra"); }),
            "unknown control \"Zebra\"; brelo-render --list shows the controls");
  EXPECT_EQ(usageError([&] { findControl(controls, "0"); }), "no control 0; the controls are numbered 1 to 4");
  usageError([&] { findControl(controls, "5"); });
  usageError([&] { findControl(controls, "99999999999"); });
  EXPECT_EQ(usageError([&] { findControl(controls, "4"); }),
            "control 4 \"--Slice--\" is a group marker and has no value");

  EXPECT_EQ(editDistance("kitten", "sitting"), 3u);
  EXPECT_EQ(editDistance("", "abc"), 3u);
  EXPECT_EQ(editDistance("Wipe", "wIPE"), 0u);
}

TEST(ControlList, ColumnsStayApartByTwoSpaces) {
  // Fields hold single spaces only, so two spaces always separate columns.
  std::string t = formatTable({{"index", "name", "menu"}, {"12", "Soft Light", "1 \"A B\""}, {"3", "-", "-"}});
  EXPECT_EQ(t, "index  name        menu\n"
               "12     Soft Light  1 \"A B\"\n"
               "3      -           -\n");
}

TEST(RenderError, EffectFailuresShowTheCodeAndTheEffectsMessageOnOneLine) {
  EXPECT_EQ(describeHostError(512), "error 512 (internal structure damaged)");
  EXPECT_EQ(describeHostError(4), "error 4 (out of memory)");
  EXPECT_EQ(describeHostError(1234), "error 1234");
  EXPECT_EQ(describeEffectFailure("BreloLines", "at smart render", 516, "Not able to acquire AEFX Suite.\r"),
            "BreloLines failed at smart render: error 516 (bad callback parameter): \"Not able to acquire AEFX Suite.\"");
  EXPECT_EQ(describeEffectFailure("X", "at global set-up", 4, ""), "X failed at global set-up: error 4 (out of memory)");
  EXPECT_EQ(describeEffectFailure("X", "here", 4, "two\nlines"), "X failed here: error 4 (out of memory): \"two lines\"");
}
