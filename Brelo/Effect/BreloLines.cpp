#include "Brelo/Effect/BreloLines.h"

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

namespace {
// A layer without a world has no size: the engine is built for none.
int widthOf(Layer& layer) { return layer.getWorld() ? layer.getWidth() : 0; }
int heightOf(Layer& layer) { return layer.getWorld() ? layer.getHeight() : 0; }
}  // namespace

Lines::Lines(PF_InData* in_data, Layer& source, Parameter const& parameter)
    : m_holder(new ImplHolder<Impl>(in_data, widthOf(source), heightOf(source), parameter)) {}

Lines::Lines(Lines const& other) : m_holder(other.m_holder->Clone()) {}

Lines& Lines::operator=(Lines const& other) {
  if (this != &other) other.m_holder->CopyTo(m_holder);
  return *this;
}

Lines::~Lines() { delete m_holder; }

void Lines::execute(Layer& source, Layer& composite, Layer& output) {
  execute(source, composite, output, Rect(0, 0, widthOf(source), heightOf(source)));
}

void Lines::execute(Layer& source, Layer& composite, Layer& output, Rect const& area) {
  implOf<Impl>(m_holder).execute(source, composite, output, area);
}

Lines::Impl const& Lines::impl() const { return implOf<Impl>(static_cast<ImplHolderBase const*>(m_holder)); }

}  // namespace Brelo
