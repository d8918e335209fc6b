// The simulated host that every instance of one filter in a process shares:
// the effect module, loaded once, and one Sim::Host in which each filter
// instance keeps an effect instance of its own. Made by the first instance
// and ended with the last.
#pragma once

#include <memory>
#include <string>

#include "brelo_host/Host.h"
#include "brelo_host/Module.h"

namespace Brelo {
namespace Frei0r {

class FilterHost {
 public:
  // The live host of the module at `modulePath`, or a new one. Throws
  // std::runtime_error when the module cannot be loaded, std::logic_error
  // when a host of another module is alive in the process.
  static std::shared_ptr<FilterHost> acquire(std::string const& modulePath);

  FilterHost(FilterHost const&) = delete;
  FilterHost& operator=(FilterHost const&) = delete;

  Sim::Host& host() { return m_host; }
  PF_EntryPointFunc entry() const { return m_module.entry(); }
  std::string const& modulePath() const { return m_module.path(); }

 private:
  explicit FilterHost(std::string const& modulePath);

  Sim::Module m_module;
  Sim::Host m_host;
};

// The filter's module: next to the filter's own file, or in the build tree
// it was built in. Throws std::runtime_error naming the places looked in.
std::string findEffectModule(std::string const& effect, std::string const& filterDir);

// The directory of the shared object that holds `address`.
std::string directoryOf(void const* address);

}  // namespace Frei0r
}  // namespace Brelo
