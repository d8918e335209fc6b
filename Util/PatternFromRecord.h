// What both effects' pre-render records and parameter classes hold under the
// same names: the pattern's centre, direction and total width, and the width
// and gap classes its elements are drawn from. One template moves them.
#pragma once

#include "Brelo/Vector.h"

namespace Brelo {

// `p`'s pattern from record `r`, the centre moved into the input buffer's
// coordinates (`input_origin`: where its pixel (0, 0) lies in layer
// coordinates). Returns `p`, so that calls chain.
template <class Parameter, class Record>
Parameter& setPatternFrom(Parameter& p, Record const& r, Vector<double> const& input_origin) {
  Vector<double> center = r.center;
  center -= input_origin;
  return p.setCenter(center)
      .setDirection(r.direction)
      .setTotalWidth(r.total_width)
      .setWidthNum(r.width_num)
      .setWidthMax1(r.width_max1)
      .setWidthMax2(r.width_max2)
      .setWidthMax3(r.width_max3)
      .setWidthMin(r.width_min)
      .setWidthPower(r.width_power)
      .setGapNum(r.gap_num)
      .setGapMax1(r.gap_max1)
      .setGapMax2(r.gap_max2)
      .setGapMax3(r.gap_max3)
      .setGapMin(r.gap_min)
      .setGapPower(r.gap_power)
      .setWidthSeed(r.width_seed);
}

}  // namespace Brelo
