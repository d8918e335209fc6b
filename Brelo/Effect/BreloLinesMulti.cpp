#include "Brelo/Effect/BreloLinesMulti.h"

#include <memory>

#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

namespace {

// One band's work: its own engine copy and layer handles.
struct BandJob {
  Lines engine;
  Layer source, composite, output;
  Rect band;
  void operator()() { engine.impl()._draw(source, composite, output, band); }
};

}  // namespace

void LinesMulti(Layer& source, Layer& composite, Layer& output, int thread_count, PF_InData* in_data,
                Lines::Parameter const& parameter) {
  if (!source.getWorld()) return;
  LinesMulti(source, composite, output, Rect(0, 0, source.getWidth(), source.getHeight()), thread_count, in_data,
             parameter);
}

void LinesMulti(Layer& source, Layer& composite, Layer& output, Rect const& area, int thread_count,
                PF_InData* in_data, Lines::Parameter const& parameter) {
  if (area.isEmpty()) return;
  Lines const engine(in_data, source, parameter);
  std::unique_ptr<BandWorkers> const workers = threadWorkers();
  if (!workers) throw std::bad_alloc();
  renderLinesBands(engine, source, composite, output, area, thread_count, *workers);
}

void renderLinesBands(Lines const& engine, Layer& source, Layer& composite, Layer& output, Rect const& area,
                      int thread_count, BandWorkers& workers) {
  Rect const drawn = engine.impl()._drawnArea(source, composite, output, area);
  if (drawn.isEmpty()) return;
  // Cleared here, once: several threads must not write a layer's error, and a band that
  // succeeded could overwrite a failed band's code. The workers only draw.
  output.fill(ColorFloat<float>(), drawn);
  auto make = [&](Rect const& band) -> std::function<void()> {
    auto job = std::make_shared<BandJob>(BandJob{engine, source, composite, output, band});
    return [job] { (*job)(); };
  };
  // A band whose worker cannot start is drawn here the same way, so the picture is the same.
  paintBands(drawn, thread_count, workers, make, [&](Rect const& band) { make(band)(); });
}

}  // namespace Brelo
