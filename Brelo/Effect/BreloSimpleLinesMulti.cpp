#include "Brelo/Effect/BreloSimpleLinesMulti.h"

#include <algorithm>
#include <memory>

namespace Brelo {

void SimpleLinesMulti(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter) {
  SimpleLinesMulti(layer, layer.getSize(), thread_count, parameter);
}

void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter) {
  std::unique_ptr<BandWorkers> const workers = threadWorkers();
  if (!workers) throw std::bad_alloc();
  SimpleLinesMulti(layer, area, thread_count, parameter, *workers);
}

void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter,
                      BandWorkers& workers) {
  if (area.isEmpty()) return;
  // Rows outside the layer paint nothing; leaving them out keeps every
  // worker busy with rows that exist.
  Rect const size = layer.getSize();
  Rect const inside(std::max(area.left, size.left), std::max(area.top, size.top), std::min(area.right, size.right),
                    std::min(area.bottom, size.bottom));
  if (inside.isEmpty()) return;

  SimpleLines engine(layer, parameter);
  // The engine copy is shared only with the copies the thread library makes
  // of the job itself, so the bar list is cloned once per band.
  auto make = [&](Rect const& band) -> std::function<void()> {
    auto copy = std::make_shared<SimpleLines>(engine);
    return [copy, layer, band]() mutable { copy->execute(layer, band); };
  };
  paintBands(inside, thread_count, workers, make, [&](Rect const& band) { engine.execute(layer, band); });
}

}  // namespace Brelo
