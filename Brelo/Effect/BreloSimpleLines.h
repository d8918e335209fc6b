// The SimpleLines engine: a band of random bars laid out once per frame, wiped, and painted
// over a layer. Copies are deep, so every worker thread can own its engine.
#pragma once

#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLinesParameter.h"
#include "Brelo/ImplHolder.h"

namespace Brelo {

// Something that paints into a whole layer.
class IGenerator {
 public:
  virtual ~IGenerator() = default;
  virtual void execute(Layer& layer) noexcept = 0;

 protected:
  IGenerator() = default;
  IGenerator(IGenerator const&) = default;
  IGenerator& operator=(IGenerator const&) = default;
};

// ... and into a rectangle of it, so that bands can be painted apart.
class IGeneratorWithRegion : public IGenerator {
 public:
  using IGenerator::execute;
  virtual void execute(Layer& layer, Rect const& area) noexcept = 0;

 protected:
  IGeneratorWithRegion() = default;
  IGeneratorWithRegion(IGeneratorWithRegion const&) = default;
  IGeneratorWithRegion& operator=(IGeneratorWithRegion const&) = default;
};

class SimpleLines : public IGeneratorWithRegion {
 public:
  using Parameter = SimpleLinesParameter;
  class Impl;

  // Lays out and wipes the bars for a layer of this layer's size; only the
  // size is read.
  SimpleLines(Layer& layer, Parameter const& parameter);
  SimpleLines(SimpleLines const& other);
  SimpleLines& operator=(SimpleLines const& other);
  ~SimpleLines() override;

  // Paints the bars over the whole layer.
  void execute(Layer& layer) noexcept override;
  // Paints only inside `area`. A layer of another size than the one the
  // engine was built for is left untouched.
  void execute(Layer& layer, Rect const& area) noexcept override;

  // The laid-out state, for tests and benchmarks.
  Impl const& impl() const;

 private:
  ImplHolderBase* m_holder;
};

}  // namespace Brelo
