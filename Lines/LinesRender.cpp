// The smart-render pair of the Lines effect. Pre-render reads every control
// once and keeps the converted values in a host handle; render turns them
// into the engine's parameter record, draws the strips and blends the
// composite colours over the result.
#include <cstring>
#include <new>

#include "Brelo/BreloLayer.h"
#include "Brelo/BreloSourceInfo.h"
#include "Brelo/Effect/BreloLinesFrame.h"
#include "Lines/LinesCommands.h"
#include "Lines/LinesControlValues.h"
#include "Lines/LinesPreRenderData.h"
#include "Lines/LinesMappers.h"
#include "Lines/LinesParameterFromRecord.h"
#include "Lines/LinesPreRenderRecord.h"
#include "Lines/LinesRecordFromControls.h"
#include "Lines/LinesUnits.h"
#include "Util/AEGP_SuiteHandler.h"
#include "Util/Smart_Utils.h"

namespace Brelo {

namespace {

// The pre-render handle until it is handed to the host: on any failure it is
// disposed of here, for the host calls no deletion routine for a frame whose
// pre-render failed.
class PendingPreRenderData {
 public:
  PendingPreRenderData(PF_HandleSuite2* handles, PF_PreRenderOutput* output) : m_handles(handles), m_output(output) {}
  PendingPreRenderData(PendingPreRenderData const&) = delete;
  PendingPreRenderData& operator=(PendingPreRenderData const&) = delete;
  ~PendingPreRenderData() {
    if (m_memory) m_handles->host_unlock_handle(m_handle);
    if (m_handle && !m_handed) {
      m_handles->host_dispose_handle(m_handle);
      m_output->pre_render_data = nullptr;
      m_output->delete_pre_render_data_func = nullptr;
    }
  }

  // Null when the host has no memory to give.
  void* allocate(A_u_longlong size) {
    m_handle = m_handles->host_new_handle(size);
    if (!m_handle) return nullptr;
    m_output->pre_render_data = m_handle;
    m_output->delete_pre_render_data_func = linesDeletePreRenderData;
    m_memory = m_handles->host_lock_handle(m_handle);
    return m_memory;
  }
  void handOver() { m_handed = true; }

 private:
  PF_HandleSuite2* m_handles;
  PF_PreRenderOutput* m_output;
  PF_Handle m_handle = nullptr;
  void* m_memory = nullptr;
  bool m_handed = false;
};

}  // namespace

PF_Err linesSmartPreRender(PF_InData* in_data, PF_OutData* /*out_data*/, PF_PreRenderExtra* extra) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  PF_HandleSuite2* handles = suites.HandleSuite2();
  PF_PreRenderInput* input = extra->input;
  PF_PreRenderOutput* output = extra->output;

  // The strips are laid out over the whole layer, whatever part the host wants.
  input->output_request.rect.left = 0;
  input->output_request.rect.top = 0;
  input->output_request.rect.right = in_data->width;
  input->output_request.rect.bottom = in_data->height;
  output->flags |= PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS;

  linesKeepBasicSuite(in_data->pica_basicP);
  PendingPreRenderData data(handles, output);
  void* memory = data.allocate(sizeof(LinesPreRenderRecord));
  if (!memory) return PF_Err_OUT_OF_MEMORY;

  LinesControlValues values;
  if (PF_Err err = readLinesControls(in_data, values)) return err;

  PF_RenderRequest request = input->output_request;
  request.preserve_rgb_of_zero_alpha = 1;
  PF_CheckoutResult checkout;
  std::memset(&checkout, 0, sizeof checkout);
  if (PF_Err err = extra->cb->checkout_layer(in_data->effect_ref, 0, 0, &request, in_data->current_time,
                                             in_data->time_step, in_data->time_scale, &checkout)) {
    return err;
  }

  std::memset(memory, 0, sizeof(LinesPreRenderRecord));
  auto* record = new (memory) LinesPreRenderRecord;
  fillLinesPreRenderRecord(values, LinesUnits::downsampleX(in_data), *record);

  UnionLRect(&checkout.result_rect, &output->result_rect);
  UnionLRect(&checkout.max_result_rect, &output->max_result_rect);
  data.handOver();
  return PF_Err_NONE;
}

namespace {

// A copy of the record the host kept for this frame; the handle is locked only
// while it is copied.
PF_Err readPreRenderRecord(PF_InData* in_data, PF_SmartRenderExtra* extra, LinesPreRenderRecord* record) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  PF_HandleSuite2* handles = suites.HandleSuite2();
  auto handle = static_cast<PF_Handle>(extra->input->pre_render_data);
  const void* memory = handle ? handles->host_lock_handle(handle) : nullptr;
  if (!memory) return PF_Err_BAD_CALLBACK_PARAM;
  std::memcpy(static_cast<void*>(record), memory, sizeof *record);
  handles->host_unlock_handle(handle);
  return PF_Err_NONE;
}

}  // namespace

PF_Err linesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra) {
  LinesPreRenderRecord record;
  if (PF_Err err = readPreRenderRecord(in_data, extra, &record)) return err;

  SourceInfo info(in_data, out_data, extra);
  if (PF_Err err = info.getError()) return err;
  Layer input(in_data, out_data, info.getInputWorld(), info.getBPC());
  if (PF_Err err = input.getError()) return err;
  Layer working(in_data, out_data, input.getWidth(), input.getHeight(), info.getBPC());
  if (PF_Err err = working.getError()) return err;
  Layer output(in_data, out_data, info.getOutputWorld(), info.getBPC());
  if (PF_Err err = output.getError()) return err;

  if (record.total_width < 0.000001) {
    if (record.original) {
      input.copyTo(output);
      return input.getError();
    }
    output.fill(ColorFloat<float>(0.0f, 0.0f, 0.0f, 0.0f));
    return output.getError();
  }

  int const threads = info.getThreadNum();
  if (PF_Err err = info.getError()) return err;
  // The engine draws the output at the input's coordinates.
  if (!output.equalInSize(input)) return PF_Err_BAD_CALLBACK_PARAM;
  Lines::Parameter const parameter = makeLinesParameter(record, info.getInputOrigin());
  renderLinesFrame(input, working, output, threads, in_data, parameter);
  // The bands record the host's failures in the layers they share.
  for (Layer const* layer : {&input, &working, &output}) {
    if (PF_Err err = layer->getError()) return err;
  }

  if (!linesCompositeVisible(record)) return PF_Err_NONE;
  Rect from = working.getSize();
  Vector<int> at(0, 0);
  working.blendTo(output, from, at, 1.0, getBlendMode(record.blend_mode), true);
  return working.getError();
}

}  // namespace Brelo
