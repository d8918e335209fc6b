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

constexpr const char* kMode = "One|Two|Three";
constexpr const char* kEasingTypes = "Linear|Quad|Cubic|Quart|Quint|Expo|Circ|Sine|Bounce";
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
    {6, "Width Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, kMode, 3},
    {7, "Max Width 1", PF_Param_FLOAT_SLIDER, 50, 0, 1, 500, 1, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {8, "Max Width 2", PF_Param_FLOAT_SLIDER, 20, 0, 1, 500, 1, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {9, "Max Width 3", PF_Param_FLOAT_SLIDER, 30, 0, 1, 500, 1, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {10, "Min Width", PF_Param_FIX_SLIDER, 100, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {11, "Width Power", PF_Param_FLOAT_SLIDER, 1, 0, 0, 100, 0, 10, 2, false, C, {0, 0, 0}, nullptr, 0},
    {12, "Gap Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, kMode, 3},
    {13, "Max Gap 1", PF_Param_FLOAT_SLIDER, 0, 0, 0, 500, 0, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {14, "Max Gap 2", PF_Param_FLOAT_SLIDER, 0, 0, 0, 500, 0, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {15, "Max Gap 3", PF_Param_FLOAT_SLIDER, 0, 0, 0, 500, 0, 100, 1, false, C, {0, 0, 0}, nullptr, 0},
    {16, "Min Gap", PF_Param_FIX_SLIDER, 100, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {17, "Gap Power", PF_Param_FLOAT_SLIDER, 1, 0, 0, 100, 0, 10, 2, false, C, {0, 0, 0}, nullptr, 0},
    {18, "Width Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {19, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {20, "--Height--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {21, "Height Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, kMode, 3},
    {22, "Max Height 1", PF_Param_FLOAT_SLIDER, 300, 0, 0, 500, 0, 500, 1, false, C, {0, 0, 0}, nullptr, 0},
    {23, "Max Height 2", PF_Param_FLOAT_SLIDER, 100, 0, 0, 500, 0, 500, 1, false, C, {0, 0, 0}, nullptr, 0},
    {24, "Max Height 3", PF_Param_FLOAT_SLIDER, 200, 0, 0, 500, 0, 500, 1, false, C, {0, 0, 0}, nullptr, 0},
    {25, "Min Height", PF_Param_FIX_SLIDER, 100, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {26, "Height Power", PF_Param_FLOAT_SLIDER, 1, 0, 0, 100, 0, 10, 2, false, C, {0, 0, 0}, nullptr, 0},
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
    {39, "Color Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, kMode, 3},
    {40, "Color 1", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, 0, {255, 0, 0}, nullptr, 0},
    {41, "Color 2", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, 0, {255, 255, 255}, nullptr, 0},
    {42, "Color 3", PF_Param_COLOR, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 255}, nullptr, 0},
    {43, "Color Space", PF_Param_POPUP, 2, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "RGB|HLS|YUV", 3},
    {44, "Color Overlap", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Clip|Wrap Back", 2},
    {45, "Color Variance 1", PF_Param_FIX_SLIDER, 30, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {46, "Color Variance 2", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {47, "Color Variance 3", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {48, "Color Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {49, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {50, "--Wipe--", PF_Param_GROUP_START, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {51, "Wipe Completion", PF_Param_FIX_SLIDER, 0, 0, 0, 100, 0, 100, 1, true, 0, {0, 0, 0}, nullptr, 0},
    {52, "Wipe Delay", PF_Param_FIX_SLIDER, 5, 0, 0, 100, 0, 100, 1, true, 0, {0, 0, 0}, nullptr, 0},
    {53, "Wipe Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "X|Y|Alternately 1|Alternately 2|X or Y|Fade Out|Random", 7},
    {54, "Wipe Type Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {55, "Wipe Mode", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Normal|Inverse|Alternately 1|Alternately 2|Normal or Inverse|Both|Random", 7},
    {56, "Wipe Mode Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {57, "Wipe Order", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "Normal|Inverse|Inward|Outward|Random", 5},
    {58, "Wipe Order Phase", PF_Param_ANGLE, 0, 0, 0, 0, 0, 0, 0, false, C, {0, 0, 0}, nullptr, 0},
    {59, "Wipe Order Seed", PF_Param_SLIDER, 0, 0, 0, 1000000, 0, 100, 0, false, C, {0, 0, 0}, nullptr, 0},
    {60, "Wipe Easing Type", PF_Param_POPUP, 1, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, kEasingTypes, 9},
    {61, "Wipe Easing Mode", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, "In|Out|InOut", 3},
    {62, "", PF_Param_GROUP_END, 0, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, nullptr, 0},
    {63, "Scale", PF_Param_FLOAT_SLIDER, 100, 0, 0, 10000, 0, 100, 1, true, 0, {0, 0, 0}, nullptr, 0},
    {64, "Opacity", PF_Param_FIX_SLIDER, 100, 0, 0, 100, 0, 100, 1, true, C, {0, 0, 0}, nullptr, 0},
    {65, "Blending Mode", PF_Param_POPUP, 3, 0, 0, 0, 0, 0, 0, false, 0, {0, 0, 0}, kBlendingModes, 22},
};

}  // namespace SimpleLinesExpected
