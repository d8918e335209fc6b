// Smart pre-render as both effects take it: the whole layer requested, the
// controls read, the input checked out and its area claimed.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <new>

#include "Util/BreloHostAPI.h"
#include "Util/ControlUnits.h"
#include "Util/PreRenderHandle.h"

namespace Brelo {

// The rectangle of the output request becomes the whole layer, whatever the
// host asked for, and the effect says it returns extra pixels.
void requestWholeLayer(PF_InData const* in_data, PF_PreRenderExtra* extra);

// The controls' values of one frame, indexed by control (the layer's entry
// included), zeroed at first.
template <std::size_t N>
class ControlValues {
 public:
  ControlValues() { std::memset(m_values.data(), 0, sizeof m_values); }
  PF_ParamDef& operator[](PF_ParamIndex index) { return m_values[static_cast<std::size_t>(index)]; }
  PF_ParamDef const& operator[](PF_ParamIndex index) const { return m_values[static_cast<std::size_t>(index)]; }
  PF_ParamDef* data() { return m_values.data(); }
  PF_ParamDef const* data() const { return m_values.data(); }

 private:
  std::array<PF_ParamDef, N> m_values;
};

// Checks out controls order[0 .. count-1] at the current time, copies each into
// values[index] and checks it in again at once, so that no error path can leave a control
// checked out. The first error of either call ends the reading and is returned.
PF_Err readControls(PF_InData* in_data, PF_ParamIndex const* order, std::size_t count, PF_ParamDef* values);

// Asks for the input layer at the current time under checkout id 0, with
// the request as it stands and the colour of transparent pixels kept, and
// merges its result rectangles into the output's: the effect adds no border.
PF_Err checkoutWholeInput(PF_InData const* in_data, PF_PreRenderExtra* extra);

// The whole smart pre-render of an effect with pre-render record `Record`, the controls
// read by read() and the record filled by fill(dsx, record) at the horizontal downsample
// factor. The first error is returned and leaves no handle behind.
template <class Record, class Read, class Fill>
PF_Err preRenderWholeLayer(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites, Read read,
                           Fill fill) {
  requestWholeLayer(in_data, extra);
  PreRenderHandle data(in_data, extra, suites, sizeof(Record));
  if (PF_Err err = data.error()) return err;
  if (PF_Err err = read()) return err;
  if (PF_Err err = checkoutWholeInput(in_data, extra)) return err;
  fill(ControlUnits::downsampleX(in_data), *new (data.record()) Record);
  data.commit();
  return PF_Err_NONE;
}

}  // namespace Brelo
