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
SimpleLines::Impl::Impl(Layer& layer, Parameter const& p)
    : Impl(layer.getWorld() ? layer.getWidth() : 0, layer.getWorld() ? layer.getHeight() : 0, p) {}

SimpleLines::Impl::Impl(int width_, int height_, Parameter const& p)
    : width(width_), height(height_), parameter(p) {
  _prepare();
}

void SimpleLines::Impl::_prepare() {
  _calcDirection();
  _makeStrips();
  _makeTransition();
  for (Strip& s : strips) {
    s.along = Edges::of(s.start, s.end);
    s.athwart = Edges::of(s.lower, s.upper);
  }
}

void SimpleLines::Impl::_calcDirection() {
  double const theta = parameter.direction();
  origin = directionOrigin(theta, width, height);
  axis = Vector<double>(std::sin(theta), -std::cos(theta));
  across = Vector<double>(-std::cos(theta), -std::sin(theta));
}

}  // namespace Brelo
