// The engine's parameter record made from the pre-render record: the setters
// in the record's order, each with its mapper, and the centre moved into the
// input buffer's coordinates.
#pragma once

#include "Brelo/Effect/BreloLinesParameter.h"
#include "Brelo/Vector.h"
#include "Lines/LinesPreRenderRecord.h"

namespace Brelo {

// `input_origin`: where the input buffer's pixel (0, 0) lies in layer coordinates.
LinesParameter makeLinesParameter(LinesPreRenderRecord const& record, Vector<double> const& input_origin);

// Whether the composite colours can show at all: the final blend is skipped
// when any of Completion, Composite Completion and Composite Opacity is 0.
bool linesCompositeVisible(LinesPreRenderRecord const& record);

}  // namespace Brelo
