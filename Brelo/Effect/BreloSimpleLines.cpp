#include "Brelo/Effect/BreloSimpleLines.h"

#include <cmath>

#include "Brelo/BreloMath.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"

namespace Brelo {

// ------------------------------------------------------------ the handle

SimpleLines::SimpleLines(Layer& layer, Parameter const& parameter)
    : m_holder(new ImplHolder<Impl>(layer, parameter)) {}

SimpleLines::SimpleLines(SimpleLines const& other) : IGeneratorWithRegion(other), m_holder(other.m_holder->Clone()) {}

SimpleLines& SimpleLines::operator=(SimpleLines const& other) {
  if (this != &other) other.m_holder->CopyTo(m_holder);
  return *this;
}

SimpleLines::~SimpleLines() { delete m_holder; }

void SimpleLines::execute(Layer& layer) noexcept {
  Impl const& engine = impl();
  // The engine's own size: a layer of any other size is left alone anyway.
  engine.execute(layer, Rect(0, 0, engine.width, engine.height));
}

void SimpleLines::execute(Layer& layer, Rect const& area) noexcept { impl().execute(layer, area); }

SimpleLines::Impl const& SimpleLines::impl() const { return implOf<Impl>(m_holder); }

// ------------------------------------------------------------ construction

// A layer without pixels counts as empty: nothing can be painted into it.
SimpleLines::Impl::Impl(Layer& layer, Parameter const& parameter)
    : Impl(layer.getWorld() ? layer.getWidth() : 0, layer.getWorld() ? layer.getHeight() : 0, parameter) {}

SimpleLines::Impl::Impl(int width_, int height_, Parameter const& p)
    : width(width_),
      height(height_),
      center(p.center()),
      width_align(p.width_align()),
      direction(p.direction()),
      total_width(p.total_width()),
      width_num(p.width_num()),
      width_max{p.width_max1(), p.width_max2(), p.width_max3()},
      width_min(p.width_min()),
      width_power(p.width_power()),
      gap_num(p.gap_num()),
      gap_max{p.gap_max1(), p.gap_max2(), p.gap_max3()},
      gap_min(p.gap_min()),
      gap_power(p.gap_power()),
      width_seed(p.width_seed()),
      height_num(p.height_num()),
      height_max{p.height_max1(), p.height_max2(), p.height_max3()},
      height_min(p.height_min()),
      height_power(p.height_power()),
      height_seed(p.height_seed()),
      align_type(p.align_type()),
      align_direction(p.align_direction()),
      align_mode(p.align_mode()),
      align_max(p.align_max()),
      align_min(p.align_min()),
      align_power(p.align_power()),
      align_seed(p.align_seed()),
      color_num(p.color_num()),
      color_color{p.color_color1(), p.color_color2(), p.color_color3()},
      color_variance_space(p.color_variance_space()),
      color_overlap(p.color_overlap()),
      color_variance{p.color_variance1(), p.color_variance2(), p.color_variance3()},
      color_seed(p.color_seed()),
      transition_completion(p.transition_completion()),
      transition_delay(p.transition_delay()),
      transition_type(p.transition_type()),
      transition_type_seed(p.transition_type_seed()),
      transition_mode(p.transition_mode()),
      transition_mode_seed(p.transition_mode_seed()),
      transition_order(p.transition_order()),
      transition_order_phase(p.transition_order_phase()),
      transition_order_seed(p.transition_order_seed()),
      transition_easing_type(p.transition_easing_type()),
      transition_easing_mode(p.transition_easing_mode()),
      opacity(p.opacity()),
      blend_mode(p.blend_mode()) {
  _prepare();
}

void SimpleLines::Impl::_prepare() {
  _calcDirection();
  _makeStrips();
  _makeTransition();
}

void SimpleLines::Impl::_calcDirection() {
  double const theta = direction;
  origin = directionOrigin(theta, width, height);
  axis = Vector<double>(std::sin(theta), -std::cos(theta));
  across = Vector<double>(-std::cos(theta), -std::sin(theta));
}

}  // namespace Brelo
