// The parameter callbacks of PF_InData and the Param Utils Suite.
#include <cstring>

#include "BadParam.h"
#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

PF_Err updateParamUI(PF_ProgPtr ref, PF_ParamIndex index, const PF_ParamDef* def) {
  auto [h, inst, err] = instanceCall(ref, Call::UpdateParamUI);
  if (!inst) return err;
  if (!def) return badParam(h, Call::UpdateParamUI, "null definition");
  if (index < 1 || index >= inst->numParams()) return badIndex(h, Call::UpdateParamUI, index);
  inst->recordUIUpdate(index, *def);
  return PF_Err_NONE;
}

}  // namespace

const PF_ParamUtilsSuite2 kParamUtilsSuite2 = {updateParamUI};

PF_Err cbAddParam(PF_ProgPtr ref, PF_ParamIndex index, PF_ParamDefPtr def) {
  auto [h, inst, err] = instanceCall(ref, Call::AddParam);
  if (!inst) return err;
  if (!def) return badParam(h, Call::AddParam, "null definition");
  if (inst->command() != PF_Cmd_PARAMS_SETUP) return badParam(h, Call::AddParam, "called outside parameter set-up");
  if (index != -1 && index != inst->numParams()) {
    h->misuse("add_param: index " + std::to_string(index) + " is neither -1 nor the next index");
    return PF_Err_INVALID_INDEX;
  }
  PF_Err refused = inst->addParam(*def);
  if (refused) h->misuse("add_param: definition refused (\"" + std::string(def->name, strnlen(def->name, sizeof def->name)) + "\")");
  return refused;
}

PF_Err cbCheckoutParam(PF_ProgPtr ref, PF_ParamIndex index, A_long what_time, A_long time_step, A_u_long time_scale,
                       PF_ParamDef* param) {
  auto [h, inst, err] = instanceCall(ref, Call::CheckoutParam);
  if (!inst) return err;
  if (!param) return badParam(h, Call::CheckoutParam, "null parameter record");
  if (index < 0 || index >= inst->numParams()) return badIndex(h, Call::CheckoutParam, index);
  if (time_scale == 0) return badParam(h, Call::CheckoutParam, "time scale 0");
  Frame* f = inst->frame();
  bool render = f && f->render;
  Downsample ds = render ? f->ds : Downsample();
  Depth depth = f ? f->depth : Depth::Bits8;

  PF_ParamDef const& def = inst->definition(index);
  if (def.param_type == PF_Param_LAYER) {
    std::memset(param, 0, sizeof *param);
    param->param_type = PF_Param_LAYER;
    std::memcpy(param->name, def.name, sizeof param->name);
    WorldRec* rec = nullptr;
    if (!inst->layerEmpty()) {
      rec = f && f->io ? newDriverLayerWorld(*f, WorldOwner::ParamLayer)
                       : h->newLayerWorld(*inst, ds, depth, WorldOwner::ParamLayer);
      if (!rec) return PF_Err_OUT_OF_MEMORY;
      param->u.ld = rec->record;
    }
    param->uu.id = index;
    std::lock_guard<std::mutex> lock(h->mutex);
    h->checkouts.push_back({inst, index, rec});
    return PF_Err_NONE;
  }
  // A failing expression is the project's fault, not the plug-in's: its
  // error is returned, its message kept with the instance.
  if (PF_Err e = inst->checkedValueAt(index, what_time, time_step, time_scale, render, ds, param)) return e;
  param->uu.id = index;
  std::lock_guard<std::mutex> lock(h->mutex);
  h->checkouts.push_back({inst, index, nullptr});
  return PF_Err_NONE;
}

PF_Err cbCheckinParam(PF_ProgPtr ref, PF_ParamDef* param) {
  auto [h, inst, err] = instanceCall(ref, Call::CheckinParam);
  if (!inst) return err;
  if (!param) return badParam(h, Call::CheckinParam, "null parameter record");
  WorldRec* world = nullptr;
  if (param->param_type == PF_Param_LAYER && param->u.ld.data) {
    world = h->world(&param->u.ld, Call::CheckinParam);
    if (!world) return PF_Err_BAD_CALLBACK_PARAM;
  }
  {
    std::lock_guard<std::mutex> lock(h->mutex);
    auto it = h->checkouts.begin();
    for (; it != h->checkouts.end(); ++it) {
      if (it->instance == inst && it->world == world && (world || it->index == param->uu.id)) break;
    }
    if (it == h->checkouts.end()) {
      h->misuses.push_back("checkin_param: parameter " + std::to_string(param->uu.id) + " is not checked out");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    h->checkouts.erase(it);
  }
  if (world) h->disposeWorld(world, &param->u.ld);
  return PF_Err_NONE;
}

PF_Err cbAbort(PF_ProgPtr ref) {
  return instanceCall(ref, Call::Abort).err;
}

PF_Err cbProgress(PF_ProgPtr ref, A_long, A_long) {
  return instanceCall(ref, Call::Progress).err;
}

}  // namespace Sim
}  // namespace Brelo
