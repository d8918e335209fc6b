// The Lines engine: cuts a layer into strips across a direction and renders
// each strip with its own slide, RGB separation, colour correction, composite
// colour and wipe. An engine is built for one frame; after construction it is
// read-only, so copies of it may render disjoint rectangles on several threads.
#pragma once

#include "Brelo/BreloGeneral.h"
#include "Brelo/Effect/BreloLinesParameter.h"
#include "Brelo/Effect/ISlices.h"
#include "Brelo/ImplHolder.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

class Layer;

class Lines : public ISlices {
 public:
  using Parameter = LinesParameter;
  class Impl;

  // Below this Total Width (pixels) execute draws nothing and leaves the
  // output as it was: the caller shows what a Total Width of 0 shows.
  static constexpr double kMinTotalWidth = 0.1;

  // Lays out the strips and computes every channel of this frame. `source` gives only the
  // size; `in_data` supplies the host's pow and its sampling service (it must outlive us).
  Lines(PF_InData* in_data, Layer& source, Parameter const& parameter);
  Lines(Lines const& other);
  Lines& operator=(Lines const& other);
  ~Lines() override;

  // Renders the whole layer.
  void execute(Layer& source, Layer& composite, Layer& output) override;
  // Renders `area` (clipped to the layer): clears it in `output`, then adds every strip's
  // content there and its composite colour into `composite`, transparent over `area` before.
  void execute(Layer& source, Layer& composite, Layer& output, Rect const& area) override;

  // The built layout, for inspection.
  Impl const& impl() const;

 private:
  ImplHolderBase* m_holder;
};

}  // namespace Brelo
