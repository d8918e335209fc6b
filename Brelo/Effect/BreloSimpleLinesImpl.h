// Engine state of SimpleLines: the settings, the bar list and the
// geometry the renderer reads. Private to the engine and its tests.
#pragma once

#include <vector>

#include "Brelo/BreloGeneral.h"
#include "Brelo/Effect/BreloSimpleLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

class SimpleLines::Impl {
 public:
  // A soft edge pair's bounds half a pixel either side of lo and hi, as the
  // pixel loop compares positions with them.
  struct Edges {
    double lo_out, lo_in, hi_in, hi_out;
    static Edges of(double lo, double hi) { return {lo - 0.5, lo + 0.5, hi - 0.5, hi + 0.5}; }
  };
  struct Strip {
    bool hidden;
    int index;
    double start, end;
    double opacity;
    double lower, upper;
    double length_coverage;
    PF_Pixel color8;
    PF_Pixel16 color16;
    PF_PixelFloat color32;
    // Of start and end, lower and upper; formed once the bar is final.
    Edges along, athwart;
  };

  Impl(Layer& layer, Parameter const& parameter);
  // The same for a layer of this size; the layout needs nothing else.
  Impl(int width_, int height_, Parameter const& parameter);

  void execute(Layer& layer, Rect const& area) const noexcept;

  void _prepare();
  void _calcDirection();
  void _makeStrips();
  void _makeTransition();
  static double _getAlpha(double x, double edge, double width, bool rising);

  // Below this a width or gap counts as nothing.
  static constexpr double kMinExtent = 0.00001;
  // A band shorter than this makes no (further) bar.
  static constexpr double kBandEpsilon = 0.0001;
  // Rejected width draws in a row after which the band ends. Only settings
  // with some width maximum in use below kMinExtent can get here at all.
  static constexpr int kMaxWidthDraws = 1 << 16;
  // Most bars one band may hold (see _makeStrips).
  static int maxStripCount();

  int width;
  int height;

  // The settings as given; the layout and the renderer read them here.
  Parameter parameter;

  std::vector<Strip> strips;
  Vector<double> origin;
  Vector<double> axis;
  Vector<double> across;
  int strip_count = 0;

 private:
  struct Draws;
  // One bar's draws, in the order the sequences are read: its width (false
  // when no more bars fit; `end` is where it ends), its lower and upper
  // bounds across the band (`acc` the accumulated offset), its colour.
  bool _drawWidth(Draws& d, int n, double pos, double last, double mw, double& end) const;
  void _drawBounds(Draws& d, int n, double& acc, Strip& strip) const;
  ColorFloat<float> _drawColour(Draws& d, int n) const;

  template <class Depth>
  void _paint(Layer& layer, Rect const& area) const noexcept;
  template <class Depth, class BlendFn>
  void _paintWith(PF_LayerDef* world, Rect const& area, BlendFn const& blend) const noexcept;
};

}  // namespace Brelo
