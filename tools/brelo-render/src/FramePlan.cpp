#include "brelo_render/FramePlan.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

namespace {

// More frames than anyone renders from a command line: a typing error.
constexpr long kMaxFrames = 100000;

}  // namespace

FramePlan planFrames(Options const& o) {
  FramePlan plan;
  if (o.input.empty() || !FramePattern::numberedPattern(o.input, &plan.inputPattern)) {
    plan.start = o.start;
    for (std::size_t i = 0; i < o.times.size(); ++i) plan.frames.push_back({o.frameNumbers[i], o.times[i], {}});
    return plan;
  }
  plan.sequence = true;
  FramePattern const& in = plan.inputPattern;
  const bool listable = in.listable();
  if (!listable && (o.frameChoice == Options::FrameChoice::Default ||
                    (!o.startGiven && o.frameChoice == Options::FrameChoice::Time)))
    throw RenderError(ExitCode::Usage, "input " + in.pattern() +
                                           ": the frame number is in a folder's name; say which frames with --frames");
  std::vector<long> onDisk;
  if (listable && (!o.startGiven || o.frameChoice == Options::FrameChoice::Default)) {
    onDisk = in.framesOnDisk();
    if (onDisk.empty()) throw RenderError(ExitCode::Input, "no input frames match " + in.pattern());
  }
  plan.start = o.startGiven ? o.start : listable ? onDisk.front() : o.firstFrame;

  long first = 0, last = 0;
  switch (o.frameChoice) {
    case Options::FrameChoice::Frame:
    case Options::FrameChoice::Range: first = o.firstFrame, last = o.lastFrame; break;
    case Options::FrameChoice::Time:
      first = last = plan.start + long(std::llround(double(o.time) / double(o.timeBase.step)));
      break;
    case Options::FrameChoice::Default:
      first = onDisk.front(), last = onDisk.back();
      if (last - first + 1 > kMaxFrames)
        throw RenderError(ExitCode::Usage, "input " + in.pattern() + " spans frames " + std::to_string(first) + " to " +
                                               std::to_string(last) + ", more than " + std::to_string(kMaxFrames) +
                                               "; choose some with --frames");
      break;
  }
  for (long n = first; n <= last; ++n) {
    PlannedFrame f;
    f.number = n;
    f.time = o.frameChoice == Options::FrameChoice::Time ? o.time : o.timeBase.frameTime(n - plan.start);
    f.input = in.name(n);
    if (!o.keepGoing) {
      struct stat st;
      if (stat(f.input.c_str(), &st) != 0)
        throw RenderError(ExitCode::Input, "cannot read " + f.input + ": " + std::strerror(errno));
    }
    plan.frames.push_back(std::move(f));
  }
  return plan;
}

}  // namespace Render
}  // namespace Brelo
