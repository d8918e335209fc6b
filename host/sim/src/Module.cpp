#include "brelo_host/Module.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

namespace Brelo {
namespace Sim {

Module::Module(std::string const& path) : m_path(path) {
  dlerror();
  m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!m_handle) {
    const char* e = dlerror();
    throw std::runtime_error("cannot load plug-in " + path + ": " + (e ? e : "unknown error"));
  }
  dlerror();
  void* sym = dlsym(m_handle, "EntryPointFunc");
  const char* e = dlerror();
  if (e || !sym) {
    std::string msg = "plug-in " + path + " has no EntryPointFunc: " + (e ? e : "null symbol");
    dlclose(m_handle);
    m_handle = nullptr;
    throw std::runtime_error(msg);
  }
  // The loader hands out data pointers; the entry point is a function.
  static_assert(sizeof(void*) == sizeof(PF_EntryPointFunc), "function and data pointers differ in size");
  std::memcpy(&m_entry, &sym, sizeof sym);
}

Module::~Module() {
  if (m_handle) dlclose(m_handle);
}

}  // namespace Sim
}  // namespace Brelo
