#include "Util/PatternControls.h"

namespace Brelo {

Pattern readPattern(PF_ParamDef const* v, PatternControls const& c, LengthScale const& s) {
  using namespace ControlRead;
  Pattern p;
  p.center = pointOf(v[c.center], s);
  p.direction = radiansOf(v[c.direction], s);
  p.total_width = lengthOf(v[c.total_width], s);
  p.width_num = popupOf(v[c.width_num], s);
  p.width_max1 = lengthOf(v[c.width_max1], s);
  p.width_max2 = lengthOf(v[c.width_max2], s);
  p.width_max3 = lengthOf(v[c.width_max3], s);
  p.width_min = fractionOf(v[c.width_min], s);
  p.width_power = realOf(v[c.width_power], s);
  p.gap_num = popupOf(v[c.gap_num], s);
  p.gap_max1 = lengthOf(v[c.gap_max1], s);
  p.gap_max2 = lengthOf(v[c.gap_max2], s);
  p.gap_max3 = lengthOf(v[c.gap_max3], s);
  p.gap_min = fractionOf(v[c.gap_min], s);
  p.gap_power = realOf(v[c.gap_power], s);
  p.width_seed = sliderOf(v[c.width_seed], s);
  return p;
}

}  // namespace Brelo
