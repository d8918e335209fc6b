#include "brelo_host/Session.h"

#include <cstring>
#include <stdexcept>

#include "BadParam.h"
#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

// As instanceCall, and then the frame of the command in progress on `ref`,
// which must be `expected` (a misuse otherwise).
struct FrameCall {
  Host::Impl* h;
  Frame* f;
  PF_Err err;
};
FrameCall frameCall(PF_ProgPtr ref, Call c, PF_Cmd expected) {
  InstanceCall call = instanceCall(ref, c);
  if (!call.inst) return {call.h, nullptr, call.err};
  Frame* f = call.inst->frame();
  if (!f || f->cmd != expected) {
    call.h->misuse(std::string(callName(c)) + ": called outside its command");
    return {call.h, nullptr, PF_Err_BAD_CALLBACK_PARAM};
  }
  return {call.h, f, PF_Err_NONE};
}

PF_LRect layerRect(Instance const& inst, Downsample ds) {
  return {0, 0, Instance::scaledSize(inst.layerWidth(), ds.x), Instance::scaledSize(inst.layerHeight(), ds.y)};
}

// Checks a layer world the plug-in had (untouched pixels, intact padding)
// and gives it back to the host. Pixels a driver wrote are not kept, so
// only the padding is checked then.
void retireLayerWorld(Frame& f, WorldRec* rec) {
  if (!rec->alive) return;
  if (!f.host->paddingIntact(*rec)) {
    f.paddingIntact = false;
    f.host->misuse("layer pixels #" + std::to_string(rec->serial) + ": row padding overwritten");
  }
  if (!f.io && !f.host->layerWorldUntouched(*rec, *f.instance, f.ds, f.depth)) {
    f.inputUntouched = false;
    f.host->misuse("layer pixels #" + std::to_string(rec->serial) + ": written by the plug-in");
  }
  f.host->disposeWorld(rec, nullptr);
}

// The host takes back everything it lent for the frame; the output world
// too, unless it is handed on.
void endFrame(Frame& f, bool keepOutput = false) {
  for (WorldRec* rec : f.handedOut) retireLayerWorld(f, rec);
  f.layerPixels.clear();
  if (f.output && f.output->alive) {
    if (!f.host->paddingIntact(*f.output)) {
      f.paddingIntact = false;
      f.host->misuse("output world: row padding overwritten");
    }
    if (!keepOutput) f.host->disposeWorld(f.output, nullptr);
  }
  f.instance->setFrame(nullptr);
  f.instance->setCommand(-1);
}

}  // namespace

// ---------------------------------------------------------------- smart-render callbacks

PF_Err cbCheckoutLayer(PF_ProgPtr ref, PF_ParamIndex index, A_long id, const PF_RenderRequest* req, A_long what_time,
                       A_long time_step, A_u_long time_scale, PF_CheckoutResult* result) {
  auto [h, f, err] = frameCall(ref, Call::CheckoutLayer, PF_Cmd_SMART_PRE_RENDER);
  if (!f) return err;
  if (!req || !result) return badParam(h, Call::CheckoutLayer, "null request or result");
  if (index < 0 || index >= f->instance->numParams() ||
      f->instance->definition(index).param_type != PF_Param_LAYER) {
    h->misuse("checkout_layer: index " + std::to_string(index) + " is not a layer parameter");
    return PF_Err_INVALID_INDEX;
  }
  if (time_scale == 0) return badParam(h, Call::CheckoutLayer, "time scale 0");
  LayerRequest lr;
  lr.index = index;
  lr.checkout_id = id;
  lr.request = *req;
  lr.what_time = what_time;
  lr.time_step = time_step;
  lr.time_scale = time_scale;
  f->requests.push_back(lr);
  std::memset(result, 0, sizeof *result);
  if (!f->instance->layerEmpty()) {
    result->result_rect = layerRect(*f->instance, f->ds);
    result->max_result_rect = result->result_rect;
  }
  result->par = {1, 1};
  result->ref_width = f->instance->layerWidth();
  result->ref_height = f->instance->layerHeight();
  return PF_Err_NONE;
}

PF_Err cbCheckoutLayerPixels(PF_ProgPtr ref, A_long id, PF_EffectWorld** pixels) {
  if (pixels) *pixels = nullptr;
  auto [h, f, err] = frameCall(ref, Call::CheckoutLayerPixels, PF_Cmd_SMART_RENDER);
  if (!f) return err;
  if (!pixels) return badParam(h, Call::CheckoutLayerPixels, "null result pointer");
  bool requested = false;
  for (LayerRequest const& r : f->requests) requested = requested || r.checkout_id == id;
  if (!requested)
    return badParam(h, Call::CheckoutLayerPixels, "checkout id " + std::to_string(id) + " not asked for at pre-render");
  auto it = f->layerPixels.find(id);
  if (it != f->layerPixels.end()) {
    *pixels = &it->second->record;
    return PF_Err_NONE;
  }
  if (f->instance->layerEmpty()) return PF_Err_NONE;
  WorldRec* rec = f->io ? newDriverLayerWorld(*f, WorldOwner::LayerPixels)
                        : h->newLayerWorld(*f->instance, f->ds, f->depth, WorldOwner::LayerPixels);
  if (!rec) return PF_Err_OUT_OF_MEMORY;
  rec->record.origin_x = f->instance->inputOriginX();
  rec->record.origin_y = f->instance->inputOriginY();
  f->layerPixels[id] = rec;
  f->handedOut.push_back(rec);
  *pixels = &rec->record;
  return PF_Err_NONE;
}

PF_Err cbCheckinLayerPixels(PF_ProgPtr ref, A_long id) {
  auto [h, f, err] = frameCall(ref, Call::CheckinLayerPixels, PF_Cmd_SMART_RENDER);
  if (!f) return err;
  auto it = f->layerPixels.find(id);
  if (it == f->layerPixels.end())
    return badParam(h, Call::CheckinLayerPixels, "checkout id " + std::to_string(id) + " is not checked out");
  WorldRec* rec = it->second;
  f->layerPixels.erase(it);
  retireLayerWorld(*f, rec);
  return PF_Err_NONE;
}

PF_Err cbCheckoutOutput(PF_ProgPtr ref, PF_EffectWorld** output) {
  if (output) *output = nullptr;
  auto [h, f, err] = frameCall(ref, Call::CheckoutOutput, PF_Cmd_SMART_RENDER);
  if (!f) return err;
  if (!output) return badParam(h, Call::CheckoutOutput, "null result pointer");
  if (!f->output) {
    PF_LRect r = f->outputRect;
    // Not cleared: a plug-in must write every pixel of its output.
    f->output =
        h->newWorld(r.right - r.left, r.bottom - r.top, f->depth, WorldOwner::Output, nullptr, false, f->instance);
    if (!f->output) return PF_Err_OUT_OF_MEMORY;
    f->output->record.origin_x = r.left;
    f->output->record.origin_y = r.top;
  }
  *output = &f->output->record;
  return PF_Err_NONE;
}

WorldRec* newDriverLayerWorld(Frame& f, WorldOwner owner) {
  PF_LRect r = layerRect(*f.instance, f.ds);
  WorldRec* rec = f.host->newWorld(r.right, r.bottom, f.depth, owner, nullptr, false, f.instance);
  if (rec) f.io->writeLayer(rec->record, f.depth);
  return rec;
}

// ---------------------------------------------------------------- Session

Session::Session(PF_EntryPointFunc entry, int layerWidth, int layerHeight)
    : m_ownHost(std::make_unique<Host>()), m_host(m_ownHost.get()), m_entry(entry) {
  m_instance = &m_host->newInstance(layerWidth, layerHeight);
}

Session::Session(Host& host, PF_EntryPointFunc entry, int layerWidth, int layerHeight)
    : m_host(&host), m_entry(entry) {
  m_instance = &m_host->newInstance(layerWidth, layerHeight);
}

Session::~Session() {
  if (m_globalUp && m_entry) globalSetdown();
  if (!m_ownHost) m_host->removeInstance(*m_instance);
}

std::unique_ptr<Frame> Session::makeFrame(PF_Cmd cmd, A_long time, Depth depth, Downsample ds, bool render,
                                          FrameIO* io) {
  auto f = std::make_unique<Frame>();
  Instance& inst = *m_instance;
  f->host = &m_host->impl();
  f->instance = &inst;
  f->io = io;
  f->cmd = cmd;
  f->depth = depth;
  f->ds = ds;
  f->time = time;
  f->step = inst.timeStep();
  f->scale = inst.timeScale();
  f->render = render;

  PF_InData& in = f->in;
  in.inter = m_host->interactCallbacks();
  in.utils = m_host->utils();
  in.effect_ref = inst.ref();
  in.quality = PF_Quality_HI;
  in.version = PF_VERSION(PF_PLUG_IN_VERSION, PF_PLUG_IN_SUBVERS, 0, PF_STAGE_RELEASE, 0);
  in.num_params = inst.numParams();
  in.current_time = time;
  in.time_step = f->step;
  in.local_time_step = f->step;
  in.total_time = A_long(f->scale) * 10;
  in.time_scale = f->scale;
  in.field = PF_Field_FRAME;
  PF_LRect lr = layerRect(inst, ds);
  in.width = lr.right;
  in.height = lr.bottom;
  in.extent_hint = lr;
  in.downsample_x = ds.x;
  in.downsample_y = ds.y;
  in.pixel_aspect_ratio = {1, 1};
  in.global_data = inst.globalData();
  in.pica_basicP = m_host->basicSuite();

  f->params.resize(std::size_t(inst.numParams()));
  for (int i = 1; i < inst.numParams(); ++i) {
    f->params[std::size_t(i)] = inst.valueAt(i, time, f->step, f->scale, render, ds);
    // The union holds the change flags during a user change, cleared by the host.
    if (cmd == PF_Cmd_USER_CHANGED_PARAM) f->params[std::size_t(i)].uu.change_flags = PF_ChangeFlag_NONE;
  }
  f->params[0].param_type = PF_Param_LAYER;
  for (auto& p : f->params) f->ptrs.push_back(&p);

  if (cmd == PF_Cmd_SMART_PRE_RENDER) {
    f->preIn.output_request.rect = m_hasRequest ? m_request : lr;
    f->preIn.output_request.field = PF_Field_FRAME;
    f->preIn.output_request.channel_mask = PF_ChannelMask_ARGB;
    f->preIn.bitdepth = bitsPerChannel(depth);
    f->preCb.checkout_layer = cbCheckoutLayer;
    f->preExtra = {&f->preIn, &f->preOut, &f->preCb};
  }
  if (cmd == PF_Cmd_SMART_RENDER) {
    f->srIn.output_request.rect = lr;
    f->srIn.output_request.field = PF_Field_FRAME;
    f->srIn.output_request.channel_mask = PF_ChannelMask_ARGB;
    f->srIn.bitdepth = bitsPerChannel(depth);
    f->srCb = {cbCheckoutLayerPixels, cbCheckinLayerPixels, cbCheckoutOutput};
    f->srExtra = {&f->srIn, &f->srCb};
    f->outputRect = lr;
  }
  return f;
}

CommandResult Session::run(PF_Cmd cmd, Frame& f, void* extra) {
  CommandResult r;
  if (!m_entry) throw std::logic_error("Brelo::Sim::Session: no entry point");
  m_instance->setFrame(&f);
  m_instance->setCommand(cmd);
  try {
    r.err = m_entry(cmd, &f.in, &f.out, f.ptrs.data(), nullptr, extra);
  } catch (...) {
    m_host->impl().misuse("an exception left EntryPointFunc");
    r.err = PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
  m_instance->setFrame(nullptr);
  m_instance->setCommand(-1);
  r.return_msg.assign(f.out.return_msg, strnlen(f.out.return_msg, sizeof f.out.return_msg));
  r.out_flags = f.out.out_flags;
  r.out_flags2 = f.out.out_flags2;
  r.my_version = f.out.my_version;
  r.num_params = f.out.num_params;
  return r;
}

CommandResult Session::about() {
  auto f = makeFrame(PF_Cmd_ABOUT, 0, Depth::Bits8, {}, false, nullptr);
  return run(PF_Cmd_ABOUT, *f, nullptr);
}

CommandResult Session::globalSetup() {
  auto f = makeFrame(PF_Cmd_GLOBAL_SETUP, 0, Depth::Bits8, {}, false, nullptr);
  CommandResult r = run(PF_Cmd_GLOBAL_SETUP, *f, nullptr);
  if (r.err == PF_Err_NONE) {
    m_instance->setGlobalData(f->out.global_data);
    m_globalUp = true;
  }
  return r;
}

CommandResult Session::paramsSetup() {
  auto f = makeFrame(PF_Cmd_PARAMS_SETUP, 0, Depth::Bits8, {}, false, nullptr);
  CommandResult r = run(PF_Cmd_PARAMS_SETUP, *f, nullptr);
  if (r.err == PF_Err_NONE && r.num_params != m_instance->numParams())
    m_host->impl().misuse("PARAMS_SETUP: num_params " + std::to_string(r.num_params) + " but " +
                          std::to_string(m_instance->numParams()) + " parameters registered");
  return r;
}

CommandResult Session::updateParamsUI() {
  auto f = makeFrame(PF_Cmd_UPDATE_PARAMS_UI, 0, Depth::Bits8, {}, false, nullptr);
  return run(PF_Cmd_UPDATE_PARAMS_UI, *f, nullptr);
}

CommandResult Session::userChangedParam(int index, A_long time) {
  if (index < 1 || index >= m_instance->numParams())
    throw std::invalid_argument("userChangedParam: no control " + std::to_string(index));
  auto f = makeFrame(PF_Cmd_USER_CHANGED_PARAM, time, Depth::Bits8, {}, false, nullptr);
  PF_UserChangedParamExtra extra{index};
  CommandResult r = run(PF_Cmd_USER_CHANGED_PARAM, *f, &extra);
  // What the plug-in flagged is taken over, even when it then failed.
  for (int i = 1; i < m_instance->numParams(); ++i) {
    PF_ParamDef const& p = f->params[std::size_t(i)];
    if (p.uu.change_flags & PF_ChangeFlag_CHANGED_VALUE) m_instance->setFromDef(i, p.u, time);
  }
  return r;
}

CommandResult Session::globalSetdown() {
  auto f = makeFrame(PF_Cmd_GLOBAL_SETDOWN, 0, Depth::Bits8, {}, false, nullptr);
  CommandResult r = run(PF_Cmd_GLOBAL_SETDOWN, *f, nullptr);
  m_globalUp = false;
  m_instance->setGlobalData(nullptr);
  return r;
}

CommandResult Session::setup() {
  CommandResult r = globalSetup();
  if (r.err) return r;
  r = paramsSetup();
  if (r.err) return r;
  return updateParamsUI();
}

RenderResult Session::render(A_long time, Depth depth, Downsample ds, OutputAs as) {
  return render(time, depth, ds, nullptr, as);
}

RenderResult Session::render(A_long time, Depth depth, Downsample ds, FrameIO& io) {
  return render(time, depth, ds, &io, OutputAs::Image);
}

RenderResult Session::render(A_long time, Depth depth, Downsample ds, FrameIO* io, OutputAs as) {
  RenderResult r;
  auto pre = makeFrame(PF_Cmd_SMART_PRE_RENDER, time, depth, ds, true, io);
  static_cast<CommandResult&>(r) = run(PF_Cmd_SMART_PRE_RENDER, *pre, &pre->preExtra);
  r.preRenderErr = r.err;
  r.result_rect = pre->preOut.result_rect;
  r.max_result_rect = pre->preOut.max_result_rect;
  r.flags = pre->preOut.flags;
  r.layerRequests = pre->requests;
  void* data = pre->preOut.pre_render_data;
  PF_DeletePreRenderDataFunc deleter = pre->preOut.delete_pre_render_data_func;

  PF_LRect rect = pre->preIn.output_request.rect;
  PF_LRect const& res = pre->preOut.result_rect;
  rect = {std::max(rect.left, res.left), std::max(rect.top, res.top), std::min(rect.right, res.right),
          std::min(rect.bottom, res.bottom)};
  if (r.err == PF_Err_NONE && rect.left < rect.right && rect.top < rect.bottom) {
    auto f = makeFrame(PF_Cmd_SMART_RENDER, time, depth, ds, true, io);
    f->requests = pre->requests;
    f->outputRect = rect;
    f->srIn.output_request = pre->preIn.output_request;
    f->srIn.output_request.rect = rect;
    f->srIn.pre_render_data = data;
    CommandResult cr = run(PF_Cmd_SMART_RENDER, *f, &f->srExtra);
    static_cast<CommandResult&>(r) = cr;
    r.rendered = true;
    const bool handOn = !io && as == OutputAs::World && f->output && f->output->alive;
    if (f->output) {
      if (io) {
        if (cr.err == PF_Err_NONE) io->readOutput(f->output->record, depth);
      } else if (!handOn) {
        r.image = m_host->readWorld(&f->output->record);
      }
      r.originX = f->output->record.origin_x;
      r.originY = f->output->record.origin_y;
    }
    m_instance->setFrame(f.get());  // endFrame detaches it again
    endFrame(*f, handOn);
    if (handOn) r.world = HostWorld(&f->output->record);
    r.paddingIntact = f->paddingIntact;
    r.inputUntouched = f->inputUntouched;
  }
  // The host owns the pre-render data once pre-render returns.
  if (data && deleter) deleter(data);
  return r;
}

// ---------------------------------------------------------------- scopes

Session::Scope::Scope(std::unique_ptr<Frame> f) : m_frame(std::move(f)) {
  m_frame->instance->setFrame(m_frame.get());
  m_frame->instance->setCommand(m_frame->cmd);
}

Session::Scope::~Scope() { endFrame(*m_frame); }

PF_InData* Session::Scope::in_data() { return &m_frame->in; }
PF_OutData* Session::Scope::out_data() { return &m_frame->out; }
PF_ParamDef** Session::Scope::params() { return m_frame->ptrs.data(); }
PF_SmartRenderExtra* Session::Scope::smartExtra() { return &m_frame->srExtra; }
PF_PreRenderExtra* Session::Scope::preRenderExtra() { return &m_frame->preExtra; }

std::unique_ptr<Session::Scope> Session::beginSmartRender(A_long time, Depth depth, Downsample ds) {
  auto f = makeFrame(PF_Cmd_SMART_RENDER, time, depth, ds, true, nullptr);
  LayerRequest lr;
  lr.request = f->srIn.output_request;
  lr.what_time = time;
  lr.time_step = f->step;
  lr.time_scale = f->scale;
  f->requests.push_back(lr);
  return std::unique_ptr<Scope>(new Scope(std::move(f)));
}

std::unique_ptr<Session::Scope> Session::beginCommand(PF_Cmd cmd, A_long time, Depth depth, Downsample ds) {
  bool render = cmd == PF_Cmd_SMART_PRE_RENDER || cmd == PF_Cmd_SMART_RENDER;
  return std::unique_ptr<Scope>(new Scope(makeFrame(cmd, time, depth, ds, render, nullptr)));
}

}  // namespace Sim
}  // namespace Brelo
