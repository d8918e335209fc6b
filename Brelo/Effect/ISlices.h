// Engine interface of the strip effect: renders the whole layer, or one
// rectangle of it, from a source layer into an output and a composite layer.
#pragma once

#include "Brelo/BreloGeneral.h"

namespace Brelo {

class Layer;

class ISlices {
 public:
  virtual ~ISlices() = default;
  virtual void execute(Layer& source, Layer& composite, Layer& output) = 0;
  virtual void execute(Layer& source, Layer& composite, Layer& output, Rect const& area) = 0;

 protected:
  ISlices() = default;
  ISlices(ISlices const&) = default;
  ISlices& operator=(ISlices const&) = default;
};

}  // namespace Brelo
