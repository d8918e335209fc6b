#include "Brelo/Effect/BreloLines.h"

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

Lines::Lines(PF_InData* in_data, Layer& source, Parameter const& parameter)
    : m_holder(new ImplHolder<Impl>(in_data, source.getWidth(), source.getHeight(), parameter)) {}

Lines::Lines(Lines const& other) : m_holder(other.m_holder->Clone()) {}

Lines& Lines::operator=(Lines const& other) {
  if (this != &other) other.m_holder->CopyTo(m_holder);
  return *this;
}

Lines::~Lines() { delete m_holder; }

void Lines::execute(Layer& source, Layer& composite, Layer& output) {
  execute(source, composite, output, Rect(0, 0, source.getWidth(), source.getHeight()));
}

void Lines::execute(Layer& source, Layer& composite, Layer& output, Rect const& area) {
  implOf<Impl>(m_holder).execute(source, composite, output, area);
}

Lines::Impl const& Lines::impl() const { return implOf<Impl>(static_cast<ImplHolderBase const*>(m_holder)); }

}  // namespace Brelo
