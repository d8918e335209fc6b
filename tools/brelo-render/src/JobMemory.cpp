#include "brelo_render/JobMemory.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

namespace {

constexpr std::uint64_t kSlack = std::uint64_t(64) << 20;
constexpr std::uint64_t kUnlimited = std::numeric_limits<std::uint64_t>::max();

std::uint64_t imageBytes(std::int64_t w, std::int64_t h, Sim::Depth d) {
  return std::uint64_t(std::max<std::int64_t>(w, 0)) * std::uint64_t(std::max<std::int64_t>(h, 0)) *
         Sim::pixelSize(d);
}

// A "Name:  123 kB" line of a /proc file, in bytes; kUnlimited without one.
std::uint64_t procKilobytes(const char* file, std::string const& name) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.compare(0, name.size(), name) != 0 || line.size() <= name.size() || line[name.size()] != ':') continue;
    std::istringstream fields(line.substr(name.size() + 1));
    std::uint64_t kb = 0;
    if (fields >> kb) return kb * 1024;
  }
  return kUnlimited;
}

// A number alone in a file ("max" and anything else: kUnlimited).
std::uint64_t fileNumber(std::string const& file) {
  std::ifstream in(file);
  std::uint64_t v = 0;
  if (in >> v) return v;
  return kUnlimited;
}

// What the control group's limit leaves (cgroup v2, the process's own group).
std::uint64_t cgroupLeft() {
  std::ifstream in("/proc/self/cgroup");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("0::", 0) != 0) continue;
    const std::string dir = "/sys/fs/cgroup" + line.substr(3);
    const std::uint64_t max = fileNumber(dir + "/memory.max");
    const std::uint64_t current = fileNumber(dir + "/memory.current");
    if (max == kUnlimited || current == kUnlimited) return kUnlimited;
    return max > current ? max - current : 0;
  }
  return kUnlimited;
}

std::uint64_t limitLeft(int resource, std::uint64_t used) {
  rlimit rl{};
  if (getrlimit(resource, &rl) != 0 || rl.rlim_cur == RLIM_INFINITY || used == kUnlimited) return kUnlimited;
  return std::uint64_t(rl.rlim_cur) > used ? std::uint64_t(rl.rlim_cur) - used : 0;
}

}  // namespace

std::uint64_t bytesNeeded(JobBuffers const& job) {
  std::uint64_t need = kSlack;
  if (job.layerDepth != job.renderDepth) need += imageBytes(job.layerWidth, job.layerHeight, job.renderDepth);
  need += 2 * imageBytes(job.frameWidth, job.frameHeight, job.renderDepth);
  return need;
}

std::uint64_t bytesAvailable() {
  std::uint64_t left = procKilobytes("/proc/meminfo", "MemAvailable");
  left = std::min(left, cgroupLeft());
  left = std::min(left, limitLeft(RLIMIT_AS, procKilobytes("/proc/self/status", "VmSize")));
  left = std::min(left, limitLeft(RLIMIT_DATA, procKilobytes("/proc/self/status", "VmData")));
  return left;
}

std::string formatBytes(std::uint64_t bytes) {
  char text[32];
  if (bytes >= (std::uint64_t(1) << 30))
    std::snprintf(text, sizeof text, "%.1f GiB", double(bytes) / double(std::uint64_t(1) << 30));
  else
    std::snprintf(text, sizeof text, "%.0f MiB", double(bytes) / double(1 << 20));
  return text;
}

void checkJobMemory(std::uint64_t needed, std::uint64_t available) {
  if (needed <= available) return;
  throw RenderError(ExitCode::Internal, "not enough memory: the frames of this job need " + formatBytes(needed) +
                                            " more, and " + formatBytes(available) +
                                            " is available; render at a lower depth or downsampled");
}

}  // namespace Render
}  // namespace Brelo
