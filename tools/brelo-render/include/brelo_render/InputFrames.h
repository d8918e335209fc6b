// The layer each planned frame renders: the still input or the test card,
// or a sequence's frames read one at a time, each of them the size of the
// first frame that reads. With --keep-going, frames that cannot be read are
// reported and skipped; otherwise the first one ends the job.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "brelo_host/Image.h"
#include "brelo_render/FramePlan.h"
#include "brelo_render/Options.h"

namespace Brelo {
namespace Render {

class InputFrames {
 public:
  InputFrames(Options const& o, FramePlan const& plan, std::ostream& err);

  // The layer the job starts with, which sets its size. Throws RenderError
  // or ImageIO::ImageError (input) when no frame reads.
  Sim::Image first();
  // The index of the planned frame first() read.
  std::size_t firstIndex() const { return m_first; }

  // Planned frame i of a sequence; false, with the reason in *problem, when
  // it cannot be read or has another size.
  bool read(std::size_t i, Sim::Image* layer, std::string* problem);
  // Reports frame i as skipped.
  void skip(std::size_t i, std::string const& problem);
  // The frames skipped so far.
  std::vector<long> const& skipped() const { return m_skipped; }

 private:
  Options const& m_options;
  FramePlan const& m_plan;
  std::ostream& m_err;
  std::size_t m_first = 0;
  int m_width = 0, m_height = 0;
  std::vector<long> m_skipped;
};

}  // namespace Render
}  // namespace Brelo
