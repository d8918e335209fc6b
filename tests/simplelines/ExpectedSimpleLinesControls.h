// The SimpleLines effect's controls as the user and saved projects know them,
// written out here independently of the plug-in's own table. Rows and the
// field-by-field comparison are those of the Lines controls.
#pragma once

#include "../lines/ExpectedLinesControls.h"

namespace SimpleLinesExpected {

using LinesExpected::Control;
using LinesExpected::expectControl;

constexpr PF_ParamFlags C = PF_ParamFlag_START_COLLAPSED;
constexpr double kTotalWidthMax = Brelo::kMaxTotalWidth;

constexpr const char* kBlendingModes =
    "None|(-|Normal|(-|Add|Multiply|Screen|Overlay|Soft Light|Hard Light|(-|Color Dodge|Color Burn|(-|Darken|"
    "Lighten|Difference|Exclusion|(-|Hue|Saturation|Luminosity";

// Angles, popups, colours and group markers have no ranges (0 here).
const Control kControls[] = {
    {1, "Center", PF_Param_POINT, 50, 50, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {2, "Width Align", PF_Param_FIX_SLIDER, 50, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {3, "Direction", PF_Param_ANGLE, 90, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {4, "Total Width", PF_Param_FLOAT_SLIDER, 300, 0, 0, kTotalWidthMax, 0, kTotalWidthMax, 1, false, 0, {0, 0, 0}, nullptr, 0},
    {5, "--Width--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    EXPECTED_SIZE_CLASS_ROWS(6, "Width", 50, 20, 30, 1, 500, 1, 100),
    EXPECTED_SIZE_CLASS_ROWS(12, "Gap", 0, 0, 0, 0, 500, 0, 100),
    {18, "Width Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {19, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {20, "--Height--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    EXPECTED_SIZE_CLASS_ROWS(21, "Height", 300, 100, 200, 0, 500, 0, 500),
    {27, "Height Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {28, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {29, "--Align--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {30, "Align Type", PF_Param_POPUP, 2, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Top|Middle|Bottom", 3},
    // The string has three entries; only the first two are offered.
    {31, "Align Direction", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "One|Alternately|Both", 2},
    {32, "Align Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Normal|Accumulate", 2},
    {33, "Max Align Variance", PF_Param_FLOAT_SLIDER, 0, 0, -50000, 50000, -100, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {34, "Min Align Variance", PF_Param_FIX_SLIDER, 20, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {35, "Align Power", PF_Param_FLOAT_SLIDER, 1, 0, 0, 100, 0, 10, 2, false, C, {0, 0, 0}, nullptr, 0},
    {36, "Align Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {37, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {38, "--Color--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    EXPECTED_COLOR_SET_ROWS(39, "Color", "Color", "Color Space", 1),
    {49, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {50, "--Wipe--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    EXPECTED_TIMING_ROWS(51, "Wipe", 0),
    {53, "Wipe Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "X|Y|Alternately 1|Alternately 2|X or Y|Fade Out|Random", 7},
    {54, "Wipe Type Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {55, "Wipe Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Normal|Inverse|Alternately 1|Alternately 2|Normal or Inverse|Both|Random", 7},
    {56, "Wipe Mode Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    EXPECTED_RANKING_ROWS(57, "Wipe", "Normal|Inverse|Inward|Outward|Random", 5),
    {62, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {63, "Scale", PF_Param_FLOAT_SLIDER, 100, 0, 0, 10000, 0, 100, 1, true, 0, {0, 0, 0}, nullptr, 0},
    {64, "Opacity", PF_Param_FIX_SLIDER, 100, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {65, "Blending Mode", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, kBlendingModes, 22},
};

}  // namespace SimpleLinesExpected
