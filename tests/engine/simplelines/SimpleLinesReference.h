// A plain renderer for the tests: every pixel scans the whole bar list from
// the first bar, with no search. The engine must give the same bytes.
#pragma once

#include "Brelo/BreloBlend.h"
#include "SimpleLinesTestSupport.h"

namespace Brelo::Support {

inline double softEdge(double x, double edge, bool rising) {
  double r;
  if (rising) {
    r = x >= edge + 0.5 ? 1 : x < edge - 0.5 ? 0 : x - (edge - 0.5);
  } else {
    r = x <= edge - 0.5 ? 1 : x > edge + 0.5 ? 0 : (edge + 0.5) - x;
  }
  return r < 0 ? 0 : r > 1 ? 1 : r;
}

template <class P>
void referencePaint(SimpleLines::Impl const& e, TestWorld<P>& world, Rect const& area) {
  if (world.width() != e.width || world.height() != e.height || area.isEmpty()) return;
  double const op = e.parameter.opacity();
  Vector<double> const center = e.parameter.center();
  BlendMode const mode = e.parameter.blend_mode();
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, e.height); ++y) {
    for (int x = std::max(area.left, 0); x < std::min(area.right, e.width); ++x) {
      double const u = (x - e.origin.x) * e.axis.x + (y - e.origin.y) * e.axis.y;
      double const v = (x - center.x) * e.across.x + (y - center.y) * e.across.y;
      P acc{};
      for (SimpleLines::Impl::Strip const& s : e.strips) {
        if (s.start - 0.5 > u) break;
        if (s.hidden || u > s.end + 0.5) continue;
        double const a = s.opacity * softEdge(u, s.start, true) * softEdge(u, s.end, false);
        if (a <= 0) continue;
        double const b = s.length_coverage * softEdge(v, s.lower, true) * softEdge(v, s.upper, false);
        if (b <= 0) continue;
        P px;
        if constexpr (std::is_same_v<P, PF_Pixel>) {
          px = s.color8;
          px.alpha = static_cast<A_u_char>((a * static_cast<int>(op * 255)) * b + 0.5);
        } else if constexpr (std::is_same_v<P, PF_Pixel16>) {
          px = s.color16;
          px.alpha = static_cast<A_u_short>((a * static_cast<int>(op * 32768)) * b + 0.5);
        } else {
          px = s.color32;
          px.alpha = static_cast<float>(b * (a * op));
        }
        acc = Blend::alpha_add(acc, px);
      }
      if (acc.alpha > 0) {
        P& pixel = world.at(x, y);
        if constexpr (std::is_same_v<P, PF_Pixel>) {
          acc.alpha = std::min<A_u_char>(acc.alpha, static_cast<A_u_char>(op * 255));
          pixel = getBlendFunction8(mode)(pixel, acc);
        } else if constexpr (std::is_same_v<P, PF_Pixel16>) {
          acc.alpha = std::min<A_u_short>(acc.alpha, static_cast<A_u_short>(op * 32768));
          pixel = getBlendFunction16(mode)(pixel, acc);
        } else {
          acc.alpha = std::min(acc.alpha, static_cast<float>(op));
          pixel = getBlendFunction32(mode)(pixel, acc);
        }
      }
    }
  }
}

}  // namespace Brelo::Support
