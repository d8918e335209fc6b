#include "Brelo/Effect/BreloLinesMulti.h"

#include <algorithm>
#include <cstdint>

#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

std::vector<Rect> linesBands(Rect const& area, int thread_count) {
  std::vector<Rect> bands;
  if (area.isEmpty()) return bands;
  int64_t const height = static_cast<int64_t>(area.bottom) - area.top;
  int64_t const n = std::min<int64_t>(std::max(1, thread_count), height);
  bands.reserve(static_cast<std::size_t>(n));
  for (int64_t i = 0; i < n; ++i) {
    int const top = static_cast<int>(area.top + (i * height) / n);
    int const bottom = static_cast<int>(area.top + ((i + 1) * height) / n);
    bands.emplace_back(area.left, top, area.right, bottom);
  }
  return bands;
}

LinesBandJob::LinesBandJob(Lines const& engine, Layer& source, Layer& composite, Layer& output, Rect const& band)
    : m_engine(engine), m_source(source), m_composite(composite), m_output(output), m_band(band) {}

void LinesBandJob::run() {
  // Nothing may leave a worker thread; the caller raises it after the join.
  try {
    m_engine.impl()._draw(m_source, m_composite, m_output, m_band);
  } catch (...) {
    m_error = std::current_exception();
  }
}

namespace {

void drawBands(Lines const& engine, Layer& source, Layer& composite, Layer& output, Rect const& area,
                int thread_count, LinesWorkerStarter const& start) {
  std::vector<Rect> const bands = linesBands(area, thread_count);
  std::vector<std::shared_ptr<LinesBandJob>> jobs;
  jobs.reserve(bands.size());
  boost::thread_group group;
  try {
    for (Rect const& band : bands) {
      auto job = std::make_shared<LinesBandJob>(engine, source, composite, output, band);
      jobs.push_back(job);
      try {
        start(group, [job] { job->run(); });
      } catch (boost::thread_resource_error const&) {
        // No thread to be had: this band is drawn here, so the picture is the same.
        job->run();
      }
    }
  } catch (...) {
    group.join_all();
    throw;
  }
  group.join_all();
  for (auto const& job : jobs) {
    if (job->error()) std::rethrow_exception(job->error());
  }
}

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
  renderLinesBands(engine, source, composite, output, area, thread_count,
                   [](boost::thread_group& group, std::function<void()> const& work) { group.create_thread(work); });
}

void renderLinesBands(Lines const& engine, Layer& source, Layer& composite, Layer& output, Rect const& area,
                      int thread_count, LinesWorkerStarter const& start) {
  Rect const drawn = engine.impl()._drawnArea(source, composite, output, area);
  if (drawn.isEmpty()) return;
  // Cleared here, once: a layer's error is no place for several threads to
  // write at once, and a band that succeeded could overwrite a failed band's
  // code. The workers only draw.
  output.fill(ColorFloat<float>(), drawn);
  drawBands(engine, source, composite, output, drawn, thread_count, start);
}

}  // namespace Brelo
