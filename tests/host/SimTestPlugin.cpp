#include "SimTestPlugin.h"

#include <atomic>
#include <cstring>

#include "Util/AEGP_SuiteHandler.h"
#include "Util/SmartRect.h"

#ifndef SIM_TEST_PLUGIN_NAME
#define SIM_TEST_PLUGIN_NAME "SimTest"
#endif

using namespace SimTestPlugin;

namespace {

// The pre-render deletion routine gets nothing but the data. Instances in a
// shared host set it up and render on threads of their own.
std::atomic<const SPBasicSuite*> g_basic{nullptr};

void deleteRecord(void* data) {
  const SPBasicSuite* basic = g_basic.load();
  if (!basic) return;
  AEGP_SuiteHandler suites(basic);
  suites.HandleSuite2()->host_dispose_handle(static_cast<PF_Handle>(data));
}

PF_Err globalSetup(PF_InData* in_data, PF_OutData* out_data) {
  g_basic.store(in_data->pica_basicP);
  out_data->my_version = PF_VERSION(1, 0, 0, PF_STAGE_RELEASE, 1);
  out_data->out_flags |= PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI;
  out_data->out_flags2 |= PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE;
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  PF_Handle h = suites.HandleSuite2()->host_new_handle(sizeof(AEGP_PluginID));
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  PF_Err err = PF_Err_NONE;
  if (void* p = suites.HandleSuite2()->host_lock_handle(h)) {
    err = suites.UtilitySuite7()->AEGP_RegisterWithAEGP(nullptr, "Error!", static_cast<AEGP_PluginID*>(p));
    if (!err) out_data->global_data = h;
  }
  suites.HandleSuite2()->host_unlock_handle(h);
  if (!out_data->global_data) suites.HandleSuite2()->host_dispose_handle(h);
  return err;
}

PF_Err paramsSetup(PF_InData* in_data, PF_OutData* out_data) {
  PF_ParamDef def;
  auto add = [&](PF_ParamType type, const char* name) {
    def.param_type = type;
    std::strncpy(def.name, name, sizeof def.name - 1);
    return in_data->inter.add_param(in_data->effect_ref, -1, &def);
  };
  PF_Err err;
  std::memset(&def, 0, sizeof def);
  def.u.fd.value = def.u.fd.dephault = 100 << 16;
  def.u.fd.valid_max = def.u.fd.slider_max = 100 << 16;
  if ((err = add(PF_Param_FIX_SLIDER, "Gain"))) return err;
  std::memset(&def, 0, sizeof def);
  def.u.td.x_value = def.u.td.x_dephault = 50 << 16;
  def.u.td.y_value = def.u.td.y_dephault = 50 << 16;
  if ((err = add(PF_Param_POINT, "Offset"))) return err;
  std::memset(&def, 0, sizeof def);
  char names[] = "Copy|Fill|Sample";  // the host keeps its own copy
  def.u.pd.namesptr = names;
  def.u.pd.num_choices = 3;
  def.u.pd.value = def.u.pd.dephault = kCopy;
  if ((err = add(PF_Param_POPUP, "Mode"))) return err;
  std::memset(&def, 0, sizeof def);
  def.u.cd.value = def.u.cd.dephault = {255, 255, 0, 0};
  if ((err = add(PF_Param_COLOR, "Fill Color"))) return err;
  std::memset(&def, 0, sizeof def);
  def.u.fs_d.value = def.u.fs_d.dephault = 1.0;
  def.u.fs_d.valid_max = def.u.fs_d.slider_max = 10.0f;
  if ((err = add(PF_Param_FLOAT_SLIDER, "Amount"))) return err;
  std::memset(&def, 0, sizeof def);
  def.flags = PF_ParamFlag_CANNOT_TIME_VARY;
  if ((err = add(PF_Param_CHECKBOX, "Enabled"))) return err;
  std::memset(&def, 0, sizeof def);
  if ((err = add(PF_Param_ANGLE, "Angle"))) return err;
  out_data->num_params = kCount;
  return PF_Err_NONE;
}

PF_Err updateParamsUI(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[]) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  PF_ParamDef copy = *params[kColor];
  if (params[kMode]->u.pd.value == kFill)
    copy.ui_flags &= ~PF_PUI_DISABLED;
  else
    copy.ui_flags |= PF_PUI_DISABLED;
  std::strcpy(copy.name, params[kMode]->u.pd.value == kFill ? "Fill Color" : "Unused Color");
  PF_Err err = suites.ParamUtilsSuite2()->PF_UpdateParamUI(in_data->effect_ref, kColor, &copy);
  out_data->out_flags |= PF_OutFlag_REFRESH_UI;
  return err;
}

PF_Err userChangedParam(PF_OutData* out_data, PF_ParamDef* params[], PF_UserChangedParamExtra const* extra) {
  if (extra->param_index == kMode) {
    params[kAmount]->u.fs_d.value = 2.5;
    params[kAmount]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
  }
  out_data->out_flags |= PF_OutFlag_FORCE_RERENDER;
  return PF_Err_NONE;
}

PF_Err preRender(PF_InData* in_data, PF_PreRenderExtra* extra) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  PF_RenderRequest req = extra->input->output_request;
  req.preserve_rgb_of_zero_alpha = 1;
  PF_CheckoutResult in_result;
  PF_Err err = extra->cb->checkout_layer(in_data->effect_ref, kLayer, 0, &req, in_data->current_time,
                                         in_data->time_step, in_data->time_scale, &in_result);
  if (err) return err;
  PF_Handle h = suites.HandleSuite2()->host_new_handle(sizeof(Record));
  if (!h) return PF_Err_OUT_OF_MEMORY;
  extra->output->pre_render_data = h;
  extra->output->delete_pre_render_data_func = deleteRecord;
  auto* rec = static_cast<Record*>(suites.HandleSuite2()->host_lock_handle(h));
  if (!rec) return PF_Err_OUT_OF_MEMORY;
  std::memset(rec, 0, sizeof *rec);
  for (int i = kGain; i <= kAmount; ++i) {
    PF_ParamDef p;
    err = in_data->inter.checkout_param(in_data->effect_ref, i, in_data->current_time, in_data->time_step,
                                        in_data->time_scale, &p);
    if (err) break;
    switch (i) {
      case kGain: rec->gain = p.u.fd.value / 65536.0 / 100.0; break;
      case kOffset: rec->offset_x = p.u.td.x_value, rec->offset_y = p.u.td.y_value; break;
      case kMode: rec->mode = p.u.pd.value; break;
      case kColor: rec->color = p.u.cd.value; break;
      case kAmount: rec->amount = p.u.fs_d.value; break;
      default: break;
    }
    err = in_data->inter.checkin_param(in_data->effect_ref, &p);
    if (err) break;
  }
  suites.HandleSuite2()->host_unlock_handle(h);
  if (err) return err;
  UnionLRect(&in_result.result_rect, &extra->output->result_rect);
  UnionLRect(&in_result.max_result_rect, &extra->output->max_result_rect);
  return PF_Err_NONE;
}

template <class P, class Sample>
PF_Err sampleAll(PF_InData* in_data, PF_EffectWorld* input, PF_EffectWorld* out, Record const& rec, Sample fn) {
  PF_SampPB pb;
  std::memset(&pb, 0, sizeof pb);
  pb.src = input;
  for (A_long y = 0; y < out->height; ++y) {
    P* row = reinterpret_cast<P*>(static_cast<char*>(out->data) + y * out->rowbytes);
    for (A_long x = 0; x < out->width; ++x) {
      PF_Err err = fn(in_data->effect_ref, (x << 16) + rec.offset_x, (y << 16) + rec.offset_y, &pb, &row[x]);
      if (err) return err;
    }
  }
  return PF_Err_NONE;
}

PF_Err smartRender(PF_InData* in_data, PF_SmartRenderExtra* extra) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  auto h = static_cast<PF_Handle>(extra->input->pre_render_data);
  auto* rec = static_cast<Record*>(suites.HandleSuite2()->host_lock_handle(h));
  if (!rec) return PF_Err_BAD_CALLBACK_PARAM;
  PF_EffectWorld* input = nullptr;
  PF_EffectWorld* out = nullptr;
  PF_Err err = extra->cb->checkout_layer_pixels(in_data->effect_ref, 0, &input);
  if (!err) err = extra->cb->checkout_output(in_data->effect_ref, &out);
  PF_PixelFormat format = PF_PixelFormat_INVALID;
  if (!err) err = suites.WorldSuite2()->PF_GetPixelFormat(out, &format);
  if (!err) {
    switch (rec->mode) {
      case kFill: {
        PF_Pixel c = rec->color;
        if (format == PF_PixelFormat_ARGB32) {
          err = suites.FillMatteSuite2()->fill(in_data->effect_ref, &c, nullptr, out);
        } else if (format == PF_PixelFormat_ARGB64) {
          PF_Pixel16 c16 = {A_u_short(c.alpha * 32768 / 255), A_u_short(c.red * 32768 / 255),
                            A_u_short(c.green * 32768 / 255), A_u_short(c.blue * 32768 / 255)};
          err = suites.FillMatteSuite2()->fill16(in_data->effect_ref, &c16, nullptr, out);
        } else {
          PF_PixelFloat cf = {c.alpha / 255.0f, c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f};
          err = suites.FillMatteSuite2()->fill_float(in_data->effect_ref, &cf, nullptr, out);
        }
        break;
      }
      case kSample:
        if (format == PF_PixelFormat_ARGB32)
          err = sampleAll<PF_Pixel>(in_data, input, out, *rec, suites.Sampling8Suite1()->subpixel_sample);
        else if (format == PF_PixelFormat_ARGB64)
          err = sampleAll<PF_Pixel16>(in_data, input, out, *rec, suites.Sampling16Suite1()->subpixel_sample16);
        else
          err = sampleAll<PF_PixelFloat>(in_data, input, out, *rec, suites.SamplingFloatSuite1()->subpixel_sample_float);
        break;
      default:
        err = in_data->utils->copy(in_data->effect_ref, input, out, nullptr, nullptr);
        break;
    }
  }
  if (input) {
    PF_Err e2 = extra->cb->checkin_layer_pixels(in_data->effect_ref, 0);
    if (!err) err = e2;
  }
  return err;
}

}  // namespace

extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef*, void* extra) {
  try {
    switch (cmd) {
      case PF_Cmd_ABOUT:
        in_data->utils->ansi.sprintf(out_data->return_msg, "%s, v%d.%d%d\r%s", SIM_TEST_PLUGIN_NAME, 1, 0, 0,
                                     "A test effect.");
        return PF_Err_NONE;
      case PF_Cmd_GLOBAL_SETUP: return globalSetup(in_data, out_data);
      case PF_Cmd_GLOBAL_SETDOWN:
        if (in_data->global_data) AEGP_SuiteHandler(in_data->pica_basicP).HandleSuite2()->host_dispose_handle(in_data->global_data);
        return PF_Err_NONE;
      case PF_Cmd_PARAMS_SETUP: return paramsSetup(in_data, out_data);
      case PF_Cmd_UPDATE_PARAMS_UI: return updateParamsUI(in_data, out_data, params);
      case PF_Cmd_USER_CHANGED_PARAM:
        return userChangedParam(out_data, params, static_cast<PF_UserChangedParamExtra*>(extra));
      case PF_Cmd_SMART_PRE_RENDER: return preRender(in_data, static_cast<PF_PreRenderExtra*>(extra));
      case PF_Cmd_SMART_RENDER: return smartRender(in_data, static_cast<PF_SmartRenderExtra*>(extra));
      default: return PF_Err_NONE;
    }
  } catch (MissingSuiteError const& e) {
    return e.error;
  }
}
