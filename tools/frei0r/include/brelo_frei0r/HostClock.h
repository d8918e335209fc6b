// The time frei0r hosts pass to f0r_update is meant to be seconds, but
// ffmpeg passes milliseconds. Which host loaded the filter is told by the
// libraries of the running program.
#pragma once

namespace Brelo {
namespace Frei0r {

enum class HostKind { Ffmpeg, Mlt, GStreamer, Other };

// Looked up once per process.
HostKind runningHost();

// Seconds from the time `host` passes.
double hostSeconds(double time, HostKind host);

}  // namespace Frei0r
}  // namespace Brelo
