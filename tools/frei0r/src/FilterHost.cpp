#include "brelo_frei0r/FilterHost.h"

#include <dlfcn.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "brelo_render/ModuleLocator.h"
#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Frei0r {

FilterHost::FilterHost(std::string const& modulePath) : m_module(modulePath) {
  m_host.setNumThreads(int(std::max(1u, std::thread::hardware_concurrency())));
}

namespace {

// Guards the live host, and its end: a new host is made only once the old
// one has gone, as the simulator allows one at a time.
std::recursive_mutex& hostMutex() {
  static std::recursive_mutex m;
  return m;
}

}  // namespace

std::shared_ptr<FilterHost> FilterHost::acquire(std::string const& modulePath) {
  static std::weak_ptr<FilterHost> live;
  std::lock_guard<std::recursive_mutex> lock(hostMutex());
  if (std::shared_ptr<FilterHost> h = live.lock()) {
    if (h->modulePath() != modulePath)
      throw std::logic_error("a host of " + h->modulePath() + " is alive; " + modulePath + " cannot share it");
    return h;
  }
  std::shared_ptr<FilterHost> h(new FilterHost(modulePath), [](FilterHost* p) {
    std::lock_guard<std::recursive_mutex> end(hostMutex());
    delete p;
  });
  live = h;
  return h;
}

std::string findEffectModule(std::string const& effect, std::string const& filterDir) {
  try {
    return Render::findModule(effect, filterDir);
  } catch (Render::RenderError const& e) {
    throw std::runtime_error(e.what());
  }
}

std::string directoryOf(void const* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) return ".";
  std::string path = info.dli_fname;
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace Frei0r
}  // namespace Brelo
