// The smart-render pair of the SimpleLines effect: the background (the layer, or
// transparency for "None"), then the bars over it, with the frame library the module links.
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
  SimpleLinesControlValues values;
  return preRenderWholeLayer<SimpleLinesRecord>(
      in_data, extra, suites, [&] { return readSimpleLinesControls(in_data, values); },
      [&](double dsx, SimpleLinesRecord& record) { record = makeSimpleLinesRecord(values.data(), dsx); });
}

PF_Err simpleLinesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                              AEGP_SuiteHandler& suites) {
  SimpleLinesRecord record;
  if (PF_Err err = readPreRenderRecord(extra, suites, record)) return err;

  SourceInfo source(in_data, out_data, extra);
  if (PF_Err err = source.getError()) return err;
  Layer input(in_data, out_data, source.getInputWorld(), source.getBPC());
  if (PF_Err err = input.getError()) return err;
  Layer output(in_data, out_data, source.getOutputWorld(), source.getBPC());
  if (PF_Err err = output.getError()) return err;

  const int threads = source.getThreadNum();
  // A refused thread count is a host failure like any other.
  if (PF_Err err = source.getError()) return err;
  const SimpleLinesParameter parameter = makeSimpleLinesParameter(record, source.getInputOrigin());

  if (simpleLinesOverLayer(record.blend_mode)) {
    input.copyTo(output);
    if (PF_Err err = input.getError()) return err;
  } else {
    output.fill(ColorFloat<float>(0, 0, 0, 0));
    if (PF_Err err = output.getError()) return err;
  }

  if (record.parameter.opacity() > 0) {
    if (PF_Err err = renderSimpleLinesFrame(output, threads, parameter)) return err;
    // Whatever the painting asked of the host is recorded in the layer.
    if (PF_Err err = output.getError()) return err;
  }
  return PF_Err_NONE;
}

}  // namespace Brelo
