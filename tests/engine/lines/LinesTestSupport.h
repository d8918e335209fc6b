// Shared pieces of the Lines engine tests: a frame record with nothing but a
// power routine (enough to build an engine), and a plain parameter record
// whose strips are easy to predict.
#pragma once

#include <cmath>
#include <vector>

#include "Brelo/Effect/BreloLines.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {
namespace test {

using Impl = Lines::Impl;
using Parameter = Lines::Parameter;
using Strip = Lines::Impl::Strip;

struct PowOnlyInData {
  PF_UtilCallbacks utils{};
  PF_InData in{};
  PowOnlyInData() {
    utils.ansi.pow = +[](A_FpLong x, A_FpLong y) -> A_FpLong { return std::pow(x, y); };
    in.utils = &utils;
  }
  PowOnlyInData(PowOnlyInData const&) = delete;
  PowOnlyInData& operator=(PowOnlyInData const&) = delete;
};

// Direction pi/2: the across axis is +x (positions are x, from column 0);
// strips of fixed width `width` and no gaps, the pattern starting at x = p0.
inline Lines::Parameter columnStrips(double p0, double total_width, double width) {
  Lines::Parameter p;
  p.setDirection(1.5707963267948966)
      .setCenter(Vector<double>(p0, 0.0))
      .setAlign(0.0)
      .setTotalWidth(total_width)
      .setWidthNum(1)
      .setWidthMax1(width)
      .setWidthPower(0.0)
      .setGapNum(1)
      .setGapMax1(0.0);
  return p;
}

// The engine's strips without its gaps, in order.
inline std::vector<Strip> stripsOnly(Lines::Impl const& e) {
  std::vector<Strip> v;
  for (Strip const& s : e.strips)
    if (!s.gap) v.push_back(s);
  return v;
}

}  // namespace test
}  // namespace Brelo
