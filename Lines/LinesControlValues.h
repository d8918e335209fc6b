// The values of the Lines controls at the frame's time, copied out of the
// host's parameter records so that every control can be checked in again at
// once.
#pragma once

#include <array>
#include <cstddef>

#include "Lines/LinesParams.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// The controls the render reads, in the order they are checked out: the
// layout, then each channel with its schedule first.
extern const std::array<PF_ParamIndex, 103> kLinesCheckoutOrder;

class LinesControlValues {
 public:
  LinesControlValues();

  PF_ParamDef& operator[](PF_ParamIndex index) { return m_values[static_cast<std::size_t>(index)]; }
  PF_ParamDef const& operator[](PF_ParamIndex index) const { return m_values[static_cast<std::size_t>(index)]; }

  // Indexed by control, the layer's entry included.
  PF_ParamDef* data() { return m_values.data(); }
  PF_ParamDef const* data() const { return m_values.data(); }

  PF_Fixed fixed(PF_ParamIndex i) const { return (*this)[i].u.fd.value; }
  double floatValue(PF_ParamIndex i) const { return (*this)[i].u.fs_d.value; }
  PF_Fixed angle(PF_ParamIndex i) const { return (*this)[i].u.ad.value; }
  A_long slider(PF_ParamIndex i) const { return (*this)[i].u.sd.value; }
  A_long popup(PF_ParamIndex i) const { return (*this)[i].u.pd.value; }
  A_long checkbox(PF_ParamIndex i) const { return (*this)[i].u.bd.value; }
  PF_Pixel const& color(PF_ParamIndex i) const { return (*this)[i].u.cd.value; }
  PF_Fixed pointX(PF_ParamIndex i) const { return (*this)[i].u.td.x_value; }
  PF_Fixed pointY(PF_ParamIndex i) const { return (*this)[i].u.td.y_value; }

 private:
  std::array<PF_ParamDef, LinesParams::kCount> m_values;
};

// Checks out every control of kLinesCheckoutOrder at the current time, copies
// its value and checks it in again before the next one, so that no control
// stays checked out whatever fails. Returns the first host error.
PF_Err readLinesControls(PF_InData* in_data, LinesControlValues& values);

}  // namespace Brelo
