// --list against what the simulated host records of the module's
// parameter set-up.
#include <cstdio>
#include <cstring>
#include <regex>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "brelo_host/Module.h"
#include "brelo_host/Session.h"
#include "brelo_render/TextUtil.h"

using namespace RenderTest;
using namespace Brelo;

namespace {

std::vector<std::string> splitFields(std::string const& line) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < line.size()) {
    std::size_t gap = line.find("  ", pos);
    if (gap == std::string::npos) gap = line.size();
    out.push_back(line.substr(pos, gap - pos));
    pos = line.find_first_not_of(' ', gap);
    if (pos == std::string::npos) break;
  }
  return out;
}

std::vector<std::vector<std::string>> listRows(const char* module) {
  TempDir dir;
  RunResult r = runTool({"--plugin", module, "--list"}, dir.path());
  EXPECT_EQ(r.code, 0) << r.err;
  std::vector<std::vector<std::string>> rows;
  std::size_t start = 0;
  while (start < r.out.size()) {
    std::size_t nl = r.out.find('\n', start);
    rows.push_back(splitFields(r.out.substr(start, nl - start)));
    start = nl + 1;
  }
  return rows;
}

std::string fixed(double v, int decimals, bool percent) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f%s", decimals, v, percent ? "%" : "");
  return buf;
}

// Every row checked field by field against the registered definition.
void expectListMatchesRegistration(const char* modulePath) {
  std::vector<std::vector<std::string>> rows = listRows(modulePath);
  Sim::Module module(modulePath);
  Sim::Session s(module.entry(), 640, 360);
  ASSERT_EQ(s.globalSetup().err, 0);
  ASSERT_EQ(s.paramsSetup().err, 0);
  Sim::Instance& inst = s.instance();
  ASSERT_EQ(rows.size(), std::size_t(inst.numParams()));  // a header and a row a control
  EXPECT_EQ(rows[0], (std::vector<std::string>{"index", "name", "kind", "default", "range", "group", "notes", "menu"}));

  std::vector<std::string> groups;
  for (int i = 1; i < inst.numParams(); ++i) {
    PF_ParamDef const& d = inst.definition(i);
    std::vector<std::string> const& row = rows[std::size_t(i)];
    SCOPED_TRACE("control " + std::to_string(i) + " " + d.name);
    ASSERT_EQ(row.size(), 8u);
    EXPECT_EQ(row[0], std::to_string(i));
    std::string name = d.name;
    EXPECT_EQ(row[1].rfind(name.empty() ? "-" : name, 0), 0u) << row[1];

    std::string kind, dflt, range = "-", menu = "-";
    PF_ParamDefUnion const& u = d.u;
    switch (d.param_type) {
      case PF_Param_SLIDER:
        kind = "integer slider";
        dflt = std::to_string(u.sd.dephault);
        range = std::to_string(u.sd.valid_min) + " to " + std::to_string(u.sd.valid_max);
        break;
      case PF_Param_FIX_SLIDER: {
        kind = "fixed slider";
        bool pct = u.fd.display_flags & PF_ValueDisplayFlag_PERCENT;
        dflt = fixed(u.fd.dephault / 65536.0, u.fd.precision, pct);
        range = fixed(u.fd.valid_min / 65536.0, u.fd.precision, pct) + " to " +
                fixed(u.fd.valid_max / 65536.0, u.fd.precision, pct);
        break;
      }
      case PF_Param_FLOAT_SLIDER: {
        kind = "float slider";
        bool pct = u.fs_d.display_flags & PF_ValueDisplayFlag_PERCENT;
        dflt = fixed(double(u.fs_d.dephault), u.fs_d.precision, pct);
        range = fixed(double(u.fs_d.valid_min), u.fs_d.precision, pct) + " to " +
                fixed(double(u.fs_d.valid_max), u.fs_d.precision, pct);
        break;
      }
      case PF_Param_ANGLE:
        kind = "angle";
        dflt = fixed(u.ad.dephault / 65536.0, 1, false) + " deg";
        range = "any";
        break;
      case PF_Param_POINT:
        kind = "point";
        dflt = fixed(u.td.x_dephault / 65536.0, 1, true) + "," + fixed(u.td.y_dephault / 65536.0, 1, true);
        range = "any";
        break;
      case PF_Param_POPUP: {
        kind = "popup";
        std::vector<std::string> entries = Render::split(u.pd.namesptr, '|');
        // Only the first num_choices entries are offered.
        ASSERT_LE(u.pd.num_choices, int(entries.size()));
        entries.resize(std::size_t(u.pd.num_choices));
        dflt = std::to_string(u.pd.dephault) + " \"" + entries[std::size_t(u.pd.dephault - 1)] + "\"";
        range = "1 to " + std::to_string(entries.size());
        menu.clear();
        for (std::size_t e = 0; e < entries.size(); ++e)
          menu += (e ? ", " : "") + std::to_string(e + 1) + " " + (entries[e] == "(-" ? "---" : "\"" + entries[e] + "\"");
        break;
      }
      case PF_Param_CHECKBOX:
        kind = "checkbox";
        dflt = u.bd.dephault ? "on" : "off";
        break;
      case PF_Param_COLOR: {
        kind = "colour";
        char buf[16];
        std::snprintf(buf, sizeof buf, "#%02X%02X%02X", u.cd.dephault.red, u.cd.dephault.green, u.cd.dephault.blue);
        dflt = buf;
        break;
      }
      case PF_Param_GROUP_START:
        kind = "group start";
        dflt = "-";
        break;
      case PF_Param_GROUP_END:
        kind = "group end";
        dflt = "-";
        break;
      default:
        FAIL() << "unexpected kind " << d.param_type;
    }
    EXPECT_EQ(row[2], kind);
    if (d.param_type == PF_Param_POINT)
      EXPECT_EQ(row[3].rfind(dflt + " (", 0), 0u) << row[3];
    else
      EXPECT_EQ(row[3], dflt);
    EXPECT_EQ(row[4], range);
    if (d.param_type == PF_Param_GROUP_START) groups.push_back(std::regex_replace(name, std::regex("^[- ]+|[- ]+$"), ""));
    std::string group;
    for (std::string const& g : groups) group += (group.empty() ? "" : "/") + g;
    EXPECT_EQ(row[5], group.empty() ? "-" : group);
    if (d.param_type == PF_Param_GROUP_END && !groups.empty()) groups.pop_back();
    bool fixedInTime = d.flags & PF_ParamFlag_CANNOT_TIME_VARY;
    EXPECT_EQ(row[6].rfind(fixedInTime ? "fixed in time" : "-", 0), 0u) << row[6];
    EXPECT_EQ(row[7], menu);
  }
}

}  // namespace

TEST(CliList, LinesControlsAsRegistered) {
  expectListMatchesRegistration(BRELO_LINES_MODULE);
  // A few rows as the effect's users know them.
  std::vector<std::vector<std::string>> rows = listRows(BRELO_LINES_MODULE);
  ASSERT_EQ(rows.size(), 126u);
  EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "Completion", "fixed slider", "100.0%", "0.0% to 100.0%", "-", "-", "-"}));
  EXPECT_EQ(rows[63][4], "-200.0% to 200.0%");
  EXPECT_EQ(rows[63][5], "Color Correction");
  EXPECT_EQ(rows[107][3], "0.0%");  // Wipe Completion
  EXPECT_EQ(rows[124], (std::vector<std::string>{"124", "Utility Easing Mode", "popup", "1 \"In\"", "1 to 3", "Utility",
                                                 "fixed in time", "1 \"In\", 2 \"Out\", 3 \"InOut\""}));
  EXPECT_EQ(rows[88][1], "Composite Variance 1 (shown as \"Composite H Variance\")");
  EXPECT_EQ(rows[2][3], "50.0%,50.0% (320,180 px)");
  EXPECT_EQ(rows[125][2], "group end");
  EXPECT_EQ(rows[125][5], "Utility");
}

TEST(CliList, TestEffectControlsAsRegistered) { expectListMatchesRegistration(BRELO_TEST_MODULE); }

TEST(CliList, SimpleLinesControlsAsRegistered) {
  expectListMatchesRegistration(BRELO_SIMPLELINES_MODULE);
  std::vector<std::vector<std::string>> rows = listRows(BRELO_SIMPLELINES_MODULE);
  ASSERT_EQ(rows.size(), 66u);
  EXPECT_EQ(rows[65][3], "3 \"Normal\"");  // Blending Mode starts at Normal; entry 1 is None
  EXPECT_EQ(rows[57][4], "1 to 5");        // Wipe Order has no Inverse Random
  EXPECT_EQ(rows[63][4], "0.0% to 10000.0%");
  EXPECT_EQ(rows[31][7], "1 \"One\", 2 \"Alternately\"");  // Align Direction offers two of its three
}
