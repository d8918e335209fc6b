#include "SimpleLines/SimpleLinesParams.h"

#include "Brelo/BreloLimits.h"
#include "Util/ColorSetControls.h"
#include "Util/PopupMappers.h"

namespace Brelo {
namespace SimpleLinesParams {

namespace {

using namespace Control;

constexpr PF_ParamFlags C = PF_ParamFlag_START_COLLAPSED;

const char kAlignTypeMenu[] = "Top|Middle|Bottom";
const char kAlignModeMenu[] = "Normal|Accumulate";
const char kWipeTypeMenu[] = "X|Y|Alternately 1|Alternately 2|X or Y|Fade Out|Random";
const char kWipeModeMenu[] = "Normal|Inverse|Alternately 1|Alternately 2|Normal or Inverse|Both|Random";
const char kOrderMenu[] = "Normal|Inverse|Inward|Outward|Random";

constexpr ControlRow kTable[] = {
    point("Center", 50, 50),
    percent("Width Align", 50, C),
    angle("Direction", 90, 0),
    floatSlider("Total Width", 300, 0, kMaxTotalWidth, 0, kMaxTotalWidth, 1, false, 0),

    groupStart("--Width--"),
    BRELO_SIZE_CLASS_ROWS("Width", 50, 20, 30, 1, 500, 1, 100),
    BRELO_SIZE_CLASS_ROWS("Gap", 0, 0, 0, 0, 500, 0, 100),
    seed("Width Seed", C),
    groupEnd(),

    groupStart("--Height--"),
    BRELO_SIZE_CLASS_ROWS("Height", 300, 100, 200, 0, 500, 0, 500),
    seed("Height Seed", C),
    groupEnd(),

    groupStart("--Align--"),
    popup("Align Type", 2, kAlignTypeMenu, 0),
    // "Both" stays in the string but is not offered.
    popup("Align Direction", 1, kDirectionMenu, 0, 2),
    popup("Align Mode", 1, kAlignModeMenu, 0),
    floatSlider("Max Align Variance", 0, -50000, 50000, -100, 100, 1, false, C),
    percent("Min Align Variance", 20, C),
    floatSlider("Align Power", 1, 0, 100, 0, 10, 2, false, C),
    seed("Align Seed", C),
    groupEnd(),

    groupStart("--Color--"),
    BRELO_COLOR_SET_ROWS("Color", "Color", "Color Space", 1),
    groupEnd(),

    groupStart("--Wipe--"),
    BRELO_SCHEDULE_TIMING_ROWS("Wipe", 0),
    popup("Wipe Type", 1, kWipeTypeMenu, 0),
    seed("Wipe Type Seed", C),
    popup("Wipe Mode", 1, kWipeModeMenu, 0),
    seed("Wipe Mode Seed", C),
    BRELO_SCHEDULE_RANKING_ROWS("Wipe", kOrderMenu),
    groupEnd(),

    floatSlider("Scale", 100, 0, 10000, 0, 100, 1, true, 0),
    percent("Opacity", 100, C),
    popup("Blending Mode", kBlendingModeNormal, kBlendingModeMenuWithNone, 0),
};

constexpr bool named(PF_ParamIndex i, const char* name) { return sameName(kTable[i - 1].name, name); }
constexpr bool groupEndAt(PF_ParamIndex i) { return kTable[i - 1].kind == ControlKind::GroupEnd; }

static_assert(sizeof kTable / sizeof kTable[0] == kCount - 1, "one entry per control");
// The controls the shell reads by index.
static_assert(named(kCenter, "Center") && named(kTotalWidth, "Total Width") && named(kWidthMode, "Width Mode") &&
                  named(kWidthSeed, "Width Seed") && named(kHeightMode, "Height Mode") &&
                  named(kHeightSeed, "Height Seed") && named(kAlignType, "Align Type") &&
                  named(kAlignSeed, "Align Seed") && named(kColorMode, "Color Mode") &&
                  named(kColorSpace, "Color Space") && named(kColorSeed, "Color Seed") &&
                  named(kWipeCompletion, "Wipe Completion") && named(kWipeTypeSeed, "Wipe Type Seed") &&
                  named(kWipeModeSeed, "Wipe Mode Seed") && named(kWipeOrderSeed, "Wipe Order Seed") &&
                  named(kWipeEasingMode, "Wipe Easing Mode") && named(kScale, "Scale") &&
                  named(kOpacity, "Opacity") && named(kBlendingMode, "Blending Mode"),
              "table and indices disagree");
static_assert(groupEndAt(kWidthGroupEnd) && groupEndAt(kHeightGroupEnd) && groupEndAt(kAlignGroupEnd) &&
                  groupEndAt(kColorGroupEnd) && groupEndAt(kWipeGroupEnd),
              "table and indices disagree");

}  // namespace

PF_Err registerParams(PF_InData* in_data, PF_OutData* out_data) {
  return registerControls(in_data, out_data, kTable, kCount - 1);
}

}  // namespace SimpleLinesParams
}  // namespace Brelo
