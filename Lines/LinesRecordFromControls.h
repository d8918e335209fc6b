// Fills the pre-render record from the controls' values, converting each
// into the engine's units.
#pragma once

#include "Lines/LinesControlValues.h"
#include "Lines/LinesPreRenderRecord.h"

namespace Brelo {

// `record` is zeroed first, padding included. dsx is the horizontal downsample factor: lengths
// shrink with it, the centre (a point, already scaled by the host) does not.
void fillLinesPreRenderRecord(LinesControlValues const& v, double dsx, LinesPreRenderRecord& record);

}  // namespace Brelo
