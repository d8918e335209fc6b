// The progress bar of a render of several frames: frames done, time per
// frame and time left, redrawn in place on a terminal.
#pragma once

#include <ostream>
#include <string>

namespace Brelo {
namespace Render {

class Progress {
 public:
  // Draws nothing unless `enabled` (several frames, a terminal, not quiet).
  Progress(std::ostream& out, int total, bool enabled);
  // A frame finished after `seconds` of rendering and writing.
  void frameDone(double seconds);
  // Clears the bar, leaving the line to the summary.
  void finish();

  // The bar's text after `done` frames taking `elapsed` seconds, e.g.
  // "[#########...........] 12/48 frames  0.35 s/frame  0:13 left".
  static std::string line(int done, int total, double elapsed, int width);

 private:
  std::ostream& m_out;
  int m_total;
  bool m_enabled;
  int m_done = 0;
  double m_elapsed = 0;
  std::size_t m_lastLength = 0;
};

}  // namespace Render
}  // namespace Brelo
