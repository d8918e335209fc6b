#include "brelo_render/Progress.h"

#include <cmath>
#include <cstdio>

namespace Brelo {
namespace Render {

namespace {

std::string clock(double seconds) {
  long s = long(std::lround(seconds));
  char buf[32];
  if (s >= 3600)
    std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
  return buf;
}

}  // namespace

Progress::Progress(std::ostream& out, int total, bool enabled) : m_out(out), m_total(total), m_enabled(enabled) {}

std::string Progress::line(int done, int total, double elapsed, int width) {
  int filled = total > 0 ? int(std::int64_t(done) * width / total) : width;
  std::string bar = "[" + std::string(std::size_t(filled), '#') + std::string(std::size_t(width - filled), '.') + "] ";
  char buf[128];
  double per = done > 0 ? elapsed / done : 0.0;
  std::snprintf(buf, sizeof buf, "%d/%d frames  %.2f s/frame  %s left", done, total, per,
                clock(per * (total - done)).c_str());
  return bar + buf;
}

void Progress::frameDone(double seconds) {
  ++m_done;
  m_elapsed += seconds;
  if (!m_enabled) return;
  std::string l = line(m_done, m_total, m_elapsed, 30);
  std::string pad = l.size() < m_lastLength ? std::string(m_lastLength - l.size(), ' ') : "";
  m_out << '\r' << l << pad << std::flush;
  m_lastLength = l.size();
}

void Progress::finish() {
  if (!m_enabled || m_lastLength == 0) return;
  m_out << '\r' << std::string(m_lastLength, ' ') << '\r' << std::flush;
  m_lastLength = 0;
}

}  // namespace Render
}  // namespace Brelo
