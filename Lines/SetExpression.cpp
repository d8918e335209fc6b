// "Set Expression": a one-shot command dressed as a popup. "Optimum Total
// Width" centres the strips and gives "Total Width" an expression that keeps
// the pattern as wide as the layer across the strips, whatever the direction.
#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Util/ControlUnits.h"

namespace Brelo {

using namespace LinesParams;

namespace {

// Two lines joined by one line feed, none at the end.
const char kOptimumTotalWidthExpression[] =
    "var angle = degreesToRadians(thisProperty.propertyGroup()(4));\n"
    "width * Math.abs(Math.sin(angle)) + height * Math.abs(Math.cos(angle));";

// The plug-in ID that global set-up stored; false when there is none.
bool readPluginId(PF_InData* in_data, PF_HandleSuite2* handles, AEGP_PluginID* plugin_id) {
  if (!in_data->global_data) return false;
  auto* stored = static_cast<AEGP_PluginID const*>(handles->host_lock_handle(in_data->global_data));
  if (!stored) return false;
  *plugin_id = *stored;
  handles->host_unlock_handle(in_data->global_data);
  return true;
}

}  // namespace

PF_Err linesSetExpression(PF_InData* in_data, PF_ParamDef* params[], AEGP_SuiteHandler& suites) {
  const PF_ParamValue entry = params[kSetExpression]->u.pd.value;
  if (entry == kSetExpressionNone) return PF_Err_NONE;
  const bool optimumTotalWidth = entry == kSetExpressionOptimumTotalWidth;

  // Every suite is acquired before the host hands out a reference, so that a
  // missing suite cannot leave one unreleased.
  PF_HandleSuite2* handles = suites.HandleSuite2();
  AEGP_PFInterfaceSuite1* pf_interface = suites.PFInterfaceSuite1();
  AEGP_EffectSuite2* effects = suites.EffectSuite2();
  AEGP_StreamSuite9* streams = optimumTotalWidth ? suites.StreamSuite9() : nullptr;

  // Without the plug-in ID (global set-up could not register) the host calls
  // are skipped and the command reports it; the centring still happens.
  AEGP_PluginID plugin_id = 0;
  PF_Err err = readPluginId(in_data, handles, &plugin_id) ? PF_Err_NONE : PF_Err_INTERNAL_STRUCT_DAMAGED;

  AEGP_EffectRefH effect = nullptr;
  if (!err) err = pf_interface->AEGP_GetNewEffectForEffect(plugin_id, in_data->effect_ref, &effect);

  if (optimumTotalWidth) {
    PF_ParamDef* center = params[kCenter];
    center->u.td.x_value = ControlUnits::fixed((in_data->width - 1) * 0.5);
    center->u.td.y_value = ControlUnits::fixed((in_data->height - 1) * 0.5);
    markChanged(center);

    AEGP_StreamRefH stream = nullptr;
    if (!err) err = streams->AEGP_GetNewEffectStreamByIndex(plugin_id, effect, kTotalWidth, &stream);
    if (!err) err = streams->AEGP_SetExpression(plugin_id, stream, kOptimumTotalWidthExpression);
    if (stream) {
      const PF_Err disposed = streams->AEGP_DisposeStream(stream);
      if (!err) err = disposed;
    }
  }

  if (effect) {
    const PF_Err disposed = effects->AEGP_DisposeEffect(effect);
    if (!err) err = disposed;
  }

  params[kSetExpression]->u.pd.value = kSetExpressionNone;
  markChanged(params[kSetExpression]);
  return err;
}

}  // namespace Brelo
