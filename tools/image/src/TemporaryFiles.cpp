#include "brelo_image/TemporaryFiles.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace Brelo {
namespace ImageIO {

namespace {

// A signal handler may only read what cannot be half-written: fixed slots
// whose path is complete before the slot is marked in use.
constexpr int kSlots = 16;

struct Slot {
  std::atomic<bool> used{false};
  char path[PATH_MAX];
};

Slot g_slots[kSlots];
std::mutex g_claim;  // between threads registering; the handler takes no lock

const int kSignals[] = {SIGINT, SIGHUP, SIGTERM};

extern "C" void removeAndEnd(int sig) {
  for (Slot& s : g_slots) {
    if (s.used.load(std::memory_order_acquire)) unlink(s.path);
  }
  // Ended by the signal itself, so that the parent sees why.
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  sigaction(sig, &dfl, nullptr);
  raise(sig);
}

}  // namespace

static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler reads the slots");

void TemporaryFiles::removeOnSignals() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int sig : kSignals) {
      struct sigaction old {};
      if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
      struct sigaction sa {};
      sa.sa_handler = removeAndEnd;
      sigemptyset(&sa.sa_mask);
      // One signal's removal is not cut short by another's.
      for (int other : kSignals) sigaddset(&sa.sa_mask, other);
      sigaction(sig, &sa, nullptr);
    }
  });
}

TemporaryFiles::Registration::Registration(std::string const& path) : m_slot(-1) {
  if (path.size() >= PATH_MAX) return;
  std::lock_guard<std::mutex> lock(g_claim);
  for (int i = 0; i < kSlots; ++i) {
    Slot& s = g_slots[i];
    if (s.used.load(std::memory_order_relaxed)) continue;
    std::memcpy(s.path, path.c_str(), path.size() + 1);
    s.used.store(true, std::memory_order_release);
    m_slot = i;
    return;
  }
}

TemporaryFiles::Registration::~Registration() {
  if (m_slot < 0) return;
  std::lock_guard<std::mutex> lock(g_claim);
  g_slots[m_slot].used.store(false, std::memory_order_release);
}

}  // namespace ImageIO
}  // namespace Brelo
