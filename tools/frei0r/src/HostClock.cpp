#include "brelo_frei0r/HostClock.h"

#include <dlfcn.h>

namespace Brelo {
namespace Frei0r {

namespace {

bool programHas(char const* symbol) { return dlsym(RTLD_DEFAULT, symbol) != nullptr; }

HostKind detect() {
  // MLT and GStreamer programs may load libavfilter for themselves, so they
  // are told apart first.
  if (programHas("mlt_factory_init")) return HostKind::Mlt;
  if (programHas("gst_init")) return HostKind::GStreamer;
  if (programHas("avfilter_version")) return HostKind::Ffmpeg;
  return HostKind::Other;
}

}  // namespace

HostKind runningHost() {
  static HostKind const kind = detect();
  return kind;
}

double hostSeconds(double time, HostKind host) { return host == HostKind::Ffmpeg ? time / 1000.0 : time; }

}  // namespace Frei0r
}  // namespace Brelo
