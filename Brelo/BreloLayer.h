// One host pixel buffer with its bit depth: the host's output, a buffer of our own, or a
// layer parameter checked out at a time. Copies share the buffer; the last releases it.
// Fills, copies and blends go through the host; a host error sticks and skips later calls.
#pragma once

#include <memory>

#include "Brelo/BPC.h"
#include "Brelo/BreloBlend.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/Rect.h"
#include "Brelo/Vector.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

class Layer {
 public:
  // Wraps a world that belongs to someone else (origin 0).
  Layer(PF_InData* in_data, PF_OutData* out_data, PF_LayerDef* world, BPC bpc);
  // Checks out layer parameter `paramIndex` at `time` (origin 1).
  Layer(PF_InData* in_data, PF_OutData* out_data, int paramIndex, A_Time const& time, BPC bpc);
  // A new world of its own, cleared to transparent black (origin 2).
  Layer(PF_InData* in_data, PF_OutData* out_data, int width, int height, BPC bpc);

  PF_Err getError() const;
  PF_LayerDef* getWorld();
  BPC getBPC() const;
  int getWidth() const;
  int getHeight() const;
  Rect getSize() const;
  // No bounds check: 0 <= x < width, 0 <= y < height is the caller's duty.
  ColorFloat<float> getPixel(int x, int y);
  bool equalTo(Layer& other);
  bool equalInSize(Layer& other);

  void fill(ColorFloat<float> const& colour);
  void fill(ColorFloat<float> const& colour, Rect const& area);
  // The result lands in this layer's error, not the destination's.
  void copyTo(Layer& destination);
  void copyTo(Layer& destination, Rect& from, Rect& to);
  void blendTo(Layer& destination, Rect& from, Vector<int>& at, double opacity, BlendMode mode, bool rgbOnly);
  Layer clone();

  class Impl;

 private:
  std::shared_ptr<Impl> m_impl;
};

}  // namespace Brelo
