// The smart-render pair of the Lines effect: the strips, then the composite
// colours blended over them.
#include "Brelo/BreloLayer.h"
#include "Brelo/BreloSourceInfo.h"
#include "Brelo/Effect/BreloLinesFrame.h"
#include "Lines/LinesCommands.h"
#include "Lines/LinesRecord.h"
#include "Util/PopupMappers.h"
#include "Util/PreRenderHandle.h"
#include "Util/SmartPreRender.h"

namespace Brelo {

PF_Err linesSmartPreRender(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites) {
  // The strips are laid out over the whole layer, whatever part the host wants.
  LinesControlValues values;
  return preRenderWholeLayer<LinesPreRenderRecord>(
      in_data, extra, suites, [&] { return readLinesControls(in_data, values); },
      [&](double dsx, LinesPreRenderRecord& record) { fillLinesPreRenderRecord(values, dsx, record); });
}

PF_Err linesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                        AEGP_SuiteHandler& suites) {
  LinesPreRenderRecord record;
  if (PF_Err err = readPreRenderRecord(extra, suites, record)) return err;

  SourceInfo info(in_data, out_data, extra);
  if (PF_Err err = info.getError()) return err;
  Layer input(in_data, out_data, info.getInputWorld(), info.getBPC());
  if (PF_Err err = input.getError()) return err;
  Layer working(in_data, out_data, input.getWidth(), input.getHeight(), info.getBPC());
  if (PF_Err err = working.getError()) return err;
  Layer output(in_data, out_data, info.getOutputWorld(), info.getBPC());
  if (PF_Err err = output.getError()) return err;

  // Too narrow a pattern for the engine to draw (it would leave the output as handed over):
  // what a Total Width of 0 shows, the layer itself with "Original" on, nothing otherwise.
  Lines::Parameter const parameter = makeLinesParameter(record, info.getInputOrigin());
  if (parameter.total_width() < Lines::kMinTotalWidth) {
    if (parameter.original()) {
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
  if (PF_Err err = renderLinesFrame(input, working, output, threads, in_data, parameter)) return err;
  // The bands record the host's failures in the layers they share.
  for (Layer const* layer : {&input, &working, &output}) {
    if (PF_Err err = layer->getError()) return err;
  }

  if (!linesCompositeVisible(record)) return PF_Err_NONE;
  Rect from = working.getSize();
  Vector<int> at(0, 0);
  working.blendTo(output, from, at, 1.0, blendModeFromNormal(record.blend_mode), true);
  return working.getError();
}

}  // namespace Brelo
