// The smart-render pair of the SimpleLines effect. Pre-render requests the
// whole layer and keeps the converted controls in a host handle; render puts
// the background into the output (the layer, or transparency for "None"),
// then paints the bars over it in the chosen blending mode. Built once per
// module, against the frame library that module links: bands on worker
// threads, or the whole frame on the host's thread.
#include "Brelo/BreloLayer.h"
#include "Brelo/BreloSourceInfo.h"
#include "Brelo/Effect/BreloSimpleLinesFrame.h"
#include "Util/PreRenderHandle.h"
#include "Util/SmartPreRender.h"
#include "SimpleLines/SimpleLinesCommands.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "SimpleLines/SimpleLinesRecord.h"

namespace Brelo {

using namespace SimpleLinesParams;

PF_Err simpleLinesSmartPreRender(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites) {
  PF_ParamDef values[kCount] = {};
  return preRenderWholeLayer<SimpleLinesRecord>(
      in_data, extra, suites, [&] { return readSimpleLinesControls(in_data, values); },
      [&](double dsx, SimpleLinesRecord& record) { record = makeSimpleLinesRecord(values, dsx); });
}

PF_Err simpleLinesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                              AEGP_SuiteHandler& suites) {
  const LockedPreRenderData data(extra, suites);
  auto const* record = static_cast<SimpleLinesRecord const*>(data.record());
  if (!record) return PF_Err_BAD_CALLBACK_PARAM;

  SourceInfo source(in_data, out_data, extra);
  if (PF_Err err = source.getError()) return err;
  Layer input(in_data, out_data, source.getInputWorld(), source.getBPC());
  if (PF_Err err = input.getError()) return err;
  Layer output(in_data, out_data, source.getOutputWorld(), source.getBPC());
  if (PF_Err err = output.getError()) return err;

  const int threads = source.getThreadNum();
  // A refused thread count is a host failure like any other.
  if (PF_Err err = source.getError()) return err;
  const SimpleLinesParameter parameter = makeSimpleLinesParameter(*record, source.getInputOrigin());

  if (simpleLinesOverLayer(record->blend_mode)) {
    input.copyTo(output);
    if (PF_Err err = input.getError()) return err;
  } else {
    output.fill(ColorFloat<float>(0, 0, 0, 0));
    if (PF_Err err = output.getError()) return err;
  }

  if (record->parameter.opacity() > 0) {
    if (PF_Err err = renderSimpleLinesFrame(output, threads, parameter)) return err;
    // Whatever the painting asked of the host is recorded in the layer.
    if (PF_Err err = output.getError()) return err;
  }
  return PF_Err_NONE;
}

}  // namespace Brelo
