// The Lines effect's controls as the user and saved projects know them,
// written out here independently of the plug-in's own table, and the
// comparison of one registered definition with its row.
#pragma once

#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Brelo/BreloLimits.h"
#include "Util/BreloHostAPI.h"

namespace LinesExpected {

constexpr PF_ParamFlags C = PF_ParamFlag_START_COLLAPSED;
constexpr PF_ParamFlags S = PF_ParamFlag_SUPERVISE;
constexpr PF_ParamFlags T = PF_ParamFlag_CANNOT_TIME_VARY;
constexpr double kTotalWidthMax = Brelo::kMaxTotalWidth;

struct Control {
  int index;
  const char* name;
  PF_ParamType type;
  double dflt;    // point: x in percent
  double dflt_y;  // point: y in percent
  double valid_min, valid_max, slider_min, slider_max;
  int precision;
  bool percent;
  PF_ParamFlags flags;
  int rgb[3];
  const char* menu;
  int entries;
};

// A channel's schedule controls from index `first` on. Every channel has the
// same rows: only the name prefix and the default completion differ.
#define EXPECTED_TIMING_ROWS(first, prefix, completion)                                                     \
  {first, prefix " Completion", PF_Param_FIX_SLIDER, completion, 0, 0, 100, 0, 100, 1, true, 0, {0, 0, 0},   \
   nullptr, 0},                                                                                               \
  {first + 1, prefix " Delay", PF_Param_FIX_SLIDER, 5, 0, 0, 100, 0, 100, 1, true, 0, {0, 0, 0}, nullptr, 0}
#define EXPECTED_RANKING_ROWS(first, prefix, order_menu, order_entries)                                     \
  {first, prefix " Order", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, order_menu, order_entries}, \
  {first + 1, prefix " Order Phase", PF_Param_ANGLE, 0, 0, 0, 0, 0, 0, 0, false, C, {0, 0, 0}, nullptr, 0},  \
  {first + 2, prefix " Order Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0},       \
   nullptr, 0},                                                                                               \
  {first + 3, prefix " Easing Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0},               \
   "Linear|Quad|Cubic|Quart|Quint|Expo|Circ|Sine|Bounce", 9},                                                 \
  {first + 4, prefix " Easing Mode", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "In|Out|InOut", 3}
#define EXPECTED_SCHEDULE_ROWS(first, prefix, completion)                                                   \
  {first, prefix " Per", PF_Param_SLIDER, 1, 0, 1, 100, 1, 5, 0, false, C, {0, 0, 0}, nullptr, 0},           \
  {first + 1, prefix " Offset", PF_Param_SLIDER, 0, 0, 0, 100, 0, 5, 0, false, C, {0, 0, 0}, nullptr, 0},    \
  EXPECTED_TIMING_ROWS(first + 2, prefix, completion),                                                      \
  EXPECTED_RANKING_ROWS(first + 4, prefix, "Normal|Inverse|Inward|Outward|Random|Inverse Random", 6)

// A size class (widths, gaps, heights) from index `first` on: its mode, the
// maxima with defaults d1 .. d3 over least .. most (the slider smin .. smax),
// the minimum and the power.
#define EXPECTED_SIZE_CLASS_ROWS(first, name, d1, d2, d3, least, most, smin, smax)                           \
  {first, name " Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "One|Two|Three", 3},         \
  {first + 1, "Max " name " 1", PF_Param_FLOAT_SLIDER, d1, 0, least, most, smin, smax, 1, false, C, {0, 0, 0}, \
   nullptr, 0},                                                                                               \
  {first + 2, "Max " name " 2", PF_Param_FLOAT_SLIDER, d2, 0, least, most, smin, smax, 1, false, C, {0, 0, 0}, \
   nullptr, 0},                                                                                               \
  {first + 3, "Max " name " 3", PF_Param_FLOAT_SLIDER, d3, 0, least, most, smin, smax, 1, false, C, {0, 0, 0}, \
   nullptr, 0},                                                                                               \
  {first + 4, "Min " name, PF_Param_FIX_SLIDER, 100, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},    \
  {first + 5, name " Power", PF_Param_FLOAT_SLIDER, 1, 0, 0, 100, 0, 10, 2, false, C, {0, 0, 0}, nullptr, 0}

// A colour set from index `first` on: its mode, three colours, variance space,
// overlap (default entry `overlap`), three variances and seed.
#define EXPECTED_COLOR_SET_ROWS(first, prefix, colors, space, overlap)                                      \
  {first, prefix " Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "One|Two|Three", 3},       \
  {first + 1, colors " 1", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, 0, {255, 0, 0}, nullptr, 0},            \
  {first + 2, colors " 2", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, 0, {255, 255, 255}, nullptr, 0},        \
  {first + 3, colors " 3", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 255}, nullptr, 0},            \
  {first + 4, space, PF_Param_POPUP, 2, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "RGB|HLS|YUV", 3},              \
  {first + 5, prefix " Overlap", PF_Param_POPUP, overlap, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0},              \
   "Clip|Wrap Back", 2},                                                                                      \
  {first + 6, prefix " Variance 1", PF_Param_FIX_SLIDER, 30, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0},        \
   nullptr, 0},                                                                                               \
  {first + 7, prefix " Variance 2", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0},         \
   nullptr, 0},                                                                                               \
  {first + 8, prefix " Variance 3", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0},         \
   nullptr, 0},                                                                                               \
  {first + 9, prefix " Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0}

// Angles, popups, checkboxes and group markers have no ranges (0 here).
const Control kControls[] = {
    {1, "Completion", PF_Param_FIX_SLIDER, 100, 0, 0, 100, 0, 100, 1, true, 0, {0, 0, 0}, nullptr, 0},
    {2, "Center", PF_Param_POINT, 50, 50, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {3, "Align", PF_Param_FIX_SLIDER, 50, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {4, "Direction", PF_Param_ANGLE, 90, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {5, "Total Width", PF_Param_FLOAT_SLIDER, 300, 0, 0, kTotalWidthMax, 0, kTotalWidthMax, 1, false, 0, {0, 0, 0}, nullptr, 0},
    EXPECTED_SIZE_CLASS_ROWS(6, "Width", 50, 20, 30, 1, 50000, 1, 100),
    EXPECTED_SIZE_CLASS_ROWS(12, "Gap", 0, 0, 0, 0, 50000, 0, 100),
    {18, "Width Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {19, "Outside", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Transparent|Wrap|Reflect", 3},
    {20, "Original", PF_Param_CHECKBOX, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {21, "--Slice--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {22, "Slice Direction", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "One|Alternately|Both", 3},
    {23, "Max Slice", PF_Param_FLOAT_SLIDER, 0, 0, -10000, 10000, -100, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {24, "Min Slice", PF_Param_FIX_SLIDER, 20, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {25, "Slice Power", PF_Param_FLOAT_SLIDER, 1, 0, 0, 100, 0, 10, 2, false, C, {0, 0, 0}, nullptr, 0},
    {26, "Slice Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    EXPECTED_SCHEDULE_ROWS(27, "Slice", 100),
    {36, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {37, "--RGB Separation--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {38, "Max RGB Separation", PF_Param_FLOAT_SLIDER, 0, 0, -10000, 10000, -100, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {39, "Min RGB Separation", PF_Param_FIX_SLIDER, 20, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {40, "RGB Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, T | S, {0, 0, 0}, "Red/Green/Blue|Red/Cyan|Blue/Yellow|Manual", 4},
    {41, "RGB Color 1", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, S, {255, 0, 0}, nullptr, 0},
    {42, "RGB Color 2", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, S, {0, 255, 0}, nullptr, 0},
    {43, "RGB Color 3", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, S, {0, 0, 255}, nullptr, 0},
    {44, "RGB Separation Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    EXPECTED_SCHEDULE_ROWS(45, "RGB", 100),
    {54, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {55, "--Color Correction--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {56, "Color Correction Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Tritone|Tint|HLS", 3},
    {57, "Blend With Original", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {58, "Midtone", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, 0, {128, 100, 70}, nullptr, 0},
    {59, "Color H Direction", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "One|Alternately|Both", 3},
    {60, "Max Color H Variance", PF_Param_ANGLE, 30, 0, 0, 0, 0, 0, 0, false, C, {0, 0, 0}, nullptr, 0},
    {61, "Min Color H Variance", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {62, "Color L Direction", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "One|Alternately|Both", 3},
    {63, "Max Color L Variance", PF_Param_FLOAT_SLIDER, 0, 0, -200, 200, -100, 100, 1, true, C | S, {0, 0, 0}, nullptr, 0},
    {64, "Min Color L Variance", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {65, "Color S Direction", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "One|Alternately|Both", 3},
    {66, "Max Color S Variance", PF_Param_FLOAT_SLIDER, 0, 0, -200, 200, -100, 100, 1, true, C | S, {0, 0, 0}, nullptr, 0},
    {67, "Min Color S Variance", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {68, "Color Variance Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    EXPECTED_SCHEDULE_ROWS(69, "Color", 100),
    {78, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {79, "--Color Composite--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {80, "Composite Opacity", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {81, "Blending Mode", PF_Param_POPUP, 6, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Normal|(-|Add|Multiply|Screen|Overlay|Soft Light|Hard Light|(-|Color Dodge|Color Burn|(-|Darken|Lighten|Difference|Exclusion|(-|Hue|Saturation|Luminosity", 20},
    EXPECTED_COLOR_SET_ROWS(82, "Composite", "Composite Color", "Composite Variance Space", 2),
    EXPECTED_SCHEDULE_ROWS(92, "Composite", 100),
    {101, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {102, "--Wipe--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {103, "Wipe Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Normal|Inverse|Normal or Inverse|Both|Normal or Inverse or Both|Fade Out|Random", 7},
    {104, "Wipe Type Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    EXPECTED_SCHEDULE_ROWS(105, "Wipe", 0),
    {114, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {115, "--Utility--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {116, "Set Expression", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, T | S, {0, 0, 0}, "-------------------------|Optimum Total Width", 2},
    {117, "Utility Per", PF_Param_SLIDER, 1, 0, 1, 100, 1, 5, 0, false, T | S, {0, 0, 0}, nullptr, 0},
    {118, "Utility Offset", PF_Param_SLIDER, 0, 0, 0, 100, 0, 5, 0, false, T | S, {0, 0, 0}, nullptr, 0},
    {119, "Utility Delay", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, T | S, {0, 0, 0}, nullptr, 0},
    {120, "Utility Order", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, T | S, {0, 0, 0}, "Normal|Inverse|Inward|Outward|Random|Inverse Random", 6},
    {121, "Utility Order Phase", PF_Param_ANGLE, 0, 0, 0, 0, 0, 0, 0, false, T | C | S, {0, 0, 0}, nullptr, 0},
    {122, "Utility Order Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, T | S, {0, 0, 0}, nullptr, 0},
    {123, "Utility Easing Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, T | S, {0, 0, 0}, "Linear|Quad|Cubic|Quart|Quint|Expo|Circ|Sine|Bounce", 9},
    {124, "Utility Easing Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, T | S, {0, 0, 0}, "In|Out|InOut", 3},
    {125, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
};

inline PF_Fixed fixed(double v) { return PF_Fixed(std::lround(v * 65536.0)); }

// The four bounds of a slider definition of any kind against the row's, each
// through `to`.
template <class Slider, class To>
void expectRange(Slider const& d, Control const& e, To to) {
  EXPECT_EQ(d.valid_min, to(e.valid_min));
  EXPECT_EQ(d.valid_max, to(e.valid_max));
  EXPECT_EQ(d.slider_min, to(e.slider_min));
  EXPECT_EQ(d.slider_max, to(e.slider_max));
}

// Every field of a registered definition against its row.
inline void expectControl(PF_ParamDef const& d, Control const& e) {
  SCOPED_TRACE(std::to_string(e.index) + " " + e.name);
  EXPECT_EQ(d.param_type, e.type);
  EXPECT_STREQ(d.name, e.name);
  EXPECT_EQ(d.uu.id, e.index);
  EXPECT_EQ(d.flags, e.flags);
  EXPECT_EQ(d.ui_flags, 0);
  const PF_ValueDisplayFlags display = e.percent ? PF_ValueDisplayFlag_PERCENT : PF_ValueDisplayFlag_NONE;
  switch (e.type) {
    case PF_Param_SLIDER:
      EXPECT_EQ(d.u.sd.value, PF_ParamValue(e.dflt));
      EXPECT_EQ(d.u.sd.dephault, PF_ParamValue(e.dflt));
      expectRange(d.u.sd, e, [](double v) { return PF_ParamValue(v); });
      break;
    case PF_Param_FIX_SLIDER:
      EXPECT_EQ(d.u.fd.value, fixed(e.dflt));
      EXPECT_EQ(d.u.fd.dephault, fixed(e.dflt));
      expectRange(d.u.fd, e, fixed);
      EXPECT_EQ(d.u.fd.precision, e.precision);
      EXPECT_EQ(d.u.fd.display_flags, display);
      break;
    case PF_Param_FLOAT_SLIDER:
      EXPECT_EQ(d.u.fs_d.value, e.dflt);
      EXPECT_EQ(d.u.fs_d.dephault, float(e.dflt));
      expectRange(d.u.fs_d, e, [](double v) { return float(v); });
      EXPECT_EQ(d.u.fs_d.precision, e.precision);
      EXPECT_EQ(d.u.fs_d.display_flags, display);
      EXPECT_EQ(d.u.fs_d.fs_flags, PF_FSliderFlag_NONE);
      EXPECT_EQ(d.u.fs_d.phase, 0.0);
      EXPECT_EQ(d.u.fs_d.curve_tolerance, 0.05f);
      break;
    case PF_Param_ANGLE:
      EXPECT_EQ(d.u.ad.value, fixed(e.dflt));
      EXPECT_EQ(d.u.ad.dephault, fixed(e.dflt));
      break;
    case PF_Param_POINT:
      // The value is the host's, in pixels of the layer; the default is in percent.
      EXPECT_EQ(d.u.td.x_dephault, fixed(e.dflt));
      EXPECT_EQ(d.u.td.y_dephault, fixed(e.dflt_y));
      EXPECT_EQ(d.u.td.restrict_bounds, 0);
      break;
    case PF_Param_POPUP:
      EXPECT_EQ(d.u.pd.value, PF_ParamValue(e.dflt));
      EXPECT_EQ(d.u.pd.dephault, A_short(e.dflt));
      EXPECT_EQ(d.u.pd.num_choices, e.entries);
      EXPECT_STREQ(d.u.pd.namesptr, e.menu);
      break;
    case PF_Param_CHECKBOX:
      EXPECT_EQ(d.u.bd.value, PF_ParamValue(e.dflt));
      EXPECT_EQ(d.u.bd.dephault, PF_Boolean(e.dflt));
      EXPECT_STREQ(d.u.bd.nameptr, "");
      break;
    case PF_Param_COLOR:
      EXPECT_EQ(d.u.cd.value.alpha, 255);
      EXPECT_EQ(d.u.cd.value.red, e.rgb[0]);
      EXPECT_EQ(d.u.cd.value.green, e.rgb[1]);
      EXPECT_EQ(d.u.cd.value.blue, e.rgb[2]);
      EXPECT_EQ(0, std::memcmp(&d.u.cd.dephault, &d.u.cd.value, sizeof(PF_Pixel)));
      break;
    default:
      break;
  }
}

}  // namespace LinesExpected
