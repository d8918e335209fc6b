#include "brelo_host/Module.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstring>
#include <stdexcept>

namespace Brelo {
namespace Sim {

namespace {

// The loader hands out data (POSIX) or generic procedure (Windows) pointers;
// the entry point is a function of its own type.
template <class Symbol>
PF_EntryPointFunc asEntry(Symbol sym) {
  static_assert(sizeof(Symbol) == sizeof(PF_EntryPointFunc), "symbol and function pointers differ in size");
  PF_EntryPointFunc entry = nullptr;
  std::memcpy(&entry, &sym, sizeof sym);
  return entry;
}

#ifdef _WIN32
// The system's text for the calling thread's last error.
std::string lastErrorText() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string out = n && text ? std::string(text, n) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
  return out;
}

// Paths are UTF-8, as everywhere else in the project.
std::wstring widePath(std::string const& path) {
  if (path.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), int(path.size()), nullptr, 0);
  if (n <= 0) throw std::runtime_error("cannot load plug-in " + path + ": the path is not UTF-8");
  std::wstring wide(std::size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), int(path.size()), &wide[0], n);
  return wide;
}
#endif

}  // namespace

#ifdef _WIN32

Module::Module(std::string const& path) : m_path(path) {
  HMODULE const module = LoadLibraryW(widePath(path).c_str());
  if (!module) throw std::runtime_error("cannot load plug-in " + path + ": " + lastErrorText());
  FARPROC const sym = GetProcAddress(module, "EntryPointFunc");
  if (!sym) {
    std::string msg = "plug-in " + path + " has no EntryPointFunc: " + lastErrorText();
    FreeLibrary(module);
    throw std::runtime_error(msg);
  }
  m_handle = module;
  m_entry = asEntry(sym);
}

Module::~Module() {
  if (m_handle) FreeLibrary(static_cast<HMODULE>(m_handle));
}

#else

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
  m_entry = asEntry(sym);
}

Module::~Module() {
  if (m_handle) dlclose(m_handle);
}

#endif

}  // namespace Sim
}  // namespace Brelo
