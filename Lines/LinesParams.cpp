#include "Lines/LinesParams.h"

#include "Brelo/BreloLimits.h"
#include "Util/ColorSetControls.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

namespace Brelo {
namespace LinesParams {

namespace {

constexpr PF_ParamFlags C = PF_ParamFlag_START_COLLAPSED;
constexpr PF_ParamFlags S = PF_ParamFlag_SUPERVISE;
constexpr PF_ParamFlags T = PF_ParamFlag_CANNOT_TIME_VARY;

const char kOutsideMenu[] = "Transparent|Wrap|Reflect";
const char kOrderMenu[] = "Normal|Inverse|Inward|Outward|Random|Inverse Random";
const char kRGBTypeMenu[] = "Red/Green/Blue|Red/Cyan|Blue/Yellow|Manual";
const char kColorTypeMenu[] = "Tritone|Tint|HLS";
const char kWipeTypeMenu[] = "Normal|Inverse|Normal or Inverse|Both|Normal or Inverse or Both|Fade Out|Random";
const char kSetExpressionMenu[] = "-------------------------|Optimum Total Width";

using namespace Control;

constexpr ControlRow kTable[] = {
    percent("Completion", 100, 0),
    point("Center", 50, 50),
    percent("Align", 50, C),
    angle("Direction", 90, 0),
    floatSlider("Total Width", 300, 0, kMaxTotalWidth, 0, kMaxTotalWidth, 1, false, 0),
    BRELO_SIZE_CLASS_ROWS("Width", 50, 20, 30, 1, 50000, 1, 100),
    BRELO_SIZE_CLASS_ROWS("Gap", 0, 0, 0, 0, 50000, 0, 100),
    seed("Width Seed", C),
    popup("Outside", 3, kOutsideMenu, 0),
    checkbox("Original", false),

    groupStart("--Slice--"),
    popup("Slice Direction", 3, kDirectionMenu, 0),
    floatSlider("Max Slice", 0, -10000, 10000, -100, 100, 1, false, C),
    percent("Min Slice", 20, C),
    floatSlider("Slice Power", 1, 0, 100, 0, 10, 2, false, C),
    seed("Slice Seed", C),
    BRELO_SCHEDULE_ROWS("Slice", 100, kOrderMenu),
    groupEnd(),

    groupStart("--RGB Separation--"),
    floatSlider("Max RGB Separation", 0, -10000, 10000, -100, 100, 1, false, C),
    percent("Min RGB Separation", 20, C),
    popup("RGB Type", 1, kRGBTypeMenu, T | S),
    color("RGB Color 1", 255, 0, 0, S),
    color("RGB Color 2", 0, 255, 0, S),
    color("RGB Color 3", 0, 0, 255, S),
    seed("RGB Separation Seed", C),
    BRELO_SCHEDULE_ROWS("RGB", 100, kOrderMenu),
    groupEnd(),

    groupStart("--Color Correction--"),
    popup("Color Correction Type", 1, kColorTypeMenu, 0),
    percent("Blend With Original", 0, C),
    color("Midtone", 128, 100, 70, 0),
    popup("Color H Direction", 3, kDirectionMenu, 0),
    angle("Max Color H Variance", 30, C),
    percent("Min Color H Variance", 0, C),
    popup("Color L Direction", 3, kDirectionMenu, 0),
    floatSlider("Max Color L Variance", 0, -200, 200, -100, 100, 1, true, C | S),
    percent("Min Color L Variance", 0, C),
    popup("Color S Direction", 3, kDirectionMenu, 0),
    floatSlider("Max Color S Variance", 0, -200, 200, -100, 100, 1, true, C | S),
    percent("Min Color S Variance", 0, C),
    seed("Color Variance Seed", C),
    BRELO_SCHEDULE_ROWS("Color", 100, kOrderMenu),
    groupEnd(),

    groupStart("--Color Composite--"),
    percent("Composite Opacity", 0, C),
    popup("Blending Mode", 6, kBlendingModeMenu, 0),
    BRELO_COLOR_SET_ROWS("Composite", "Composite Color", "Composite Variance Space", 2),
    BRELO_SCHEDULE_ROWS("Composite", 100, kOrderMenu),
    groupEnd(),

    groupStart("--Wipe--"),
    popup("Wipe Type", 1, kWipeTypeMenu, 0),
    seed("Wipe Type Seed", C),
    BRELO_SCHEDULE_ROWS("Wipe", 0, kOrderMenu),
    groupEnd(),

    // Utility edits are copied into the five channels (see LinesUserChange),
    // so they are supervised and never animated themselves.
    groupStart("--Utility--"),
    popup("Set Expression", 1, kSetExpressionMenu, T | S),
    intSlider("Utility Per", 1, 1, 100, 1, 5, T | S),
    intSlider("Utility Offset", 0, 0, 100, 0, 5, T | S),
    percent("Utility Delay", 0, T | S),
    popup("Utility Order", 1, kOrderMenu, T | S),
    angle("Utility Order Phase", 0, T | C | S),
    seed("Utility Order Seed", T | S),
    popup("Utility Easing Type", 1, kEasingTypeMenu, T | S),
    popup("Utility Easing Mode", 1, kEasingModeMenu, T | S),
    groupEnd(),
};

constexpr bool named(PF_ParamIndex i, const char* name) { return sameName(kTable[i - 1].name, name); }

static_assert(sizeof kTable / sizeof kTable[0] == kCount - 1, "one entry per control");
// The controls the shell reads or writes by index.
static_assert(named(kCenter, "Center") && named(kDirection, "Direction") && named(kTotalWidth, "Total Width") &&
                  named(kWidthMode, "Width Mode") && named(kMaxWidth3, "Max Width 3") &&
                  named(kGapMode, "Gap Mode") && named(kMaxGap3, "Max Gap 3"),
              "table and indices disagree");
static_assert(named(kSlicePer, "Slice Per") && named(kSliceEasingMode, "Slice Easing Mode") &&
                  named(kRGBType, "RGB Type") && named(kRGBColor1, "RGB Color 1") &&
                  named(kRGBColor3, "RGB Color 3") && named(kRGBPer, "RGB Per") &&
                  named(kRGBEasingMode, "RGB Easing Mode"),
              "table and indices disagree");
static_assert(named(kColorCorrectionType, "Color Correction Type") &&
                  named(kBlendWithOriginal, "Blend With Original") && named(kMidtone, "Midtone") &&
                  named(kColorPer, "Color Per") && named(kColorEasingMode, "Color Easing Mode") &&
                  named(kCompositeMode, "Composite Mode") && named(kCompositeColor3, "Composite Color 3") &&
                  named(kCompositeVarianceSpace, "Composite Variance Space") &&
                  named(kCompositeVariance3, "Composite Variance 3") && named(kCompositePer, "Composite Per") &&
                  named(kCompositeEasingMode, "Composite Easing Mode"),
              "table and indices disagree");
static_assert(named(kWipePer, "Wipe Per") && named(kWipeEasingMode, "Wipe Easing Mode") &&
                  named(kSetExpression, "Set Expression") && named(kUtilityPer, "Utility Per") &&
                  named(kUtilityEasingMode, "Utility Easing Mode") &&
                  kTable[kUtilityGroupEnd - 1].kind == ControlKind::GroupEnd,
              "table and indices disagree");

}  // namespace

PF_Err registerParams(PF_InData* in_data, PF_OutData* out_data) {
  return registerControls(in_data, out_data, kTable, kCount - 1);
}

}  // namespace LinesParams
}  // namespace Brelo
