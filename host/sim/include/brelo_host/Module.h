// A plug-in loaded from its shared module, the way the host loads it: by the
// one exported symbol EntryPointFunc.
#pragma once

#include <string>

#include "AE_Effect.h"

namespace Brelo {
namespace Sim {

class Module {
 public:
  // Throws std::runtime_error carrying the loader's own message when the file
  // cannot be loaded or does not export EntryPointFunc.
  explicit Module(std::string const& path);
  ~Module();
  Module(Module const&) = delete;
  Module& operator=(Module const&) = delete;

  PF_EntryPointFunc entry() const { return m_entry; }
  std::string const& path() const { return m_path; }

 private:
  std::string m_path;
  void* m_handle = nullptr;
  PF_EntryPointFunc m_entry = nullptr;
};

}  // namespace Sim
}  // namespace Brelo
