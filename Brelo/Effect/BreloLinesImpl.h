// State of one Lines engine: the settings of the frame, the strip list and
// the per-channel counts. Private to the engine and its tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Brelo/BreloGeneral.h"
#include "Brelo/Effect/BreloLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

class Layer;

class Lines::Impl {
 public:
  // One entry of the list; strips and the gaps between them share the record.
  struct Strip {
    bool gap = false;
    bool hidden = false;
    int index = 0;
    double start = 0.0;
    double end = 0.0;
    double coverage = 1.0;
    double slice = 0.0;
    int slice_index = -1;
    VectorFixed slice_offset{};
    double rgb = 0.0;
    int rgb_index = -1;
    VectorFixed rgb_offset1{};
    VectorFixed rgb_offset3{};
    ColorFloat<float> color{};
    int color_index = -1;
    ColorFloat<float> composite{};
    PF_Pixel composite8{};
    PF_Pixel16 composite16{};
    PF_PixelFloat composite32{};
    double composite_opacity = 0.0;
    int composite_index = -1;
    double fade = 1.0;
  };

  Impl(PF_InData* in_data, int width, int height, Parameter const& parameter);

  // Clears `area` of the output, then draws it.
  void execute(Layer& source, Layer& composite, Layer& output, Rect const& area) const;

  // The part of `area` that execute clears and draws: inside the layer, and
  // empty when the layers cannot be drawn (aliased, of another size or depth)
  // or there is nothing to draw (empty area, Total Width below 0.1).
  Rect _drawnArea(Layer& source, Layer& composite, Layer& output, Rect const& area) const;
  // Draws a rectangle that _drawnArea gave (or a part of it), already clear.
  void _draw(Layer& source, Layer& composite, Layer& output, Rect const& area) const;

  // Index of the first entry that can touch position t: every entry before it
  // ends more than half a pixel before t.
  std::size_t _firstEntry(double t) const;

  // Colour correction of one pixel by the strip's correction value `m`.
  PF_Pixel _variance(PF_Pixel const& pixel, ColorFloat<float> const& m) const;
  PF_Pixel16 _variance(PF_Pixel16 const& pixel, ColorFloat<float> const& m) const;
  PF_PixelFloat _variance(PF_PixelFloat const& pixel, ColorFloat<float> const& m) const;

  PF_InData* in_data;
  int width;
  int height;
  // The frame's settings, the five channel completions already multiplied by
  // the master completion.
  Parameter parameter;
  bool color_active = false;
  std::vector<Strip> strips;
  double origin_x = 0.0;
  double origin_y = 0.0;
  double axis_x = 0.0;
  double axis_y = 0.0;
  double span = 0.0;
  int strip_count = 0;
  int slice_count = 0;
  int rgb_count = 0;
  int color_count = 0;
  int composite_count = 0;

 private:
  struct Draws;

  double _pow(double x, double y) const;
  void _makeStrips();
  // One strip's amounts of a channel it takes part in, drawn in list order.
  void _drawSlice(Strip& s, Draws& d);
  void _drawColor(Strip& s, Draws& d);
  void _drawComposite(Strip& s, Draws& d);
  void _sliceChannel();
  void _rgbChannel();
  void _colorChannel();
  void _compositeChannel();
  void _wipe();
  void _offsets();
  ColorFloat<float> _correct(ColorFloat<float> const& pixel, ColorFloat<float> const& m) const;

  template <class Pixel>
  void _lines(Layer& source, Layer& composite, Layer& output, Rect const& area) const;
};

// Whether running number n takes part in a channel of the given Per and Offset
// (signed remainder; formed in 64 bits so no offset can overflow).
inline bool takesPart(int n, int offset, int per) {
  int64_t const p = per < 1 ? 1 : per;
  return (static_cast<int64_t>(n) - offset) % p == 0;
}

// Nearest integer, halves away from zero, for 16.16 conversion: NaN gives 0
// and values beyond the 32-bit range give its ends.
int32_t fixedRound(double v);

}  // namespace Brelo
